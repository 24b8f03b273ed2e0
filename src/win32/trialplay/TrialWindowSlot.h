#pragma once

#include <functional>
#include <string>

#include "core/Result.h"
#include "core/player/PlaylistReader.h"
#include "win32/FormSlot.h"
#include "win32/trialplay/frmPlay.h"

namespace revuro {

// The configuration dialog's one trial window: made on first use, reused while it lives, free
// to outlive the dialog. `emptied` is called when a window the user closed has gone.
class TrialWindowSlot {
  public:
    TrialWindowSlot(const PlaylistReader& reader, std::function<void()> emptied);

    // Plays `url` from its start in the window, made or brought to the front.
    Outcome Play(const std::string& url);
    bool open() const { return slot_.open(); }

  private:
    FormSlot<frmPlay> slot_;
};

}  // namespace revuro
