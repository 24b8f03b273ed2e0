#include "core/trialplay/TrialPlayerFit.h"

namespace revuro {

TrialPlayerFit FitTrialPlayer(int outerWidthTwips, int outerHeightTwips) {
    TrialPlayerFit fit;
    if (const int height = outerHeightTwips - kTrialTitleAllowance; height >= 0)
        fit.heightTwips = height;
    if (const int width = outerWidthTwips - kTrialFrameAllowance; width >= 0)
        fit.widthTwips = width;
    return fit;
}

}  // namespace revuro
