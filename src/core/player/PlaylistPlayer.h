#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/player/ListCursor.h"
#include "core/player/MediaBackend.h"
#include "core/player/MediaPlayer.h"
#include "core/player/OneShotTimer.h"
#include "core/player/PlaylistReader.h"

namespace revuro {

struct PlaylistPlayerOptions {
    // Shown once instead of another pass when a pass over the list showed nothing at all
    // (first.bmp beside the program for the saver); empty: none.
    std::string fallbackPicture;
    // Rows that cannot be played are passed by the player itself, silently, as a media
    // player's own playlist does: for a player whose window handles no events.
    bool skipUnplayable = false;
};

// The media player control the windows talk to, over a backend that plays one item at a time.
// It walks the list: expands playlist files, refuses items that cannot be opened before the
// backend sees them, numbers the play states, raises one Error (failure while playing) or
// MediaError (failure before) per bad item and moves on only when the window calls Next, shows
// a picture for five seconds, leaves the last item on screen, and ends a pass that showed
// nothing on the fallback picture instead of starting it again.
//
// The backend, the timer and the reader must outlive the player.
class PlaylistPlayer : public MediaPlayer, private MediaBackendEvents {
  public:
    static constexpr std::chrono::milliseconds kPictureTime{5000};
    static constexpr std::size_t kMaxQueuedErrors = 100;
    static constexpr std::size_t kNoteNameCharacters = 24;  // a note names the file, no more

    PlaylistPlayer(MediaBackend& backend, OneShotTimer& timer, const PlaylistReader& reader,
                   const PlayerSettings& settings, PlaylistPlayerOptions options = {});
    ~PlaylistPlayer() override;
    PlaylistPlayer(const PlaylistPlayer&) = delete;
    PlaylistPlayer& operator=(const PlaylistPlayer&) = delete;

    void SetEventSink(MediaPlayerEvents* sink) override { sink_ = sink; }
    // The program's own playlists (varariv.m3u, temp.m3u) are read at once, and a failure to
    // read them is the result; anything else is one item, a list of another program included.
    Outcome SetURL(const std::string& url) override;
    std::string URL() const override { return url_; }
    void Play() override;
    void Next() override;
    std::int32_t PlayState() const override { return state_; }
    void ClearErrorQueue() override { errorQueue_.clear(); }
    Outcome SetEnableErrorDialogs(bool enable) override;
    Outcome SetFullScreen(bool fullScreen) override;
    Outcome SetUiMode(const std::string& mode) override;

    // A muted player plays its sound to nowhere; set before the first item, it never opens the
    // sound device at all, which another process may need.
    Outcome SetMute(bool mute);

    // Holds playback while nobody can see it (the monitors sleep): a picture's time stops too,
    // so the list does not move on. The play state does not change.
    void SetHeld(bool held);

    // The input the shell receives over the video, reported to the window as the player's own
    // events, the same way whichever backend plays.
    void ReportKeyDown(std::int16_t keyCode, std::int16_t shift);
    void ReportDoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x, std::int32_t y);

    // One line per failed item since the queue was last cleared, the newest last.
    const std::deque<std::string>& ErrorQueue() const { return errorQueue_; }
    // The targets of the current URL's rows, as the backend would get them.
    std::vector<std::string> Items() const;

  private:
    enum class Phase {
        Idle,     // nothing asked for, or autoStart off
        Waiting,  // a refused item or the end of the pass is reported from the event loop
        Loading,  // the backend opens the item
        Playing,  // the backend reported it started
        Failed,   // reported; the window decides the skip
        Ended,    // the pass is over: ready
    };

    void Started() override;
    void Presented() override;
    void Ended() override;
    void Failed(const Error& error) override;

    void StartPass();
    void LoadCurrent();
    void ItemEnded();
    void ItemFailed(const Error& error);
    void FinishPass();
    void StartPictureTime();
    // Reports a state; false when the window's reaction has moved the player on meanwhile.
    bool SetState(std::int32_t state);

    MediaBackend& backend_;
    OneShotTimer& timer_;
    const PlaylistReader& reader_;
    PlaylistPlayerOptions options_;
    Presentation presentation_;
    bool autoStart_;
    bool enableErrorDialogs_;
    MediaPlayerEvents* sink_ = nullptr;

    std::string url_;
    ListCursor cursor_;
    ListEntry current_;
    bool picture_ = false;
    Phase phase_ = Phase::Idle;
    std::int32_t state_ = kUndefined;
    std::uint64_t moves_ = 0;  // counts loads, so that a caller sees the window moved on

    bool held_ = false;
    bool presentedThisPass_ = false;
    bool onFallback_ = false;
    // A pass that showed nothing has ended: Play starts no other until a new URL.
    bool settled_ = false;
    std::deque<std::string> errorQueue_;
};

}  // namespace revuro
