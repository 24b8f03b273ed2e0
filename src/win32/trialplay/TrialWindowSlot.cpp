#include "win32/trialplay/TrialWindowSlot.h"

namespace revuro {

TrialWindowSlot::TrialWindowSlot(const PlaylistReader& reader, std::function<void()> emptied)
    : slot_(
          [&reader](std::function<void()> closed) {
              return frmPlay::Create(reader, std::move(closed));
          },
          std::move(emptied)) {}

Outcome TrialWindowSlot::Play(const std::string& url) {
    frmPlay* form = slot_.Get();
    if (form == nullptr) return Error{ErrorKind::Other, "the trial window cannot be made"};
    if (Outcome playing = form->Play(url); !playing) return playing;
    slot_.BringForward();
    return Ok();
}

}  // namespace revuro
