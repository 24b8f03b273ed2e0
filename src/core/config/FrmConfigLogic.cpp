#include "core/config/FrmConfigLogic.h"

#include <utility>

#include "core/ReasonText.h"
#include "core/config/DlgSelectFileInfo.h"
#include "core/config/QuickHelp.h"
#include "core/store/PlayOptions.h"
#include "platform/Files.h"

namespace revuro {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kInfoTitle = "提示";
constexpr const char* kSaveFailedTitle = "保存失败";
constexpr const char* kReadFailedTitle = "读取失败";

std::string EmptyListQuestion() {
    return std::string("对不起！您还没有添加任何多电影文件！Revuro将不能运行！") + kCrLf +
           "您确定要保存设置吗？";
}

std::string EmptyListForPlay() {
    return std::string("对不起！您还没有添加任何多电影文件！") + kCrLf + "请点击【添加电影】按钮。";
}

std::string RowsLeftOutOnAdd(std::size_t count) {
    return "对不起！电影文件列表最多只能容纳" + std::to_string(kMaxPlaylistRows) + "个文件！" +
           kCrLf + "有" + std::to_string(count) + "个文件没有添加。";
}

std::string RowsLeftOutOnLoad(std::size_t count) {
    return "播放列表文件中的电影文件超过" + std::to_string(kMaxPlaylistRows) + "个！" + kCrLf +
           "只载入了前" + std::to_string(kMaxPlaylistRows) + "个，后面的" + std::to_string(count) +
           "个文件没有载入。";
}

// What could not be stored, where, and why; the dialog stays open for another try.
std::string SaveFailed(const std::string& what, const Error& error) {
    std::string text = "对不起！" + what + "没有保存成功。" + kCrLf;
    if (!error.path.empty()) text += "文件：" + error.path + kCrLf;
    text += "原因：" + ReasonText(error) + kCrLf + "您的设置没有保存，请检查后再试。";
    return text;
}

std::string TrialWriteFailed(const Error& error) {
    return std::string("对不起！无法写入试播列表文件。") + kCrLf + "文件：" + error.path + kCrLf +
           "原因：" + ReasonText(error);
}

std::string ReadFailed(const Error& error) {
    return std::string("对不起！播放列表文件无法读取。") + kCrLf + "文件：" + error.path + kCrLf +
           "原因：" + ReasonText(error);
}

// Which lines could not be decoded, the first few by number; how they are shown and kept.
std::string UndecodableOnLoad(const std::vector<std::size_t>& lines, const std::string& codeset) {
    constexpr std::size_t kLinesNamed = 10;
    std::string numbers;
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) {
        if (i > 0) numbers += "、";
        numbers += std::to_string(lines[i]);
    }
    return "播放列表文件中有" + std::to_string(lines.size()) + "行不是当前字符集（" + codeset +
           "）的文字：" + kCrLf + "第" + numbers + "行" + (lines.size() > kLinesNamed ? "等" : "") +
           "。" + kCrLf + "这些行中无法识别的字节显示为“\uFFFD”，保存时按原样写回。";
}

}  // namespace

FrmConfigLogic::FrmConfigLogic(PlaylistPlaces places, SettingsStore& settings,
                               const PlaylistFile& playlists, FrmConfigView& view,
                               RandomOrder order, char separator)
    : places_(std::move(places)),
      settings_(settings),
      playlists_(playlists),
      view_(view),
      order_(std::move(order)),
      separator_(separator) {}

Outcome FrmConfigLogic::MakeListFolder() const {
    return places_.folderToMake.empty() ? Ok() : MakeFolders(places_.folderToMake);
}

