#include <gtest/gtest.h>

#include "core/trialplay/TrialPlayerFit.h"

namespace revuro {
namespace {

TEST(TrialPlayerFitTest, FillsTheOuterSizeLessTheAllowances) {
    const TrialPlayerFit fit = FitTrialPlayer(6000, 5000);
    ASSERT_TRUE(fit.widthTwips.has_value());
    ASSERT_TRUE(fit.heightTwips.has_value());
    EXPECT_EQ(*fit.widthTwips, 5924);
    EXPECT_EQ(*fit.heightTwips, 4640);
}

TEST(TrialPlayerFitTest, AWindowLowerThanTheTitleAllowanceKeepsTheHeightButSetsTheWidth) {
    const TrialPlayerFit fit = FitTrialPlayer(3000, 359);
    EXPECT_FALSE(fit.heightTwips.has_value());
    ASSERT_TRUE(fit.widthTwips.has_value());
    EXPECT_EQ(*fit.widthTwips, 2924);
}

TEST(TrialPlayerFitTest, AWindowNarrowerThanTheFrameAllowanceKeepsTheWidthButSetsTheHeight) {
    const TrialPlayerFit fit = FitTrialPlayer(75, 1000);
    EXPECT_FALSE(fit.widthTwips.has_value());
    ASSERT_TRUE(fit.heightTwips.has_value());
    EXPECT_EQ(*fit.heightTwips, 640);
}

TEST(TrialPlayerFitTest, ExactlyTheAllowancesGiveAnEmptyPlayer) {
    const TrialPlayerFit fit = FitTrialPlayer(76, 360);
    EXPECT_EQ(fit.widthTwips, 0);
    EXPECT_EQ(fit.heightTwips, 0);
}

TEST(TrialPlayerFitTest, AZeroSizedWindowChangesNothing) {
    const TrialPlayerFit fit = FitTrialPlayer(0, 0);
    EXPECT_FALSE(fit.widthTwips.has_value());
    EXPECT_FALSE(fit.heightTwips.has_value());
}

}  // namespace
}  // namespace revuro
