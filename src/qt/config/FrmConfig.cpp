#include "qt/config/FrmConfig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <cstdint>

#include "core/Paths.h"
#include "core/Twips.h"
#include "core/config/AddMovieFilter.h"
#include "core/config/FrmConfigLayout.h"
#include "core/trialplay/TrialWindow.h"
#include "qt/FormStyle.h"
#include "qt/about/frmAbout.h"
#include "qt/config/RowListModel.h"
#include "qt/config/WidestRowDelegate.h"
#include "qt/trialplay/frmPlay.h"

namespace revuro {

namespace {

// The information texts are written in lines (CR LF), which Qt's box would wrap once one is
// wider than half the screen. Preformatted rich text keeps every line whole; the box grows to
// fit, as far as the screen allows.
QString WholeLines(const std::string& text) {
    QString lines = QString::fromStdString(text).toHtmlEscaped();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return QStringLiteral("<p style=\"white-space:pre\">") + lines + QStringLiteral("</p>");
}

using Layout = FrmConfigLayout;

QRect At(const TwipsBox& box) { return TwipsRect(box.left, box.top, box.width, box.height); }

// Fonts and palettes pass from a frame to what it holds; a control that keeps the defaults
// inside a frame must say so for every property.
QFont DefaultFont() {
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

QPalette DefaultPalette() {
    QPalette palette = QApplication::palette();
    palette.setResolveMask(~QPalette::ResolveMask(0));
    return palette;
}

QPushButton* MakeButton(const char* name, const char* caption, const QRect& at, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(at);
    // A focused button takes Enter itself; elsewhere Enter goes to the default button.
    button->setAutoDefault(true);
    return button;
}

// A list of one-line rows shown from `rows`. Every row takes the size of the widest, so a full
// list is laid out without measuring each row.
QListView* MakeList(const char* name, const QRect& at, RowListModel* rows, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setGeometry(at);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new WidestRowDelegate(list));
    list->setModel(rows);
    return list;
}

// One open-file dialog result in the shape every platform's splitting expects: one full path,
// or the folder followed by NUL + name for each file, with the folder the selection lies in.
struct DialogSelection {
    std::string text;
    std::string folder;
};

// The dialog's files normally share one folder; should they not, each run of files from one
// folder becomes a selection of its own, so the order is kept and no path is misnamed.
std::vector<DialogSelection> SelectionsOf(const QStringList& files) {
    std::vector<DialogSelection> selections;
    std::vector<std::string> names;
    std::string folder;
    const auto flush = [&] {
        if (names.empty()) return;
        DialogSelection selection{{}, folder};
        if (names.size() == 1) {
            selection.text = PathBeside(folder, names.front());
        } else {
            selection.text = folder;
            for (const std::string& name : names) {
                selection.text.push_back('\0');
                selection.text += name;
            }
        }
        selections.push_back(std::move(selection));
        names.clear();
    };
    for (const QString& file : files) {
        const QFileInfo info(file);
        const std::string fileFolder = info.absolutePath().toStdString();
        if (fileFolder != folder) flush();
        folder = fileFolder;
        names.push_back(info.fileName().toStdString());
    }
    flush();
    return selections;
}

QStringList AddMovieNameFilters() {
    QStringList filters;
    for (const FileFilterChoice& choice : AddMovieFilterChoices()) {
        QStringList patterns;
        for (const std::string& pattern : choice.patterns)
            patterns << QString::fromStdString(pattern);
        filters << QString::fromStdString(choice.description) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

}  // namespace

FrmConfig::FrmConfig(const PlaylistPlaces& places, SettingsStore& settings,
                     const PlaylistFile& playlists, const PlayerFactory& players, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      players_(players),
      logic_(places, settings, playlists, *this) {
    setObjectName("FrmConfig");
    setWindowTitle(QString::fromUtf8(kConfigTitle));
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(TwipsToPixels(Layout::kClientWidth), TwipsToPixels(Layout::kClientHeight));
    QPalette back = palette();
    back.setColor(QPalette::Window, ColorFromBgr(Layout::kFormBack));
    setPalette(back);
    setAutoFillBackground(true);

    BuildControls();
    ConnectControls();
}

FrmConfig::~FrmConfig() {
    lstFiles_->viewport()->removeEventFilter(this);
    if (!unloaded_) logic_.Form_Unload();
    // The secondary windows have no owner; they go with the dialog at the program's end.
    delete trial_.data();
    delete about_.data();
}

void FrmConfig::BuildControls() {
    // Created in tab order, so the focus chain is the tab order.
    Frame1_ = new QGroupBox(QString::fromUtf8("电影文件"), this);
    Frame1_->setObjectName("Frame1");
    Frame1_->setGeometry(At(Layout::Frame1));
    Frame1_->setFont(SongFont(Layout::kFrame1Points));
    QPalette frame1 = Frame1_->palette();
    frame1.setColor(QPalette::Window, ColorFromBgr(Layout::kFrame1Back));
    frame1.setColor(QPalette::WindowText, ColorFromBgr(Layout::kFrame1Fore));
    Frame1_->setPalette(frame1);
    Frame1_->setAutoFillBackground(true);

    cmdOK_ = MakeButton("cmdOK", "确定(Enter)", At(Layout::cmdOK), this);
    cmdOK_->setDefault(true);
    cmdCancel_ = MakeButton("cmdCancel", "取消(ESC)", At(Layout::cmdCancel), this);
    cmdhelp_ = MakeButton("cmdhelp", "帮助(&H)", At(Layout::cmdhelp), this);
    cmdAbout_ = MakeButton("cmdAbout", "关于(&B)", At(Layout::cmdAbout), this);

    // The list and the add button belong to the form and lie in front of Frame1.
    lstFilesRows_ = new RowListModel(this);
    lstFiles_ = MakeList("lstFiles", At(Layout::lstFiles), lstFilesRows_, this);
    lstFiles_->setFont(SongFont(Layout::kListPoints));
    QPalette list = lstFiles_->palette();
    list.setColor(QPalette::Base, ColorFromBgr(Layout::kListBack));
    list.setColor(QPalette::Text, ColorFromBgr(Layout::kListFore));
    lstFiles_->setPalette(list);
    lstFiles_->setAcceptDrops(true);
    lstFiles_->viewport()->installEventFilter(this);
    // One row can go alone, by the Delete key on the list or by the list's context menu: the
    // remedy for a row that cannot be saved, short of clearing the whole list.
    mnuList_ = new QMenu(this);
    mnuList_->setObjectName("mnuList");
    mnuDelete_ = mnuList_->addAction(QString::fromUtf8("删除"));
    mnuDelete_->setObjectName("mnuDelete");
    mnuDelete_->setShortcut(QKeySequence::Delete);
    mnuDelete_->setShortcutContext(Qt::WidgetShortcut);
    lstFiles_->addAction(mnuDelete_);
    lstFiles_->setContextMenuPolicy(Qt::CustomContextMenu);
    cmdAdd_ = MakeButton("cmdAdd", "添加电影(&A)", At(Layout::cmdAdd), this);

    cmdClear_ = MakeButton("cmdClear", "全部清除(&C)", At(Layout::cmdClear), Frame1_);
    CmdPlay_ = MakeButton("CmdPlay", "全部播放(&P)", At(Layout::CmdPlay), Frame1_);
    for (QPushButton* button : {cmdClear_, CmdPlay_}) {
        button->setFont(DefaultFont());
        button->setPalette(DefaultPalette());
    }

    Frame2_ = new QGroupBox(QString::fromUtf8("选项设置"), this);
    Frame2_->setObjectName("Frame2");
    Frame2_->setGeometry(At(Layout::Frame2));
    Frame2_->setFont(SongFont(Layout::kFrame2Points));
    QPalette frame2 = Frame2_->palette();
    frame2.setColor(QPalette::Window, ColorFromBgr(Layout::kFrame2Back));
    frame2.setColor(QPalette::WindowText, ColorFromBgr(Layout::kFrame2Fore));
    Frame2_->setPalette(frame2);
    Frame2_->setAutoFillBackground(true);

    chkA_ = new QCheckBox(QString::fromUtf8("循环播放电影文件"), Frame2_);
    chkA_->setObjectName("chkA");
    chkA_->setGeometry(At(Layout::chkA));
    chkA_->setChecked(true);
    chkRandom_ = new QCheckBox(QString::fromUtf8("随机播放电影文件"), Frame2_);
    chkRandom_->setObjectName("chkRandom");
    chkRandom_->setGeometry(At(Layout::chkRandom));
    chkRandom_->setChecked(false);
    for (QCheckBox* box : {chkA_, chkRandom_}) {
        box->setFont(DefaultFont());
        QPalette boxPalette = DefaultPalette();
        boxPalette.setColor(QPalette::Window, ColorFromBgr(Layout::kFrame2Back));
        box->setPalette(boxPalette);
        box->setBackgroundRole(QPalette::Window);  // buttons fill with Button otherwise
        box->setAutoFillBackground(true);
    }

    lstShortRows_ = new RowListModel(this);
    lstShort_ = MakeList("lstShort", At(Layout::lstShort), lstShortRows_, this);
    lstShort_->setVisible(false);

    lstFiles_->raise();
    cmdAdd_->raise();

    QWidget* const tabOrder[] = {Frame1_,   cmdOK_,     cmdCancel_, cmdhelp_, cmdAbout_,
                                 lstFiles_, cmdAdd_,    cmdClear_,  CmdPlay_, Frame2_,
                                 chkA_,     chkRandom_, lstShort_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    cmdOK_->setFocus();
}

void FrmConfig::ConnectControls() {
    connect(cmdOK_, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { logic_.cmdCancel_Click(); });
    connect(cmdhelp_, &QPushButton::clicked, this, [this] { logic_.cmdhelp_Click(); });
    connect(cmdAbout_, &QPushButton::clicked, this, [this] { cmdAbout_Click(); });
    connect(cmdAdd_, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdClear_, &QPushButton::clicked, this, [this] { logic_.cmdClear_Click(); });
    connect(CmdPlay_, &QPushButton::clicked, this, [this] { logic_.CmdPlay_Click(); });
    connect(lstFiles_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { lstFiles_ContextMenu(at); });
    connect(mnuDelete_, &QAction::triggered, this, [this] { mnuDelete_Click(); });
}

void FrmConfig::Load() { logic_.Form_Load(); }

void FrmConfig::closeEvent(QCloseEvent* event) {
    // However the dialog closes, the same unload runs, and it never refuses.
    if (!unloaded_) {
        unloaded_ = true;
        logic_.Form_Unload();
    }
    event->accept();
}

void FrmConfig::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            cmdOK_->click();
            break;
        case Qt::Key_Escape:
            cmdCancel_->click();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool FrmConfig::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lstFiles_->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            lstFiles_DragEnter(event);
            return true;
        case QEvent::Drop:
            lstFiles_Drop(event);
            return true;
        case QEvent::MouseButtonDblClick:
            // Anywhere on the list: the current row plays, if there is one.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                logic_.lstFiles_DblClick(CurrentRow(), SelectedRowCount());
            }
            return false;
        default:
            return false;
    }
}

int FrmConfig::CurrentRow() const {
    const QModelIndex current = lstFiles_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int FrmConfig::SelectedRowCount() const {
    return static_cast<int>(lstFiles_->selectionModel()->selectedIndexes().size());
}

void FrmConfig::lstFiles_ContextMenu(const QPoint& at) {
    // The menu is about the row under the mouse; empty space has none.
    const QModelIndex row = lstFiles_->indexAt(at);
    if (!row.isValid()) return;
    lstFiles_->setCurrentIndex(row);
    mnuList_->popup(lstFiles_->viewport()->mapToGlobal(at));
}

void FrmConfig::mnuDelete_Click() { logic_.mnuDelete_Click(CurrentRow(), SelectedRowCount()); }

void FrmConfig::lstFiles_DragEnter(QEvent* event) {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
    } else {
        drag->ignore();
    }
}

void FrmConfig::lstFiles_Drop(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasUrls()) {
        drop->ignore();
        return;
    }
    std::vector<std::string> paths;
    for (const QUrl& url : drop->mimeData()->urls()) {
        // Only files and folders of this machine can be played; anything else is passed over.
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    drop->acceptProposedAction();
    logic_.lstFiles_OLEDragDrop(paths);
}

void FrmConfig::cmdAdd_Click() {
    QFileDialog dialog(this, QString::fromUtf8(kAddMovieDialogTitle));
    dialog.setObjectName("cd");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Show the descriptions as they are; their patterns still filter.
    dialog.setOptions(QFileDialog::HideNameFilterDetails | QFileDialog::DontResolveSymlinks);
    dialog.setNameFilters(AddMovieNameFilters());
    if (!addFolder_.isEmpty()) dialog.setDirectory(addFolder_);
    if (dialog.exec() != QDialog::Accepted) return;

    const QStringList files = dialog.selectedFiles();
    const std::vector<DialogSelection> selections = SelectionsOf(files);
    if (selections.empty()) return;
    addFolder_ = QString::fromStdString(selections.back().folder);
    for (const DialogSelection& selection : selections)
        logic_.cmdAdd_FileSelected(selection.text, selection.folder);
}

void FrmConfig::cmdAbout_Click() {
    if (!about_) about_ = new frmAbout();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void FrmConfig::RowsReset(const std::vector<std::string>& rows) {
    lstFilesRows_->Reset(rows);
    // The random order's working list, kept as the logic last left it; never shown.
    lstShortRows_->Reset(logic_.lstShort());
}

void FrmConfig::RowsAppended(const std::vector<std::string>& rows, std::size_t first) {
    lstFilesRows_->Append(rows, first);
}

void FrmConfig::RowRemoved(std::size_t index) { lstFilesRows_->Remove(index); }

void FrmConfig::SelectRow(std::size_t index) {
    const QModelIndex row = lstFilesRows_->index(static_cast<int>(index));
    lstFiles_->setCurrentIndex(row);
    lstFiles_->scrollTo(row);
}

QCheckBox* FrmConfig::CheckBoxOf(CheckBox box) const {
    return box == CheckBox::chkA ? chkA_ : chkRandom_;
}

bool FrmConfig::IsChecked(CheckBox box) const { return CheckBoxOf(box)->isChecked(); }

void FrmConfig::SetChecked(CheckBox box, bool checked) { CheckBoxOf(box)->setChecked(checked); }

void FrmConfig::MsgBoxInformation(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Information, QString::fromStdString(title), WholeLines(text),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::RichText);
    box.exec();
}

FrmConfigView::Answer FrmConfig::MsgBoxOkCancel(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Information, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

void FrmConfig::MsgBoxCritical(const std::string& text, const std::string& title) {
    QMessageBox::critical(this, QString::fromStdString(title), QString::fromStdString(text));
}

void FrmConfig::Beep() { QApplication::beep(); }

void FrmConfig::Unload() { close(); }

void FrmConfig::PlayInTrialWindow(const std::string& url) {
    if (!trial_) trial_ = new frmPlay(players_);
    if (Outcome playing = trial_->Play(url); !playing) {
        MsgBoxCritical(PlayFailedText(playing.error()), kPlayFailedTitle);
        return;
    }
    trial_->setWindowState(trial_->windowState() & ~Qt::WindowMinimized);
    trial_->show();
    trial_->raise();
    trial_->activateWindow();
}

}  // namespace revuro
