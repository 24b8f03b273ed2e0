#pragma once

#include <cstdint>

#include "core/player/MediaBackend.h"
#include "core/player/OneShotTimer.h"

namespace revuro {

// Stands in for a backend this system lacks: every item fails with the same reason, reported
// from the event loop as a real backend would, so each costs one skip and the list walks on.
class UnavailableBackend : public MediaBackend {
  public:
    // `timer` is its own and must outlive it.
    UnavailableBackend(Error reason, OneShotTimer& timer);
    ~UnavailableBackend() override;
    UnavailableBackend(const UnavailableBackend&) = delete;
    UnavailableBackend& operator=(const UnavailableBackend&) = delete;

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override { timer_.Stop(); }
    void Hold(bool) override {}
    // Nothing is drawn: there is nowhere to show a note.
    void ShowNote(const std::string&) override {}
    Outcome SetPresentation(const Presentation&) override { return Ok(); }

  private:
    Error reason_;
    OneShotTimer& timer_;
    MediaBackendEvents* events_ = nullptr;
};

}  // namespace revuro