void FrmConfigLogic::Form_Load() {
    const std::string& path = places_.toRead;
    Result<PlaylistRows> read = playlists_.Read(path, UndecodableLines::Keep);
    if (!read) {
        // No playlist yet (the first run) is no error; a file we cannot read is.
        if (CanOpenForReading(path))
            view_.MsgBoxCritical(ReadFailed(read.error()), kReadFailedTitle);
        return;
    }
    PlaylistRows stored = std::move(read).value();
    lstFiles_.Assign(std::move(stored.rows), std::move(stored.rawLines));
    view_.RowsReset(lstFiles_.rows());

    using CheckBox = FrmConfigView::CheckBox;
    view_.SetChecked(CheckBox::chkA,
                     play_options::IsOn(play_options::Read(settings_, play_options::kLoopKey)));
    view_.SetChecked(CheckBox::chkRandom,
                     play_options::IsOn(play_options::Read(settings_, play_options::kRandomKey)));

    if (stored.rowsLeftOut > 0) {
        view_.MsgBoxInformation(RowsLeftOutOnLoad(stored.rowsLeftOut), kInfoTitle);
    }
    if (!stored.undecodableLines.empty()) {
        view_.MsgBoxInformation(UndecodableOnLoad(stored.undecodableLines, playlists_.codeset()),
                                kInfoTitle);
    }
}

void FrmConfigLogic::cmdOK_Click() {
    if (lstFiles_.empty() &&
        view_.MsgBoxOkCancel(EmptyListQuestion(), kInfoTitle) != FrmConfigView::Answer::Ok) {
        return;
    }

    const std::string& path = places_.toSave;
    // A row the file cannot hold is found before anything is stored, and named as it stands
    // in the user's order, not in a random one.
    if (Result<std::string> encoded = playlists_.Encode(lstFiles_.rows(), lstFiles_.rawLines());
        !encoded) {
        Error error = encoded.error();
        error.path = path;
        SelectRowNamedBy(error);
        view_.MsgBoxCritical(SaveFailed("播放列表文件", error), kSaveFailedTitle);
        return;
    }
    if (Outcome made = MakeListFolder(); !made) {
        view_.MsgBoxCritical(SaveFailed("播放列表文件", made.error()), kSaveFailedTitle);
        return;
    }

    // The two choices go first and in one step, because the shuffle reads the random one; the
    // playlist goes last, so that its failure has only the choices and the order to put back.
    // OK either stores everything or leaves the dialog, the playlist and the settings as they were.
    std::vector<std::string> userOrder = lstFiles_.rows();
    std::vector<std::string> userRawLines = lstFiles_.rawLines();
    std::vector<std::string> userShort = lstShort_;
    const std::vector<SettingChange> previousChoices = play_options::StoredChoices(settings_);
    const bool loop = view_.IsChecked(FrmConfigView::CheckBox::chkA);
    const bool random = view_.IsChecked(FrmConfigView::CheckBox::chkRandom);
    if (Outcome saved = play_options::WriteChoices(settings_, loop, random); !saved) {
        view_.MsgBoxCritical(SaveFailed("设置", saved.error()), kSaveFailedTitle);
        return;
    }
    if (random) RandomFileList();

    if (Outcome written = playlists_.Write(path, lstFiles_.rows(), lstFiles_.rawLines());
        !written) {
        RestoreRows(std::move(userOrder), std::move(userRawLines), std::move(userShort));
        // Best effort: the failure being reported matters more than one in putting them back.
        (void)settings_.ChangeSettings(play_options::kApplication, play_options::kSection,
                                       previousChoices);
        view_.MsgBoxCritical(SaveFailed("播放列表文件", written.error()), kSaveFailedTitle);
        return;
    }

    view_.Unload();
}

void FrmConfigLogic::RestoreRows(std::vector<std::string> rows, std::vector<std::string> rawLines,
                                 std::vector<std::string> shortRows) {
    if (rows == lstFiles_.rows() && rawLines == lstFiles_.rawLines() && shortRows == lstShort_) {
        return;
    }
    lstShort_ = std::move(shortRows);
    lstFiles_.Assign(std::move(rows), std::move(rawLines));
    view_.RowsReset(lstFiles_.rows());
}

void FrmConfigLogic::SelectRowNamedBy(const Error& error) {
    if (error.line > 0 && error.line <= lstFiles_.size()) view_.SelectRow(error.line - 1);
}

