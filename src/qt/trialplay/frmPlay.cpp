#include "qt/trialplay/frmPlay.h"

#include <QApplication>
#include <QResizeEvent>

#include "core/Twips.h"
#include "core/trialplay/TrialPlayerFit.h"
#include "core/trialplay/TrialWindow.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"

namespace revuro {

frmPlay::frmPlay(const PlayerFactory& players, QWidget* parent)
    : QWidget(parent, Qt::Window), wmp_(players.Make(TrialPlayerSettings(), TrialWalking(), this)) {
    setObjectName("frmPlay");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kTrialTitle);
    setWindowIcon(QApplication::windowIcon());
    using Layout = TrialWindowLayout;
    setGeometry(TwipsToPixels(Layout::kLeft), TwipsToPixels(Layout::kTop),
                TwipsToPixels(Layout::kClientWidth), TwipsToPixels(Layout::kClientHeight));
    wmp_->setGeometry(0, 0, TwipsToPixels(Layout::kPlayerWidth),
                      TwipsToPixels(Layout::kPlayerHeight));
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
