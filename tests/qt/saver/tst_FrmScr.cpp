// The saver window on a desktop of two monitors of different sizes (offscreen platform).

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <memory>

#include "core/player/RoutingBackend.h"
#include "core/store/IniSettingsStore.h"
#include "core/store/PlaylistFile.h"
#include "platform/NarrowCodec.h"
#include "qt/player/MpvBackend.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"
#include "qt/saver/FrmScr.h"

using namespace revuro;

namespace {
// Primary monitor 800x600 on the left, a smaller one beside it, lower edges not aligned.
constexpr const char* kTwoMonitors = R"({
  "synchronousWindowSystemEvents": true,
  "windowFrameMargins": false,
  "screens": [
    {"name": "primary", "x": 0, "y": 0, "width": 800, "height": 600,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "second", "x": 800, "y": 100, "width": 640, "height": 480,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
  ]
})";

// The mpv backend the saver's player draws with.
MpvBackend& Mpv(FrmScr& frmScr) {
    return dynamic_cast<MpvBackend&>(dynamic_cast<RoutingBackend&>(frmScr.wmp().backend()).media());
}
}  // namespace

class FrmScrTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        settings_ =
            std::make_unique<IniSettingsStore>(folder_->filePath("revuro.ini").toStdString());
    }

    void saverCoversEveryMonitorAndPlaysOnThePrimary() {
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        QVERIFY(frmScr.isVisible());
        QCOMPARE(frmScr.windowTitle(), QString("DavodoR2.0"));
        QVERIFY(frmScr.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(frmScr.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
        QCOMPARE(frmScr.geometry(), QRect(0, 0, 1440, 600));
        QCOMPARE(frmScr.wmp().geometry(), QRect(0, 0, 1440, 600));

        auto* video = frmScr.wmp().findChild<QWidget*>("video");
        QVERIFY(video != nullptr);
        QCOMPARE(video->geometry(), QRect(0, 0, 800, 600));
    }

    void playerDrawsOnlyThroughX11Contexts() {
        // A refused list would leave mpv probing every context, Wayland and DRM included.
        const PlayerFactory gpu(codec_, VideoOutput::Gpu);
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_, gpu);
        const QString contexts = QString::fromStdString(Mpv(frmScr).GpuContexts());
        QVERIFY2(contexts.startsWith("x11egl"), qPrintable(contexts));
    }

    void withoutPlaylistThePlayerGetsThePictureBesideTheProgram() {
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        QCOMPARE(QString::fromStdString(frmScr.wmp().player().URL()),
                 folder_->filePath("first.bmp"));
    }

    void withPlaylistThePlayerGetsItsRows() {
        QFile list(folder_->filePath("varariv.m3u"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("/media/a.mp4\r\n/media/b.mkv");
        list.close();
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        QCOMPARE(QString::fromStdString(frmScr.wmp().player().URL()), list.fileName());
        QCOMPARE(frmScr.wmp().player().Items(),
                 (std::vector<std::string>{"/media/a.mp4", "/media/b.mkv"}));
    }

    void previewIsNotShownByLoadAndKeepsTheVideoInsideThePlayer() {
        FrmScr frmScr(RunMode::Preview, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        QVERIFY(!frmScr.isVisible());  // the host's embedding shows it
        frmScr.setGeometry(0, 0, 320, 240);
        frmScr.show();
        QCOMPARE(frmScr.wmp().geometry(), QRect(0, 0, 320, 240));
        QCOMPARE(frmScr.wmp().findChild<QWidget*>("video")->geometry(), QRect(0, 0, 320, 240));
    }

    void saverInAHostWindowLeavesPlacingToTheHost() {
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.UseHostWindow(true);
        frmScr.Load();
        QVERIFY(!frmScr.isVisible());  // the host's embedding shows it
        QCOMPARE(frmScr.windowTitle(), QString("DavodoR2.0"));
        QVERIFY(!frmScr.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
        // A host window reaching over two monitors: the whole of it is the hack's screen.
        frmScr.setGeometry(400, 0, 640, 480);
        frmScr.show();
        QCOMPARE(frmScr.wmp().geometry(), QRect(0, 0, 640, 480));
        QCOMPARE(frmScr.wmp().findChild<QWidget*>("video")->geometry(), QRect(0, 0, 640, 480));
    }

    void playbackHoldsWhileTheMonitorsSleep() {
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        const std::int32_t state = frmScr.wmp().player().PlayState();
        QVERIFY(!Mpv(frmScr).IsHeld());
        for (MonitorPower asleep :
             {MonitorPower::Standby, MonitorPower::Suspend, MonitorPower::Off}) {
            frmScr.SetMonitorPower(asleep);
            QVERIFY(Mpv(frmScr).IsHeld());
            frmScr.SetMonitorPower(MonitorPower::On);
            QVERIFY(!Mpv(frmScr).IsHeld());
        }
        // Holding is no play-state change: the window's reactions see nothing of it.
        QCOMPARE(frmScr.wmp().player().PlayState(), state);
    }

    void heldPlaybackStaysHeldWhenTheNextItemLoads() {
        FrmScr frmScr(RunMode::Saver, folder_->path().toStdString(), Playlist(), *settings_,
                      players_);
        frmScr.Load();
        frmScr.SetMonitorPower(MonitorPower::Off);
        QVERIFY(frmScr.wmp().player().SetURL(folder_->filePath("other.bmp").toStdString()).ok());
        QVERIFY(Mpv(frmScr).IsHeld());
    }

  private:
    std::string Playlist() const { return folder_->filePath("varariv.m3u").toStdString(); }

    NarrowCodec codec_{"UTF-8"};
    PlaylistFile playlists_{codec_};
    PlayerFactory players_{codec_, VideoOutput::X11};
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<IniSettingsStore> settings_;
};

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    QFile file(config.filePath("screens.json"));
    if (!file.open(QIODevice::WriteOnly) || file.write(kTwoMonitors) < 0) return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.fileName().toLocal8Bit());
    // The player must never reach for a real X server from a test.
    unsetenv("DISPLAY");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    FrmScrTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FrmScr.moc"
