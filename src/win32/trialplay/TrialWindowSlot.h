#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/Result.h"
#include "core/player/PlaylistReader.h"
#include "win32/MessageWindow.h"
#include "win32/trialplay/frmPlay.h"

namespace revuro {

// The configuration dialog's one trial window: made on first use, reused while it lives, free
// to outlive the dialog. `emptied` is called when a window the user closed has gone.
class TrialWindowSlot {
  public:
    TrialWindowSlot(const PlaylistReader& reader, std::function<void()> emptied);
    TrialWindowSlot(const TrialWindowSlot&) = delete;
    TrialWindowSlot& operator=(const TrialWindowSlot&) = delete;

    // Plays `url` from its start in the window, made or brought to the front.
    Outcome Play(const std::string& url);
    bool open() const { return form_ != nullptr; }

  private:
    const PlaylistReader& reader_;
    std::function<void()> emptied_;
    MessageWindow messages_;  // a closed window is let go of from the message loop
    std::unique_ptr<frmPlay> form_;
};

}  // namespace revuro
