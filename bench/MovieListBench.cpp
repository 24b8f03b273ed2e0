// How much the duplicate check costs when one selection adds a full list of new files,
// measured against the same add without any check, in the same run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "config/DlgSelectFileInfo.h"
#include "config/FrmConfigLogic.h"
#include "config/MovieList.h"
#include "config/PlaylistFile.h"

namespace revuro {
namespace {

class QuietView : public FrmConfigView {
  public:
    void RowsReset(const std::vector<std::string>&) override {}
    void RowsAppended(const std::vector<std::string>&, std::size_t) override {}
    bool IsChecked(CheckBox) const override { return false; }
    void SetChecked(CheckBox, bool) override {}
    void MsgBoxInformation(const std::string&, const std::string&) override {}
    Answer MsgBoxOkCancel(const std::string&, const std::string&) override { return Answer::Ok; }
    void MsgBoxCritical(const std::string&, const std::string&) override {}
    void Beep() override {}
    void Unload() override {}
    void PlayInTrialWindow(const std::string&) override {}
};

class NoSettings : public SettingsStore {
  public:
    std::string GetSetting(const std::string&, const std::string&,
                           const std::string&) const override {
        return {};
    }
    Outcome SaveSetting(const std::string&, const std::string&, const std::string&,
                        const std::string&) override {
        return Ok();
    }
    bool HasSetting(const std::string&, const std::string&, const std::string&) const override {
        return false;
    }
    Outcome DeleteSetting(const std::string&, const std::string&, const std::string&) override {
        return Ok();
    }
};

// A selection as the file dialog hands it over: folder, then NUL + name for each file.
std::string Selection(const std::string& folder, std::size_t files) {
    std::string text = folder;
    for (std::size_t i = 0; i < files; ++i) {
        text += '\0';
        text += "Movie " + std::to_string(files - i) + " 电影 Été.rmvb";
    }
    return text;
}

// The fastest of a few runs, in milliseconds.
double Milliseconds(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// What a list box's own prefix search does: every row, one after the other.
bool LinearSearch(const std::vector<std::string>& foldedRows, const std::string& text) {
    const std::string key = FoldCase(text);
    return std::any_of(foldedRows.begin(), foldedRows.end(),
                       [&key](const std::string& row) { return row.starts_with(key); });
}

}  // namespace
}  // namespace revuro

int main() {
    using namespace revuro;
    const std::string folder = "/home/user/Videos/Screen saver";
    const std::size_t files = kMaxPlaylistRows;
    const std::string selection = Selection(folder, files);
    NoSettings settings;
    NarrowCodec codec{"UTF-8"};
    PlaylistFile playlists{codec};
    QuietView view;

    // Baseline: split the selection and append every path, no duplicate check.
    const double baseline = Milliseconds([&] {
        const tDlgSelectFileInfo info = GetDlgSelectFileInfo(selection, folder, {}, '/');
        std::vector<std::string> rows;
        for (std::int32_t i = 1; i <= info.FileCount; ++i)
            rows.push_back(info.FolderPath + info.FileNames[i]);
        if (rows.size() != files) std::puts("unexpected row count");
    });

    // The dialog's add: split, check every path against the rows as they stand, append.
    const double checked = Milliseconds([&] {
        FrmConfigLogic logic(folder, settings, playlists, view, RandomOrder(), '/');
        logic.cmdAdd_FileSelected(selection, folder);
        if (logic.lstFiles().size() != files) std::puts("unexpected row count");
    });

    // For scale: a linear prefix search per path, on a list an eighth as long.
    const std::size_t fewer = files / 8;
    const std::string smaller = Selection(folder, fewer);
    const double indexedFewer = Milliseconds([&] {
        FrmConfigLogic logic(folder, settings, playlists, view, RandomOrder(), '/');
        logic.cmdAdd_FileSelected(smaller, folder);
    });
    const double linearFewer = Milliseconds([&] {
        const tDlgSelectFileInfo info = GetDlgSelectFileInfo(smaller, folder, {}, '/');
        std::vector<std::string> folded;
        for (std::int32_t i = 1; i <= info.FileCount; ++i) {
            std::string path = info.FolderPath + info.FileNames[i];
            if (!LinearSearch(folded, path)) folded.push_back(FoldCase(path));
        }
    });

    std::printf("adding %zu new files in one selection\n", files);
    std::printf("  without duplicate check: %8.2f ms\n", baseline);
    std::printf("  with indexed check:      %8.2f ms  (%.1f x the baseline)\n", checked,
                checked / baseline);
    std::printf("adding %zu new files, indexed vs linear search\n", fewer);
    std::printf("  indexed check:           %8.2f ms\n", indexedFewer);
    std::printf("  linear prefix search:    %8.2f ms  (%.1f x the indexed check)\n", linearFewer,
                linearFewer / indexedFewer);
    return 0;
}
