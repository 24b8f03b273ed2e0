#pragma once

#include <cstdint>
#include <string>

#include "core/Result.h"

namespace revuro {

// The play states, numbered as the windows expect them.
enum PlayState : std::int32_t {
    kUndefined = 0,
    kStopped = 1,
    kPaused = 2,
    kPlaying = 3,
    kScanForward = 4,
    kScanReverse = 5,
    kBuffering = 6,
    kWaiting = 7,
    kMediaEnded = 8,
    kTransitioning = 9,
    kReady = 10,
    kReconnecting = 11,
};

inline constexpr const char* kUiModeFull = "full";  // controls appear on mouse movement
inline constexpr const char* kUiModeNone = "none";  // no controls at all

// The player's stored settings, fixed when a window places its player.
struct PlayerSettings {
    double rate = 1.0;
    int balance = 0;
    int playCount = 1;
    bool autoStart = true;
    int volume = 50;
    bool mute = false;
    std::string uiMode = kUiModeFull;
    bool stretchToFit = true;
    bool enableContextMenu = true;
    bool fullScreen = true;
    bool enableErrorDialogs = false;
};

// What a window reacts to. Every event arrives on the UI thread.
class MediaPlayerEvents {
  public:
    virtual ~MediaPlayerEvents() = default;
    virtual void wmp_PlayStateChange(std::int32_t newState) = 0;
    virtual void wmp_Error() = 0;
    virtual void wmp_MediaError(const std::string& item) = 0;
    virtual void wmp_DoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                                 std::int32_t y) = 0;
    virtual void wmp_KeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
};

// The media player control the windows talk to. Setting the URL with autoStart on loads and
// plays it; a playlist file plays its items in order. Once the whole list has been played the
// player is ready (state 10), and Play starts the list again from its first item.
class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;

    virtual void SetEventSink(MediaPlayerEvents* sink) = 0;

    virtual Outcome SetURL(const std::string& url) = 0;
    virtual std::string URL() const = 0;
    virtual void Play() = 0;
    virtual void Next() = 0;
    virtual std::int32_t PlayState() const = 0;
    virtual void ClearErrorQueue() = 0;
    virtual Outcome SetEnableErrorDialogs(bool enable) = 0;
    virtual Outcome SetFullScreen(bool fullScreen) = 0;
    virtual Outcome SetUiMode(const std::string& mode) = 0;
};

}  // namespace revuro