void FrmConfigLogic::CmdPlay_Click() {
    if (lstFiles_.empty()) {
        view_.MsgBoxInformation(EmptyListForPlay(), kInfoTitle);
        return;
    }
    const std::string& path = places_.trial;
    if (Outcome made = MakeListFolder(); !made) {
        view_.MsgBoxCritical(TrialWriteFailed(made.error()), kSaveFailedTitle);
        return;
    }
    if (Outcome written = playlists_.Write(path, lstFiles_.rows(), lstFiles_.rawLines());
        !written) {
        SelectRowNamedBy(written.error());
        view_.MsgBoxCritical(TrialWriteFailed(written.error()), kSaveFailedTitle);
        return;
    }
    view_.PlayInTrialWindow(path);
}

void FrmConfigLogic::cmdCancel_Click() { view_.Unload(); }

void FrmConfigLogic::Form_Unload() { PlaylistFile::Remove(places_.trial); }

void FrmConfigLogic::cmdhelp_Click() { view_.MsgBoxInformation(QuickHelpText(), kQuickHelpTitle); }

void FrmConfigLogic::cmdAdd_FileSelected(const std::string& selectionText,
                                         const std::string& currentFolder) {
    const tDlgSelectFileInfo info = GetDlgSelectFileInfo(
        selectionText, currentFolder,
        [this](const std::string& text, const std::string& title) {
            view_.MsgBoxCritical(text, title);
        },
        separator_);
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(info.FileCount));
    for (std::int32_t i = 1; i <= info.FileCount; ++i) {
        // An empty name (a stray NUL) names no file, only the folder.
        if (info.FileNames[i].empty()) continue;
        paths.push_back(info.FolderPath + info.FileNames[i]);
    }
    AppendNew(paths);
}

void FrmConfigLogic::lstFiles_OLEDragDrop(const std::vector<std::string>& paths) {
    AppendNew(paths);
}

void FrmConfigLogic::AppendNew(const std::vector<std::string>& paths) {
    const std::size_t first = lstFiles_.size();
    std::size_t leftOut = 0;
    for (const std::string& path : paths) {
        // Checked against the rows as they stand, including those this same call just added.
        if (lstFiles_.AppendUnlessListed(path) == MovieList::AddResult::Full) ++leftOut;
    }
    if (lstFiles_.size() > first) view_.RowsAppended(lstFiles_.rows(), first);
    if (leftOut > 0) view_.MsgBoxInformation(RowsLeftOutOnAdd(leftOut), kInfoTitle);
}

void FrmConfigLogic::cmdClear_Click() {
    lstFiles_.Clear();
    view_.RowsReset(lstFiles_.rows());
    view_.Beep();
}

void FrmConfigLogic::lstFiles_DblClick(int currentIndex, int selectedCount) {
    if (selectedCount == 0 || currentIndex < 0) return;
    const auto index = static_cast<std::size_t>(currentIndex);
    if (index >= lstFiles_.size()) return;
    view_.PlayInTrialWindow(lstFiles_.rows()[index]);
}

void FrmConfigLogic::mnuDelete_Click(int currentIndex, int selectedCount) {
    if (selectedCount == 0 || currentIndex < 0) return;
    const auto index = static_cast<std::size_t>(currentIndex);
    if (index >= lstFiles_.size()) return;
    lstFiles_.Remove(index);
    view_.RowRemoved(index);
    // The row that took its place, or the new last row: Delete again goes on down the list.
    if (!lstFiles_.empty()) view_.SelectRow(std::min(index, lstFiles_.size() - 1));
}

bool FrmConfigLogic::CheckForDupes2(const std::string& text) const {
    return lstFiles_.HasRowBeginningWith(text);
}

void FrmConfigLogic::RandomFileList() {
    const bool settingOn =
        play_options::IsOn(play_options::Read(settings_, play_options::kRandomKey));
    if (!settingOn && lstFiles_.empty()) return;
    // The same rows in another order: the duplicate index stays as it is.
    lstFiles_.Reorder(order_.DrawOrder(lstFiles_.size()));
    lstShort_ = lstFiles_.rows();
    view_.RowsReset(lstFiles_.rows());
}

}  // namespace revuro
