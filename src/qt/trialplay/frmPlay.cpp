#include "qt/trialplay/frmPlay.h"

#include <QApplication>
#include <QResizeEvent>

#include "core/Twips.h"
#include "core/trialplay/TrialPlayerFit.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"

namespace revuro {

namespace {

// The saver's player settings, except that the trial player stays inside its window and
// offers no context menu.
PlayerSettings TrialPlayerSettings() {
    PlayerSettings settings;
    settings.enableContextMenu = false;
    settings.fullScreen = false;
    return settings;
}

// Rows that cannot be played are passed silently, as a media player's own playlist does: the
// trial window handles no events and shows no notes.
PlaylistPlayerOptions TrialWalking() {
    PlaylistPlayerOptions options;
    options.skipUnplayable = true;
    return options;
}

// Design geometry, in twips: the window's client area and the player's first size.
constexpr int kLeft = 6510;
constexpr int kTop = 4320;
constexpr int kClientWidth = 5370;
constexpr int kClientHeight = 4080;
constexpr int kPlayerWidth = 5415;
constexpr int kPlayerHeight = 4095;

}  // namespace

frmPlay::frmPlay(const PlayerFactory& players, QWidget* parent)
    : QWidget(parent, Qt::Window), wmp_(players.Make(TrialPlayerSettings(), TrialWalking(), this)) {
    setObjectName("frmPlay");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kTrialTitle);
    setWindowIcon(QApplication::windowIcon());
    setGeometry(TwipsToPixels(kLeft), TwipsToPixels(kTop), TwipsToPixels(kClientWidth),
                TwipsToPixels(kClientHeight));
    wmp_->setGeometry(0, 0, TwipsToPixels(kPlayerWidth), TwipsToPixels(kPlayerHeight));
    setFocusProxy(wmp_);
}

void frmPlay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmPlay::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The frame is known only once the window manager has framed the window.
    Form_Resize();
}

void frmPlay::Form_Resize() {
    const QRect outer = frameGeometry();
    const TrialPlayerFit fit =
        FitTrialPlayer(PixelsToTwips(outer.width()), PixelsToTwips(outer.height()));
    QSize size = wmp_->size();
    if (fit.widthTwips) size.setWidth(TwipsToPixels(*fit.widthTwips));
    if (fit.heightTwips) size.setHeight(TwipsToPixels(*fit.heightTwips));
    wmp_->setGeometry(0, 0, size.width(), size.height());
}

Outcome frmPlay::Play(const std::string& url) { return wmp_->player().SetURL(url); }

}  // namespace revuro
