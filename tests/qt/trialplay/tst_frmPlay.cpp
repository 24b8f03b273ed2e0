#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QtTest>

#include "core/Twips.h"
#include "core/store/PlaylistFile.h"
#include "core/trialplay/TrialPlayerFit.h"
#include "platform/NarrowCodec.h"
#include "qt/player/MpvBackend.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"
#include "qt/trialplay/frmPlay.h"

using namespace revuro;

class TestFrmPlay : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        programIcon_ = QIcon(picture);
        QApplication::setWindowIcon(programIcon_);
    }

    void init() { window_ = new frmPlay(players_); }
    void cleanup() { delete window_.data(); }

    void isAnOrdinaryTopLevelWindowWithTheTrialCaption() {
        QCOMPARE(window_->windowTitle(), QString("DavodoR2.0  播放电影"));
        QCOMPARE(window_->objectName(), QString("frmPlay"));
        QVERIFY(window_->isWindow());
        QCOMPARE(window_->parentWidget(), nullptr);
        QCOMPARE(window_->windowType(), Qt::Window);
        QVERIFY(window_->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(window_->windowIcon().cacheKey(), programIcon_.cacheKey());
    }

    void startsAtItsDesignGeometry() {
        QCOMPARE(window_->geometry(), QRect(TwipsToPixels(6510), TwipsToPixels(4320),
                                            TwipsToPixels(5370), TwipsToPixels(4080)));
        QCOMPARE(window_->wmp().objectName(), QString("wmp"));
        QCOMPARE(window_->wmp().parentWidget(), window_.data());
    }

    void fitsThePlayerToTheOuterSizeLessTheAllowances() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        window_->resize(400, 333);
        QTRY_COMPARE(window_->size(), QSize(400, 333));
        const QRect outer = window_->frameGeometry();
        QCOMPARE(window_->wmp().geometry(),
                 QRect(0, 0, TwipsToPixels(PixelsToTwips(outer.width()) - 76),
                       TwipsToPixels(PixelsToTwips(outer.height()) - 360)));
    }

    void aWindowLowerThanTheTitleAllowanceKeepsThePlayerHeight() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        const int heightBefore = window_->wmp().height();
        window_->resize(300, 10);
        QTRY_COMPARE(window_->size(), QSize(300, 10));
        QVERIFY(PixelsToTwips(window_->frameGeometry().height()) < kTrialTitleAllowance);
        QCOMPARE(window_->wmp().height(), heightBefore);
        QCOMPARE(window_->wmp().width(),
                 TwipsToPixels(PixelsToTwips(window_->frameGeometry().width()) - 76));
        QCOMPARE(window_->wmp().pos(), QPoint(0, 0));
    }

    void thePlayerNeverGoesFullScreen() {
        // Partly off the screen: a full-screen player would clip its picture to the screen.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        window_->setGeometry(screen.right() - 100, screen.bottom() - 100, 400, 333);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        auto* video = window_->wmp().findChild<QWidget*>("video");
        QVERIFY(video != nullptr);
        QCOMPARE(video->geometry(), window_->wmp().rect());
    }

    void closingDestroysTheWindowAndItsPlayer() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QPointer<PlayerControl> player = &window_->wmp();
        window_->close();
        QTRY_VERIFY(window_.isNull());
        QVERIFY(player.isNull());
    }

  private:
    NarrowCodec codec_{"UTF-8"};
    PlaylistFile playlists_{codec_};
    PlayerFactory players_{codec_, VideoOutput::X11};
    QIcon programIcon_;
    QPointer<frmPlay> window_;
};

QTEST_MAIN(TestFrmPlay)
#include "tst_frmPlay.moc"
