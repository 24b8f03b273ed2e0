#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/Twips.h"
#include "core/config/QuickHelp.h"
#include "core/store/IniSettingsStore.h"
#include "core/store/PlayOptions.h"
#include "core/store/PlaylistFile.h"
#include "platform/NarrowCodec.h"
#include "qt/about/frmAbout.h"
#include "qt/config/FrmConfig.h"
#include "qt/player/MpvBackend.h"
#include "qt/player/PlayerControl.h"
#include "qt/player/PlayerFactory.h"
#include "qt/trialplay/frmPlay.h"
#include "support/ModalAnswer.h"
#include "support/TempFolder.h"

using namespace revuro;
using revuro::testing::AnswerNextBox;
using revuro::testing::ModalAnswer;
using revuro::testing::ReadBytes;
using revuro::testing::SeenBox;
using revuro::testing::TempFolder;
using revuro::testing::WriteBytes;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Types `names` into the add dialog's name box in `folder`, as a user does once the folder's
// files are listed: the box completes what is typed against the list, so typing into a list
// still loading would give another selection.
bool TypeNames(QFileDialog* dialog, const QString& folder, const QStringList& listed,
               const QString& names) {
    dialog->setDirectory(folder);
    const auto* model = dialog->findChild<QFileSystemModel*>();
    const bool loaded = QTest::qWaitFor([&] {
        return std::all_of(listed.begin(), listed.end(), [&](const QString& name) {
            return model->index(folder + "/" + name).isValid();
        });
    });
    if (!loaded) {
        qWarning("the add dialog did not list %s", qPrintable(listed.join(", ")));
        return false;
    }
    auto* box = dialog->findChild<QLineEdit*>("fileNameEdit");
    box->setFocus();
    box->setText(names);
    return true;
}

}  // namespace

