#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "core/player/MediaBackend.h"
#include "core/player/PlaylistPlayer.h"
#include "qt/player/QtOneShotTimer.h"

namespace revuro {

// The media player control a form places: a black area whose video part lies over the primary
// monitor while it plays full screen, the backend drawing there, and the player that walks the
// list over the backend. Keys and double clicks over it reach the form as the player's events,
// whichever backend draws.
class PlayerControl : public QWidget, private MediaBackend {
    Q_OBJECT

  public:
    // Makes the backend that draws into the control's video area.
    using BackendMaker = std::function<std::unique_ptr<MediaBackend>(QWidget& videoArea)>;

    PlayerControl(const PlayerSettings& settings, PlaylistPlayerOptions options,
                  const PlaylistReader& reader, const BackendMaker& makeBackend,
                  QWidget* parent = nullptr);
    ~PlayerControl() override;

    PlaylistPlayer& player() { return player_; }
    const PlaylistPlayer& player() const { return player_; }
    MediaBackend& backend() { return *backend_; }

    // The control lives inside another program's window that stands for the whole screen, so
    // full-screen video fills the control instead of the primary monitor's part of it.
    void SetWindowIsScreen(bool windowIsScreen);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The backend as the player sees it: the video area follows the presentation, the rest is
    // the backend's.
    void SetEvents(MediaBackendEvents* events) override { backend_->SetEvents(events); }
    void Load(const std::string& item, MediaKind kind) override { backend_->Load(item, kind); }
    void Stop() override { backend_->Stop(); }
    void Hold(bool held) override { backend_->Hold(held); }
    void ShowNote(const std::string& text) override { backend_->ShowNote(text); }
    Outcome SetPresentation(const Presentation& presentation) override;

    void LayoutVideo();

    QWidget* video_;  // the native window the backend draws into
    std::unique_ptr<MediaBackend> backend_;
    QtOneShotTimer timer_;
    bool fullScreen_ = false;
    bool windowIsScreen_ = false;
    PlaylistPlayer player_;  // last: it reaches the backend and the timer while it lives
};

}  // namespace revuro
