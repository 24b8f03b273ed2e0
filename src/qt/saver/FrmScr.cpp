#include "qt/saver/FrmScr.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

#include "core/Paths.h"
#include "core/Twips.h"
#include "core/startup/InstanceGuard.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "qt/FormStyle.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"

namespace revuro {

FrmScr::FrmScr(RunMode mode, const std::string& programFolder, const std::string& playlist,
               SettingsStore& settings, const PlayerFactory& players, QWidget* parent)
    : QWidget(parent),
      mode_(mode),
      inHostWindow_(mode == RunMode::Preview),
      // The saver's settings are the defaults; a pass that shows nothing ends on first.bmp.
      wmp_(players.Make(PlayerSettings{}, {PathBeside(programFolder, kFallbackPictureName)}, this)),
      logic_(mode, programFolder, playlist, wmp_->player(), settings, *this, &CanOpenForReading) {
    setObjectName("FrmScr");
    setWindowTitle(kSaverTitle);
    PaintBlack(*this);
    if (mode_ != RunMode::Preview) {
        // Above panels and docks, no taskbar entry: the window manager leaves it alone.
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        // Nothing sits on top of the picture; the mouse still ends nothing.
        setCursor(Qt::BlankCursor);
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    }
    setFocusProxy(wmp_);
    wmp_->player().SetEventSink(&logic_);
}

FrmScr::~FrmScr() { wmp_->player().SetEventSink(nullptr); }

void FrmScr::UseHostWindow(bool playsSound) {
    inHostWindow_ = true;
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    wmp_->SetWindowIsScreen(true);
    if (!playsSound) (void)wmp_->player().SetMute(true);
}

void FrmScr::SetMonitorPower(MonitorPower power) { wmp_->player().SetHeld(MonitorsAsleep(power)); }

void FrmScr::Load() { logic_.Form_Load(); }

void FrmScr::PlaceOverDesktop() {
    // A host places the window; showing it top-level first would only flash.
    if (inHostWindow_) return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->virtualGeometry());
    show();
    raise();
    activateWindow();
}

void FrmScr::setVisible(bool visible) {
    QWidget::setVisible(visible);
    // A window of Qt's always sets a pointer, the arrow at least; the preview sets none, so the
    // host's own pointer shows over it. Qt sets it while showing, so it is taken back after.
    if (visible && mode_ == RunMode::Preview) windowHandle()->unsetCursor();
}

void FrmScr::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    wmp_->setFocus();
    // Every key must end the saver, whichever window the desktop thinks has the focus.
    if (!inHostWindow_) wmp_->grabKeyboard();
}

void FrmScr::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    logic_.Form_Resize(PixelsToTwips(event->size().width()), PixelsToTwips(event->size().height()));
}

void FrmScr::SetPlayerSize(int widthTwips, int heightTwips) {
    wmp_->setGeometry(0, 0, TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void FrmScr::Repaint() {
    repaint();
    wmp_->repaint();
}

void FrmScr::TerminateNow() { TerminateImmediately(0); }

}  // namespace revuro
