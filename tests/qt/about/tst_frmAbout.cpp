// The about box as the user sees it: layout, texts, colours, fonts, keys, links and the
// system-information button on a system without a registry.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "qt/about/frmAbout.h"
#include "support/ModalAnswer.h"

using revuro::frmAbout;
using revuro::testing::AnswerNextBox;
using revuro::testing::SeenBox;

namespace {

QColor TextColour(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

}  // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT

  private:
    template <class T>
    T* Child(const char* name) {
        return about->findChild<T*>(QString::fromLatin1(name));
    }
    void ShowAndActivate() {
        about->show();
        about->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
    }

    QPointer<frmAbout> about;
    QList<QUrl> opened;

  private slots:
    void initTestCase() {
        // As the program does at start: every window takes the program icon.
        QApplication::setWindowIcon(QIcon(":/revuro/icon.ico"));
    }

    void init() {
        opened.clear();
        about = new frmAbout([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }

    void cleanup() { delete about; }

    void isAFixedTopLevelBoxOfItsOwn() {
        QVERIFY(about->isWindow());
        QCOMPARE(about->parentWidget(), nullptr);
        QCOMPARE(about->size(), QSize(304, 286));
        QCOMPARE(about->minimumSize(), QSize(304, 286));
        QCOMPARE(about->maximumSize(), QSize(304, 286));
        const Qt::WindowFlags flags = about->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QVERIFY(about->testAttribute(Qt::WA_DeleteOnClose));
    }

    void showsTheProgramIcon() {
        QVERIFY(!about->windowIcon().isNull());
        const QList<QSize> sizes = about->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(48, 48)));
    }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        // Twips / 15: Picture1 0,0,4560,1650; cmdOK 3000,3345,1500,345; ...
        QTest::newRow("Picture1") << "Picture1" << QRect(0, 0, 304, 110);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(200, 223, 100, 23);
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(200, 253, 99, 23);
        QTest::newRow("Label1_3") << "Label1_3" << QRect(0, 192, 299, 15);
        QTest::newRow("Label1_2") << "Label1_2" << QRect(0, 176, 299, 15);
        QTest::newRow("Label1_1") << "Label1_1" << QRect(0, 160, 299, 15);
        QTest::newRow("Label1_0") << "Label1_0" << QRect(0, 144, 299, 15);
        QTest::newRow("lblTitle") << "lblTitle" << QRect(0, 112, 299, 16);
        QTest::newRow("lblVersion") << "lblVersion" << QRect(0, 128, 299, 15);
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(9, 223, 178, 55);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        auto* control = about->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void loadFillsCaptionTitleAndVersion() {
        QCOMPARE(about->windowTitle(), QString("关于 Revuro"));
        QCOMPARE(Child<QLabel>("lblTitle")->text(), QString("Revuro"));
        QCOMPARE(Child<QLabel>("lblVersion")->text(), QString("版本 2.0.3"));
    }

    void showsTheFixedTexts() {
        QCOMPARE(Child<QPushButton>("cmdOK")->text(), QString("确定"));
        QCOMPARE(Child<QPushButton>("cmdSysInfo")->text(), QString("系统信息(&S)..."));
        QCOMPARE(Child<QLabel>("Label1_0")->text(), QString("作者：Revuro 开发组"));
        QCOMPARE(Child<QLabel>("Label1_1")->text(), QString("主页：https://revuro.example.org/"));
        QCOMPARE(Child<QLabel>("Label1_2")->text(), QString("E-Mail：feedback@revuro.example.org"));
        QCOMPARE(Child<QLabel>("Label1_3")->text(), QString("免费软件，祝您使用的愉快！"));
        QCOMPARE(Child<QLabel>("lblDisclaimer")->text(),
                 QString("欢迎您提出改进的意见和建议！如果您在使用中遇到任何问题，"
                         "您可以发邮件给我，或者到我的主页留言！"));
    }