class TestFrmConfig : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        program_ = std::make_unique<TempFolder>();
        config_ = std::make_unique<TempFolder>();
        media_ = std::make_unique<TempFolder>();
        QVERIFY(program_->ok() && config_->ok() && media_->ok());
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_->path()));
        settings_ = std::make_unique<IniSettingsStore>(IniSettingsStore::DefaultPath());
    }

    void cleanup() {
        dialog_.reset();
        settings_.reset();
        media_.reset();
        config_.reset();
        program_.reset();
    }

    void hasTheCaptionAndAFixedSizeWithoutMinimiseOrMaximise() {
        Open();
        QCOMPARE(dialog_->windowTitle(), QString("DavodoR2.03设置"));
        QCOMPARE(dialog_->size(), QSize(TwipsToPixels(6015), TwipsToPixels(6735)));
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
        QVERIFY(!(dialog_->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog_->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog_->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
    }

    void placesEveryControlAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, const char* container, QRect twips,
                            const char* caption) {
            QTest::newRow(name) << QString(name) << QString(container) << twips
                                << QString::fromUtf8(caption);
        };
        row("Frame1", "FrmConfig", {0, 0, 6015, 4815}, "电影文件");
        row("cmdOK", "FrmConfig", {240, 6120, 1215, 495}, "确定(Enter)");
        row("cmdCancel", "FrmConfig", {1680, 6120, 1215, 495}, "取消(ESC)");
        row("cmdhelp", "FrmConfig", {3120, 6120, 1215, 495}, "帮助(&H)");
        row("cmdAbout", "FrmConfig", {4560, 6120, 1215, 495}, "关于(&B)");
        row("lstFiles", "FrmConfig", {120, 240, 5775, 3660}, "");
        row("cmdAdd", "FrmConfig", {120, 4200, 1215, 495}, "添加电影(&A)");
        row("cmdClear", "Frame1", {2400, 4200, 1215, 495}, "全部清除(&C)");
        row("CmdPlay", "Frame1", {4560, 4200, 1215, 495}, "全部播放(&P)");
        row("Frame2", "FrmConfig", {0, 4920, 6012, 1095}, "选项设置");
        row("chkA", "Frame2", {120, 240, 5535, 375}, "循环播放电影文件");
        row("chkRandom", "Frame2", {120, 600, 4215, 375}, "随机播放电影文件");
        row("lstShort", "FrmConfig", {4200, 6480, 255, 420}, "");
    }

    void placesEveryControlAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        Open();
        auto* control = dialog_->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(),
                 QRect(TwipsToPixels(twips.x()), TwipsToPixels(twips.y()),
                       TwipsToPixels(twips.width()), TwipsToPixels(twips.height())));
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            QCOMPARE(button->text(), caption);
        } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            QCOMPARE(frame->title(), caption);
        }
    }

    void paintsTheDesignedColoursAndFonts() {
        Open();
        const auto* frame1 = Find<QGroupBox>("Frame1");
        QCOMPARE(frame1->palette().color(QPalette::Window), QColor(0xC0, 0x00, 0xC0));
        QCOMPARE(frame1->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
        QCOMPARE(frame1->font().family(), QString("宋体"));
        QCOMPARE(frame1->font().pointSizeF(), 12.0);

        const auto* list = Find<QListView>("lstFiles");
        QCOMPARE(list->palette().color(QPalette::Base), QColor(0xC0, 0x00, 0xC0));
        QCOMPARE(list->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(list->font().family(), QString("宋体"));
        QCOMPARE(list->font().pointSizeF(), 12.0);

        const auto* frame2 = Find<QGroupBox>("Frame2");
        QCOMPARE(frame2->palette().color(QPalette::Window), QColor(0xFF, 0xC0, 0xFF));
        QCOMPARE(frame2->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00));
        QCOMPARE(frame2->font().pointSizeF(), 10.5);

        for (const char* box : {"chkA", "chkRandom"}) {
            const auto* check = Find<QCheckBox>(box);
            QCOMPARE(check->palette().color(check->backgroundRole()), QColor(0xFF, 0xC0, 0xFF));
            QVERIFY(check->autoFillBackground());
            // Not the frame's font or fore colour: these keep the defaults.
            QCOMPARE(check->font(), QApplication::font());
            QCOMPARE(check->palette().color(QPalette::WindowText),
                     QApplication::palette().color(QPalette::WindowText));
        }
        for (const char* button : {"cmdClear", "CmdPlay", "cmdOK"})
            QCOMPARE(Find<QPushButton>(button)->font(), QApplication::font());
    }

    void theSongFaceFallsBackToAFaceWithChineseGlyphs() {
        Open();
        const QStringList faces = {"AR PL UMing CN", "WenQuanYi Micro Hei"};
        QVERIFY2(faces.contains(QFontInfo(Find<QGroupBox>("Frame1")->font()).family()),
                 qPrintable(QFontInfo(Find<QGroupBox>("Frame1")->font()).family()));
    }

    void theListAndTheAddButtonLieInFrontOfFrame1() {
        Open();
        const auto* list = Find<QListView>("lstFiles");
        QWidget* atList = dialog_->childAt(list->geometry().center());
        QVERIFY(atList == list || list->isAncestorOf(atList));
        const auto* add = Find<QPushButton>("cmdAdd");
        QCOMPARE(dialog_->childAt(add->geometry().center()), add);
    }

    void lstShortStaysHidden() {
        Open();
        ShowAndActivate();
        QVERIFY(Find<QListView>("lstShort")->isHidden());
        QVERIFY(!Find<QListView>("lstShort")->isVisible());
    }

    void tabGoesThroughTheControlsInTheirDesignedOrder() {
        Open();
        ShowAndActivate();
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdOK"));
        const QStringList expected = {"cmdCancel", "cmdhelp", "cmdAbout", "lstFiles",  "cmdAdd",
                                      "cmdClear",  "CmdPlay", "chkA",     "chkRandom", "cmdOK"};
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void theMnemonicsPressTheirButtons() {
        WritePlaylist({File("a.avi"), File("b.avi")});
        Open();
        ShowAndActivate();
        QCOMPARE(Rows().size(), 2);
        QTest::keyClick(dialog_.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(Rows().size(), 0);
    }

    void firstRunShowsTheDesignedBoxesWhateverTheStoreHolds() {
        Store(play_options::kLoopKey, false);
        Store(play_options::kRandomKey, true);
        Open();
        QVERIFY(Find<QCheckBox>("chkA")->isChecked());
        QVERIFY(!Find<QCheckBox>("chkRandom")->isChecked());
        QCOMPARE(Rows(), QStringList());
    }

    void aStoredListRestoresTheStoredBoxes() {
        WritePlaylist({File("a.avi")});
        Store(play_options::kLoopKey, false);
        Store(play_options::kRandomKey, true);
        Open();
        QVERIFY(!Find<QCheckBox>("chkA")->isChecked());
        QVERIFY(Find<QCheckBox>("chkRandom")->isChecked());
        QCOMPARE(Rows(), QStringList{Q(File("a.avi"))});
    }

    void enterOnTheListConfirmsAndRewritesThePlaylist() {
        const std::string before = File("a.avi") + "\r\n" + File("b.avi");
        WriteBytes(program_->File("varariv.m3u"), before);
        Open();
        ShowAndActivate();
        Find<QListView>("lstFiles")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!dialog_->isVisible());
        QCOMPARE(ReadBytes(program_->File("varariv.m3u")).substr(0, before.size()), before);
        QCOMPARE(Setting(play_options::kLoopKey), std::string("否"));
        QCOMPARE(Setting(play_options::kRandomKey), std::string("否"));
    }

    void enterOnAnotherButtonPressesThatButton() {
        Open();
        ShowAndActivate();
        Find<QPushButton>("cmdhelp")->setFocus();
        SeenBox seen;
        const auto answer = AnswerNextBox(seen, QMessageBox::Ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY2(answer->Answered(), answer->Why());
        QCOMPARE(seen.title, QString("简易帮助"));
        QVERIFY(dialog_->isVisible());
        QVERIFY(!QFile::exists(Q(program_->File("varariv.m3u"))));
    }

    void escCancelsWritesNothingAndRemovesTheTrialPlaylist() {
        WritePlaylist({File("a.avi")});
        const std::string before = ReadBytes(program_->File("varariv.m3u"));
        WriteBytes(program_->File("temp.m3u"), "x");
        Open();
        ShowAndActivate();
        Find<QCheckBox>("chkRandom")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog_->isVisible());
        QCOMPARE(ReadBytes(program_->File("varariv.m3u")), before);
        QVERIFY(!QFile::exists(Q(program_->File("temp.m3u"))));
        QCOMPARE(Setting(play_options::kLoopKey), std::string());
    }

    void theCloseBoxUnloadsLikeCancel() {
        WriteBytes(program_->File("temp.m3u"), "x");
        Open();
        ShowAndActivate();
        QVERIFY(dialog_->close());
        QVERIFY(!QFile::exists(Q(program_->File("temp.m3u"))));
        QVERIFY(!QFile::exists(Q(program_->File("varariv.m3u"))));
        QCOMPARE(Setting(play_options::kRandomKey), std::string());
    }

    void aDropAddsLocalFilesAndFoldersInOrderWithoutDuplicates() {
        Open();
        const QString a = Q(File("a.avi"));
        const QString b = Q(File("b.avi"));
        const QString folder = Q(File("clips"));
        QVERIFY(QDir().mkdir(folder));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a), QUrl("https://example.com/c.avi"),
                      QUrl::fromLocalFile(b), QUrl::fromLocalFile(a.toUpper()),
                      QUrl::fromLocalFile(folder)});
        QVERIFY(Drop(data));
        QCOMPARE(Rows(), (QStringList{a, b, folder}));
    }

    void dataThatIsNoFileListIsRefused() {
        Open();
        QMimeData data;
        data.setText("/some/path.avi");
        QVERIFY(!DragEnter(data));
        QVERIFY(!Drop(data));
        QCOMPARE(Rows(), QStringList());
    }

    // Rows all take one size; it must be the widest row's, wherever that row stands.
    void everyRowCanBeScrolledIntoFullView() {
        const std::string wide = File("电影电影电影电影电影电影电影电影电影电影电影电影电影.avi");
        WritePlaylist({File("a.avi"), wide, File("b.avi")});
        Open();
        ShowAndActivate();
        auto* list = Find<QListView>("lstFiles");
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        QVERIFY(ContentWidth(list) >= list->fontMetrics().horizontalAdvance(Q(wide)));

        // A wider row appended later widens every row again.
        const QString wider =
            Q(File(std::string(40, 'W') + "电影电影电影电影电影电影电影电影.avi"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(wider)});
        QVERIFY(Drop(data));
        QCOMPARE(Rows().last(), wider);
        QTRY_VERIFY(ContentWidth(list) >= list->fontMetrics().horizontalAdvance(wider));
    }

    void aDoubleClickPlaysTheRowInOneReusedTrialWindow() {
        WritePlaylist({File("a.avi"), File("b.avi")});
        Open();
        ShowAndActivate();
        auto* list = Find<QListView>("lstFiles");
        DoubleClick(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
        QTRY_VERIFY(dialog_->trialWindow() != nullptr);
        frmPlay* trial = dialog_->trialWindow();
        QTRY_VERIFY(trial->isVisible());
        QCOMPARE(trial->parentWidget(), nullptr);
        QCOMPARE(trial->wmp().player().URL(), File("b.avi"));

        DoubleClick(list->viewport(), list->visualRect(list->model()->index(0, 0)).center());
        QTRY_COMPARE(trial->wmp().player().URL(), File("a.avi"));
        QCOMPARE(dialog_->trialWindow(), trial);
    }

    void aDoubleClickWithoutACurrentRowPlaysNothing() {
        Open();
        ShowAndActivate();
        auto* list = Find<QListView>("lstFiles");
        DoubleClick(list->viewport(), QPoint(20, 20));
        QCOMPARE(dialog_->trialWindow(), nullptr);
    }

    void playAllOutlivesTheDialogAndIsRecreatedAfterClosing() {
        WritePlaylist({File("a.avi"), File("b.avi")});
        Open();
        ShowAndActivate();
        Find<QPushButton>("CmdPlay")->click();
        const std::string trialList = program_->File("temp.m3u");
        QCOMPARE(ReadBytes(trialList).substr(0, 2 * File("a.avi").size() + 2),
                 File("a.avi") + "\r\n" + File("b.avi"));
        QPointer<frmPlay> trial = dialog_->trialWindow();
        QVERIFY(trial != nullptr);
        QCOMPARE(trial->wmp().player().URL(), trialList);
        QCOMPARE(trial->wmp().player().Items(),
                 (std::vector<std::string>{File("a.avi"), File("b.avi")}));

        // A second press reuses the window.
        Find<QPushButton>("CmdPlay")->click();
        QCOMPARE(dialog_->trialWindow(), trial.data());

        // Closing it destroys it; the next trial makes a new one.
        trial->close();
        QTRY_VERIFY(trial.isNull());
        Find<QPushButton>("CmdPlay")->click();
        QVERIFY(dialog_->trialWindow() != nullptr);
        trial = dialog_->trialWindow();

        // The dialog goes; the trial window stays and plays on.
        Find<QPushButton>("cmdCancel")->click();
        QVERIFY(!dialog_->isVisible());
        QVERIFY(!trial.isNull());
        QVERIFY(trial->isVisible());
        QVERIFY(!QFile::exists(Q(trialList)));
    }

    void theAddDialogOffersTheSixChoicesAndAddsTheSelection() {
        WritePlaylist({File("a.avi")});
        for (const char* name : {"a.avi", "b.avi", "c.mp4"}) WriteBytes(File(name), "");
        Open();
        ShowAndActivate();

        QString title;
        QStringList filters;
        QString nameBox;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        ModalAnswer answer([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            mode = dialog->fileMode();
            nameBox = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            if (TypeNames(dialog, Q(media_->path()), {"a.avi", "b.avi", "c.mp4"},
                          "\"b.avi\" \"a.avi\" \"c.mp4\""))
                static_cast<QDialog*>(dialog)->accept();
        });
        Find<QPushButton>("cmdAdd")->click();
        QVERIFY2(answer.Answered(), answer.Why());

        QCOMPARE(title, QString("添加电影文件"));
        QCOMPARE(mode, QFileDialog::ExistingFiles);
        QCOMPARE(nameBox, QString());
        QCOMPARE(filters.size(), 6);
        QCOMPARE(filters[0],
                 QString("所有支持的电影 (*.wmv *.wvx *.asf *.asx *.wpl *.wm *.wmx *.wmd *.wmz "
                         "*.dvr-ms *.vob *.m3u *.avi *.mpeg *.mpg *.mpe *.m1v *.mp2 *.mpv2 "
                         "*.mp2v* *.mpa *.rm *.rmvb *.ifo *.dat *.mp4 *.swf *.bmp *.jpg *.ico "
                         "*.gif *.png *.jpeg)"));
        QCOMPARE(filters[1],
                 QString("电影文件(*.avi、*.rmvb等) (*.wmv *.wvx *.asf *.asx *.wpl *.wm *.wmx "
                         "*.wmd *.wmz *.dvr-ms *.vob *.m3u *.avi *.mpeg *.mpg *.mpe *.m1v *.mp2 "
                         "*.mpv2 *.mp2v* *.mpa *.rm *.rmvb *.ifo *.dat *.mp4)"));
        QCOMPARE(filters[2], QString("图片文件(*.jpg等) (*.bmp *.jpg *.ico *.gif *.png *.jpeg)"));
        QCOMPARE(filters[3], QString("Flash动画(*.swf) (*.swf)"));
        QCOMPARE(filters[4], QString("音频文件(*.mp3等，不推荐) (*.mp3 *.wma *.mid *.midi *.wav "
                                     "*.ra *.ram)"));
        QCOMPARE(filters[5], QString("所有文件(*.*) (*.*)"));

        // a.avi is listed already; the others follow in the dialog's order.
        QCOMPARE(Rows(), (QStringList{Q(File("a.avi")), Q(File("b.avi")), Q(File("c.mp4"))}));
    }

    void filesTypedFromSeveralFoldersAreAddedInTheirOrder() {
        QVERIFY(QDir().mkdir(Q(File("sub"))));
        for (const char* name : {"a.avi", "sub/b.avi", "c.avi"}) WriteBytes(File(name), "");
        Open();
        ShowAndActivate();
        ModalAnswer answer([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (TypeNames(dialog, Q(media_->path()), {"a.avi", "c.avi"},
                          "\"a.avi\" \"" + Q(File("sub/b.avi")) + "\" \"c.avi\""))
                static_cast<QDialog*>(dialog)->accept();
        });
        Find<QPushButton>("cmdAdd")->click();
        QVERIFY2(answer.Answered(), answer.Why());
        QCOMPARE(Rows(), (QStringList{Q(File("a.avi")), Q(File("sub/b.avi")), Q(File("c.avi"))}));
    }

    void theAddDialogOpensEmptyWhereTheLastSelectionWas() {
        WriteBytes(File("a.avi"), "");
        Open();
        ShowAndActivate();
        auto first = std::make_unique<ModalAnswer>([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            // Typed, as a user would: selectFile() leaves the name box alone once the box has
            // the focus, and whether it has it yet depends on when the window was activated.
            if (TypeNames(dialog, Q(media_->path()), {"a.avi"}, "a.avi"))
                static_cast<QDialog*>(dialog)->accept();
        });
        Find<QPushButton>("cmdAdd")->click();
        QVERIFY2(first->Answered(), first->Why());
        QCOMPARE(Rows(), QStringList{Q(File("a.avi"))});

        QString nameBox = "unset";
        QString folder;
        ModalAnswer second([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            nameBox = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        Find<QPushButton>("cmdAdd")->click();
        QVERIFY2(second.Answered(), second.Why());
        QCOMPARE(nameBox, QString());
        QCOMPARE(folder, Q(media_->path()));
    }

    void cancellingTheAddDialogChangesNothingAndShowsNothing() {
        WritePlaylist({File("a.avi")});
        Open();
        ShowAndActivate();
        int modals = 0;
        ModalAnswer cancel([&](QWidget* modal) {
            ++modals;
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->reject();
        });
        Find<QPushButton>("cmdAdd")->click();
        QVERIFY2(cancel.Answered(), cancel.Why());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(modals, 1);
        QCOMPARE(Rows(), QStringList{Q(File("a.avi"))});
    }

    void helpShowsTheQuickHelpInAnInformationBoxEachLineWhole() {
        Open();
        ShowAndActivate();
        SeenBox seen;
        QStringList lines;
        int labelHeight = 0;
        int unwrappedHeight = 0;
        ModalAnswer answer([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                    box->isModal()};
            const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            QVERIFY(label != nullptr);
            const QString shown =
                label->textFormat() == Qt::PlainText
                    ? label->text()
                    : QTextDocumentFragment::fromHtml(label->text()).toPlainText();
            lines = shown.split(QRegularExpression("\r?\n"));
            // The height the label needs with no width limit: any more means a wrapped line.
            labelHeight = label->height();
            unwrappedHeight = label->heightForWidth(QWIDGETSIZE_MAX);
            box->button(QMessageBox::Ok)->click();
        });
        Find<QPushButton>("cmdhelp")->click();
        QVERIFY2(answer.Answered(), answer.Why());
        QCOMPARE(seen.title, QString("简易帮助"));
        QCOMPARE(lines, Q(QuickHelpText()).split("\r\n"));
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines[5].contains("ESC键！谢谢您的使用！"));
        QCOMPARE(labelHeight, unwrappedHeight);
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.modal);
    }

    void aboutOpensOneModelessBoxWithoutOwner() {
        Open();
        ShowAndActivate();
        Find<QPushButton>("cmdAbout")->click();
        Find<QPushButton>("cmdAbout")->click();
        QList<frmAbout*> boxes;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<frmAbout*>(window); box != nullptr && box->isVisible())
                boxes << box;
        }
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.front()->parentWidget(), nullptr);
        QVERIFY(!boxes.front()->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The dialog still takes input.
        QTest::keyClick(dialog_.get(), Qt::Key_C, Qt::AltModifier);
        QVERIFY(dialog_->isVisible());
    }

    void anEmptyListAsksBeforeSavingAndCancelKeepsTheDialogOpen() {
        Open();
        ShowAndActivate();
        SeenBox seen;
        const auto answer = AnswerNextBox(seen, QMessageBox::Cancel);
        Find<QPushButton>("cmdOK")->click();
        QVERIFY2(answer->Answered(), answer->Why());
        QCOMPARE(seen.title, QString("提示"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(dialog_->isVisible());
        QVERIFY(!QFile::exists(Q(program_->File("varariv.m3u"))));
    }

    void randomOrderOnOkKeepsEveryRowAndFillsTheHiddenList() {
        WritePlaylist({File("a.avi"), File("b.avi"), File("c.avi")});
        Store(play_options::kRandomKey, true);
        Open();
        ShowAndActivate();
        Find<QPushButton>("cmdOK")->click();
        QVERIFY(!dialog_->isVisible());
        QStringList rows = Rows();
        const QStringList hidden = TextsOf(Find<QListView>("lstShort"));
        QCOMPARE(hidden, rows);
        rows.sort();
        QCOMPARE(rows, (QStringList{Q(File("a.avi")), Q(File("b.avi")), Q(File("c.avi"))}));
    }

    void theDeleteKeyOnTheListRemovesTheCurrentRowAndOkWritesTheRest() {
        WritePlaylist({File("a.avi"), File("b.avi"), File("c.avi")});
        Open();
        ShowAndActivate();
        auto* list = Find<QListView>("lstFiles");
        list->setFocus();
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(Rows(), (QStringList{Q(File("a.avi")), Q(File("c.avi"))}));
        QCOMPARE(CurrentSelectedRow(list), 1);

        // Delete anywhere else in the dialog removes nothing.
        Find<QPushButton>("cmdAdd")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(Rows().size(), 2);

        Find<QPushButton>("cmdOK")->click();
        QCOMPARE(ReadBytes(program_->File("varariv.m3u")), File("a.avi") + "\r\n" + File("c.avi"));
    }

    void theListsContextMenuRemovesTheRowUnderTheMouse() {
        WritePlaylist({File("a.avi"), File("b.avi"), File("c.avi")});
        Open();
        ShowAndActivate();
        auto* list = Find<QListView>("lstFiles");
        auto* menu = dialog_->findChild<QMenu*>("mnuList");
        QVERIFY(menu != nullptr);

        // Below the last row there is no row to act on, and no menu.
        ContextMenu(list,
                    list->visualRect(list->model()->index(2, 0)).bottomLeft() + QPoint(5, 20));
        QVERIFY(!menu->isVisible());

        ContextMenu(list, list->visualRect(list->model()->index(2, 0)).center());
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->actions().size(), 1);
        QAction* remove = menu->actions().front();
        QCOMPARE(remove->text(), QString("删除"));
        QCOMPARE(remove->shortcut(), QKeySequence(QKeySequence::Delete));
        QCOMPARE(CurrentSelectedRow(list), 2);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(Rows(), (QStringList{Q(File("a.avi")), Q(File("b.avi"))}));
        QCOMPARE(CurrentSelectedRow(list), 1);
    }

  private:
    void Open() {
        dialog_ = std::make_unique<FrmConfig>(PlaylistPlaces::Beside(program_->path()), *settings_,
                                              playlists_, players_);
        dialog_->Load();
    }

    // The current row when it is also the one selected row, else -1.
    static int CurrentSelectedRow(const QListView* list) {
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        const QModelIndex current = list->currentIndex();
        return selected.size() == 1 && selected.front() == current ? current.row() : -1;
    }

    // What a right click, or the menu key, delivers at `at` on the list's rows.
    static void ContextMenu(QListView* list, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
    }

    void ShowAndActivate() {
        dialog_->show();
        QApplication::setActiveWindow(dialog_.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }

    // What a mouse delivers: a click, then the double click in place of the second press.
    static void DoubleClick(QWidget* widget, QPoint at) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    }

    template <class T>
    T* Find(const char* name) const {
        auto* found = dialog_->findChild<T*>(name);
        if (found == nullptr) qFatal("no control %s", name);
        return found;
    }

    QStringList Rows() const { return TextsOf(Find<QListView>("lstFiles")); }

    // How far the list's rows reach, scrolled or not.
    static int ContentWidth(const QListView* list) {
        return list->horizontalScrollBar()->maximum() + list->viewport()->width();
    }

    static QStringList TextsOf(const QListView* list) {
        QStringList texts;
        const QAbstractItemModel* model = list->model();
        for (int i = 0; i < model->rowCount(); ++i) texts << model->index(i, 0).data().toString();
        return texts;
    }

    bool DragEnter(QMimeData& data) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Find<QListView>("lstFiles")->viewport(), &enter);
        return enter.isAccepted();
    }

    // Drops reach only the widget that accepted the drag's entry, as from the shell.
    bool Drop(QMimeData& data) {
        if (!DragEnter(data)) return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Find<QListView>("lstFiles")->viewport(), &drop);
        return drop.isAccepted();
    }

    std::string File(const std::string& name) const { return media_->File(name); }

    void WritePlaylist(const std::vector<std::string>& rows) {
        std::string bytes;
        for (std::size_t i = 0; i < rows.size(); ++i) bytes += (i == 0 ? "" : "\r\n") + rows[i];
        WriteBytes(program_->File("varariv.m3u"), bytes);
    }

    void Store(const char* key, bool on) {
        (void)settings_->SaveSetting(play_options::kApplication, play_options::kSection, key,
                                     on ? play_options::kYes : play_options::kNo);
    }
    std::string Setting(const char* key) const { return play_options::Read(*settings_, key); }

    NarrowCodec codec_{"UTF-8"};
    PlaylistFile playlists_{codec_};
    PlayerFactory players_{codec_, VideoOutput::X11};
    std::unique_ptr<TempFolder> program_;
    std::unique_ptr<TempFolder> config_;
    std::unique_ptr<TempFolder> media_;
    std::unique_ptr<IniSettingsStore> settings_;
    std::unique_ptr<FrmConfig> dialog_;
};

QTEST_MAIN(TestFrmConfig)
#include "tst_FrmConfig.moc"
