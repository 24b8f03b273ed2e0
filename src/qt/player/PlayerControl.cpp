#include "qt/player/PlayerControl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "qt/FormStyle.h"

namespace revuro {

namespace {

QWidget* MakeVideoArea(QWidget* control) {
    // The control's own window first, so that the video area's window is made inside it.
    PaintBlack(*control);
    auto* video = new QWidget(control);
    video->setObjectName("video");
    video->setAttribute(Qt::WA_NativeWindow);
    video->setAttribute(Qt::WA_DontCreateNativeAncestors);
    // The control takes the mouse: the area only shows.
    video->setAttribute(Qt::WA_TransparentForMouseEvents);
    video->setMouseTracking(true);
    PaintBlack(*video);
    return video;
}

// Qt's modifier bits as the control numbers the shift state: Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    return static_cast<std::int16_t>(modifiers >> 25);
}

}  // namespace

PlayerControl::PlayerControl(const PlayerSettings& settings, PlaylistPlayerOptions options,
                             const PlaylistReader& reader, const BackendMaker& makeBackend,
                             QWidget* parent)
    : QWidget(parent),
      video_(MakeVideoArea(this)),
      backend_(makeBackend(*video_)),
      player_(*this, timer_, reader, settings, std::move(options)) {
    setObjectName("wmp");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

PlayerControl::~PlayerControl() = default;

Outcome PlayerControl::SetPresentation(const Presentation& presentation) {
    fullScreen_ = presentation.fullScreen;
    LayoutVideo();
    return backend_->SetPresentation(presentation);
}

void PlayerControl::SetWindowIsScreen(bool windowIsScreen) {
    windowIsScreen_ = windowIsScreen;
    LayoutVideo();
}

void PlayerControl::LayoutVideo() {
    QRect area = rect();
    if (fullScreen_ && !windowIsScreen_) {
        if (const QScreen* primary = QGuiApplication::primaryScreen()) {
            const QRect screen = primary->geometry();
            area = QRect(mapFromGlobal(screen.topLeft()), screen.size()).intersected(rect());
            if (area.isEmpty()) area = rect();
        }
    }
    video_->setGeometry(area);
}

void PlayerControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutVideo();
}

void PlayerControl::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    LayoutVideo();
}

void PlayerControl::keyPressEvent(QKeyEvent* event) {
    player_.ReportKeyDown(static_cast<std::int16_t>(event->nativeVirtualKey()),
                          ShiftState(event->modifiers()));
    event->accept();
}

void PlayerControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click toggles nothing: the form decides what it means.
    const QPoint at = event->position().toPoint();
    player_.ReportDoubleClick(static_cast<std::int16_t>(event->button()),
                              ShiftState(event->modifiers()), at.x(), at.y());
    event->accept();
}

}  // namespace revuro
