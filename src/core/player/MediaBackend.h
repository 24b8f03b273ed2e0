#pragma once

#include <string>

#include "core/Result.h"

namespace revuro {

// What a backend tells about the item it was last told to load. Every call comes from the event
// loop on the UI thread, never from inside a call to the backend, and none concerns an item
// that an earlier Load or Stop has replaced.
class MediaBackendEvents {
  public:
    // The item is open and playing.
    virtual void Started() = 0;
    // The item really showed something: a frame was drawn or its media time advanced. At most
    // once per item; a file that opens but holds nothing (a bare sound header) never reports it.
    virtual void Presented() = 0;
    // The item reached its end. A picture never does: it stays until the next Load or Stop.
    virtual void Ended() = 0;
    // The item cannot be played, before or after Started; nothing more comes for it.
    virtual void Failed(const Error& error) = 0;

  protected:
    ~MediaBackendEvents() = default;
};

enum class MediaKind {
    Timed,    // played to its end
    Picture,  // kept on screen until told otherwise: the player decides how long
    Flash,    // a Flash movie: it has no end of its own, its player decides when it is done
};

// The player settings that are the backend's business: how items are shown and heard.
struct Presentation {
    double rate;
    int balance;
    int volume;
    bool mute;
    std::string uiMode;  // kUiModeFull or kUiModeNone
    bool stretchToFit;
    bool enableContextMenu;
    bool fullScreen;
};

// Plays one item at a time in the video area. It knows nothing of lists: the player above it
// decides what comes next, which items are refused, and what the windows are told.
class MediaBackend {
  public:
    virtual ~MediaBackend() = default;

    virtual void SetEvents(MediaBackendEvents* events) = 0;
    // Replaces whatever is loaded by `item`, a local path or a URL, and plays it.
    virtual void Load(const std::string& item, MediaKind kind) = 0;
    // Nothing loaded any more; the video area goes black.
    virtual void Stop() = 0;
    // Holds playback where it is while nobody can see it (the monitors sleep), across loads.
    virtual void Hold(bool held) = 0;
    // A short note over the video that goes away by itself, never a window.
    virtual void ShowNote(const std::string& text) = 0;
    virtual Outcome SetPresentation(const Presentation& presentation) = 0;
};

}  // namespace revuro
