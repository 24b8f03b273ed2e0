#pragma once

#include <QWidget>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "config/PlaylistFile.h"
#include "saver/MediaPlayer.h"
#include "saver/VideoOutput.h"

struct mpv_handle;
struct mpv_event;

namespace revuro {

// The media player control on Linux: libmpv rendering into a native child window.
//
// The backend walks the list itself and hands mpv one item at a time, so that it decides
// every skip: an item that cannot be played raises one error event and nothing moves on until
// the window's reaction calls Next. Items stay on screen at their end (keep-open), which keeps
// the last frame of a list, or its last picture, visible once the list is done.
class MpvPlayer : public QWidget, public MediaPlayer {
    Q_OBJECT

  public:
    MpvPlayer(const PlayerSettings& settings, const PlaylistFile& playlists, VideoOutput output,
              QWidget* parent = nullptr);
    ~MpvPlayer() override;

    void SetEventSink(MediaPlayerEvents* sink) override { sink_ = sink; }
    Outcome SetURL(const std::string& url) override;
    std::string URL() const override { return url_; }
    void Play() override;
    void Next() override;
    std::int32_t PlayState() const override { return state_; }
    void ClearErrorQueue() override { errorQueue_.clear(); }
    Outcome SetEnableErrorDialogs(bool enable) override;
    Outcome SetFullScreen(bool fullScreen) override;
    Outcome SetUiMode(const std::string& mode) override;

    // Holds playback where it is while nobody can see it (the monitors are asleep), and lets it
    // go on when released. The play state does not change: nothing the windows react to happens.
    void SetHeld(bool held);
    // Whether mpv itself is paused, as it reports it.
    bool IsHeld() const;

    // A muted player plays the sound to nowhere and never opens the sound device, which another
    // process may need. Takes full effect when set before the first item plays.
    Outcome SetMute(bool mute);

    // The window lives inside another program's window that stands for the whole screen, so
    // full-screen video fills the window instead of the primary monitor's part of it.
    void SetWindowIsScreen(bool windowIsScreen);

    // The items of the current URL, for the windows' tests.
    const std::vector<std::string>& Items() const { return items_; }
    // The GPU contexts mpv may draw with, as mpv took the option.
    std::string GpuContexts() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    struct MpvDeleter {
        void operator()(mpv_handle* handle) const;
    };

    Outcome Initialize(VideoOutput output);
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void ItemFinished();
    void ItemFailed(const Error& error);
    void LoadItem(std::size_t index);
    void FinishList();
    void SetState(std::int32_t state);
    void LayoutVideo();
    void ForwardMouse(const QPoint& position, const char* button, const char* mode);
    Outcome Command(const std::vector<std::string>& args);

    PlayerSettings settings_;
    const PlaylistFile& playlists_;
    QWidget* video_;  // the native window mpv draws into
    std::unique_ptr<mpv_handle, MpvDeleter> mpv_;
    Outcome initialized_ = Ok();
    MediaPlayerEvents* sink_ = nullptr;

    std::string url_;
    std::vector<std::string> items_;
    std::size_t index_ = 0;
    std::int32_t state_ = kUndefined;
    bool itemLoaded_ = false;   // the current item got as far as playing
    bool loadPending_ = false;  // a load was asked for and mpv has not started it yet
    bool windowIsScreen_ = false;
    std::int64_t currentEntry_ = -1;
    std::uint64_t loadSerial_ = 0;  // tells a queued failure whether its load is still current
    std::deque<std::string> errorQueue_;
};

}  // namespace revuro