    void labelsAreCentredButTheInvitationWraps() {
        for (const char* name :
             {"Label1_0", "Label1_1", "Label1_2", "Label1_3", "lblTitle", "lblVersion"}) {
            QCOMPARE(Child<QLabel>(name)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        auto* disclaimer = Child<QLabel>("lblDisclaimer");
        QCOMPARE(disclaimer->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QVERIFY(disclaimer->wordWrap());
        // Four lines of the box's font fit its height, so nothing is cut off.
        QVERIFY(disclaimer->heightForWidth(disclaimer->width()) <= disclaimer->height());
    }

    void linksAreDarkBlueUnderlinedSong() {
        for (const char* name : {"Label1_1", "Label1_2"}) {
            auto* link = Child<QLabel>(name);
            QCOMPARE(TextColour(link), QColor(0, 0, 0xC0));
            QCOMPARE(link->font().family(), QString("宋体"));
            QCOMPARE(link->font().pointSize(), 9);
            QVERIFY(link->font().underline());
        }
        QCOMPARE(TextColour(Child<QLabel>("lblTitle")), QColor(Qt::black));
        QCOMPARE(TextColour(Child<QLabel>("lblDisclaimer")), QColor(Qt::black));
    }

    void otherLabelsUseTheBoxFont() {
        QCOMPARE(about->font().family(), QString("宋体"));
        QCOMPARE(about->font().pointSize(), 9);
        for (const char* name : {"Label1_0", "Label1_3", "lblTitle", "lblVersion"}) {
            QCOMPARE(Child<QLabel>(name)->font(), about->font());
        }
    }

    void linksShowTheirOwnPointers() {
        const QCursor home = Child<QLabel>("Label1_1")->cursor();
        const QCursor mail = Child<QLabel>("Label1_2")->cursor();
        QCOMPARE(home.shape(), Qt::BitmapCursor);
        QCOMPARE(mail.shape(), Qt::BitmapCursor);
        QCOMPARE(home.pixmap().size(), QSize(32, 32));
        QCOMPARE(mail.pixmap().size(), QSize(32, 32));
        QVERIFY(home.pixmap().toImage() != mail.pixmap().toImage());
        QCOMPARE(Child<QLabel>("Label1_0")->cursor().shape(), Qt::ArrowCursor);
    }

    void bannerFillsItsSunkenPictureBox() {
        auto* picture = Child<QLabel>("Picture1");
        QCOMPARE(picture->pixmap().size(), QSize(300, 106));
        QCOMPARE(picture->frameWidth(), 2);
        QCOMPARE(picture->frameShadow(), QFrame::Sunken);
        QCOMPARE(picture->contentsRect(), QRect(2, 2, 300, 106));
    }

    void ruleIsGreyOverWhite() {
        QCOMPARE(TextColour(Child<QFrame>("Line1_0")), QColor(Qt::white));
        QCOMPARE(TextColour(Child<QFrame>("Line1_1")), QColor(0x80, 0x80, 0x80));
        const QImage shot = about->grab().toImage();
        QCOMPARE(shot.pixelColor(150, 216), QColor(0x80, 0x80, 0x80));
        QCOMPARE(shot.pixelColor(150, 217), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(303, 216), QColor(0x80, 0x80, 0x80));
    }

    void tabGoesRoundTheButtonsAndTheBanner() {
        ShowAndActivate();
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>("cmdOK"));
        QList<QWidget*> visited;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, (QList<QWidget*>{Child<QWidget>("cmdSysInfo"), Child<QWidget>("Picture1"),
                                           Child<QWidget>("cmdOK")}));
    }

    void okCloses() {
        ShowAndActivate();
        QTest::mouseClick(Child<QPushButton>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(about.isNull());
    }

    void enterCloses() {
        ShowAndActivate();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(about.isNull());
    }

    void enterOnTheBannerCloses() {
        ShowAndActivate();
        Child<QWidget>("Picture1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(about.isNull());
    }

    void enterAfterLeavingSysInfoClosesAgain() {
        ShowAndActivate();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // to cmdSysInfo
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // on to the banner
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>("Picture1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(about.isNull());
    }

    void escClosesWhereverTheFocusIs() {
        for (const char* name : {"cmdOK", "cmdSysInfo", "Picture1"}) {
            if (!about) init();
            ShowAndActivate();
            Child<QWidget>(name)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY2(about.isNull(), name);
        }
    }

    void enterOnSysInfoPressesItInstead() {
        ShowAndActivate();
        Child<QWidget>("cmdSysInfo")->setFocus(Qt::TabFocusReason);
        SeenBox seen;
        const auto answer = AnswerNextBox(seen, QMessageBox::Ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(answer->Answered(), answer->Why());
        QVERIFY(!about.isNull());
        QVERIFY(about->isVisible());
    }

    void sysInfoIsUnavailableWithoutARegistry() {
        ShowAndActivate();
        SeenBox seen;
        const auto answer = AnswerNextBox(seen, QMessageBox::Ok);
        QTest::mouseClick(Child<QPushButton>("cmdSysInfo"), Qt::LeftButton);
        QVERIFY2(answer->Answered(), answer->Why());
        QCOMPARE(seen.text, QString("此时系统信息不可用"));
        QCOMPARE(seen.title, QString("Revuro"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The box stays open and usable.
        QVERIFY(!about.isNull());
        QVERIFY(about->isVisible());
    }

    void altSPressesSysInfo() {
        ShowAndActivate();
        SeenBox seen;
        const auto answer = AnswerNextBox(seen, QMessageBox::Ok);
        // Through the window, as the desktop delivers keys: shortcuts are matched there.
        QTest::keyClick(about->windowHandle(), Qt::Key_S, Qt::AltModifier);
        // A mnemonic animates the press first.
        QTRY_VERIFY2(answer->Answered(), answer->Why());
        QCOMPARE(seen.text, QString("此时系统信息不可用"));
    }

    void homePageLineOpensTheHomePage() {
        QTest::mouseClick(Child<QLabel>("Label1_1"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl("https://revuro.example.org/")});
    }

    void mailLineOpensANewMessage() {
        QTest::mouseClick(Child<QLabel>("Label1_2"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl("mailto:feedback@revuro.example.org")});
    }

    void otherLinesOpenNothing() {
        QTest::mouseClick(Child<QLabel>("Label1_0"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>("Label1_3"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>("lblTitle"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>("Label1_1"), Qt::RightButton);
        QVERIFY(opened.isEmpty());
    }

    void releaseAwayFromTheLinkOpensNothing() {
        auto* link = Child<QLabel>("Label1_1");
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, 5));
        QVERIFY(opened.isEmpty());
    }

    void eachLoadFillsTheTextsAgain() {
        ShowAndActivate();
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
        init();
        QCOMPARE(about->windowTitle(), QString("关于 Revuro"));
        QCOMPARE(Child<QLabel>("lblVersion")->text(), QString("版本 2.0.3"));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
