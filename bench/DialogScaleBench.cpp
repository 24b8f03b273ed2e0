// What the configuration dialog's list operations cost at 4,096 to 32,767 rows, each measured
// through the dialog's own logic against a plain baseline in the same run, and how each grows
// when the list doubles. Prints a Markdown table.
//
//   revuro_bench_dialog [FOLDER]    (FOLDER: where the playlist files go; a temporary one if not)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/config/DlgSelectFileInfo.h"
#include "core/config/FrmConfigLogic.h"
#include "core/config/MovieList.h"
#include "core/store/PlaylistFile.h"
#include "support/MemorySettingsStore.h"

namespace revuro {
namespace {

class QuietView : public FrmConfigView {
  public:
    void RowsReset(const std::vector<std::string>&) override {}
    void RowsAppended(const std::vector<std::string>&, std::size_t) override {}
    void RowRemoved(std::size_t) override {}
    void SelectRow(std::size_t) override {}
    bool IsChecked(CheckBox) const override { return false; }
    void SetChecked(CheckBox, bool) override {}
    void MsgBoxInformation(const std::string&, const std::string&) override {}
    Answer MsgBoxOkCancel(const std::string&, const std::string&) override { return Answer::Ok; }
    void MsgBoxCritical(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::exit(1);
    }
    void Beep() override {}
    void Unload() override {}
    void PlayInTrialWindow(const std::string&) override {}
};

constexpr const char* kMediaFolder = "/home/user/Videos/Screen saver";
constexpr std::size_t kSizes[] = {4096, 8192, 16384, kMaxPlaylistRows};
constexpr int kRepeats = 7;

std::string FileName(std::size_t i) {
    return "Movie " + std::to_string(i * 7919 % 100003) + " 电影 Été.rmvb";
}

// A selection as the file dialog hands it over: folder, then NUL + name for each file.
std::string Selection(std::size_t files) {
    std::string text = kMediaFolder;
    for (std::size_t i = 0; i < files; ++i) {
        text += '\0';
        text += FileName(i);
    }
    return text;
}

std::vector<std::string> Rows(std::size_t files) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < files; ++i)
        rows.push_back(std::string(kMediaFolder) + "/" + FileName(i));
    return rows;
}

// One timed run: `prepare` is not timed, `run` is. Returns milliseconds.
using Timed = std::function<double(std::size_t rows)>;

double Time(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Operation {
    const char* name;
    const char* baselineName;
    double goal;  // the largest acceptable ratio at the full list
    Timed baseline;
    Timed subject;
};

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "benchmark went wrong: %s\n", what);
    std::exit(1);
}

class Bench {
  public:
    explicit Bench(std::string folder)
        : folder_(std::move(folder)), codec_("UTF-8"), playlists_(codec_) {}

    std::vector<Operation> Operations() {
        return {
            {"add n new files in one selection", "append without check", 2.0,
             [](std::size_t n) {
                 const std::string selection = Selection(n);
                 std::vector<std::string> rows;
                 const double ms = Time([&] {
                     const tDlgSelectFileInfo info =
                         GetDlgSelectFileInfo(selection, kMediaFolder, {}, '/');
                     for (std::int32_t i = 1; i <= info.FileCount; ++i)
                         rows.push_back(info.FolderPath + info.FileNames[i]);
                 });
                 Check(rows.size() == n, "baseline row count");
                 return ms;
             },
             [this](std::size_t n) {
                 const std::string selection = Selection(n);
                 FrmConfigLogic logic(PlaylistPlaces::Beside(folder_, '/'), settings_, playlists_,
                                      view_, RandomOrder(), '/');
                 const double ms =
                     Time([&] { logic.cmdAdd_FileSelected(selection, kMediaFolder); });
                 Check(logic.lstFiles().size() == n, "added row count");
                 return ms;
             }},
            {"RandomFileList", "std::shuffle", 10.0,
             [](std::size_t n) {
                 std::vector<std::string> rows = Rows(n);
                 std::mt19937_64 engine(std::random_device{}());
                 return Time([&] { std::shuffle(rows.begin(), rows.end(), engine); });
             },
             [this](std::size_t n) {
                 FrmConfigLogic logic = Loaded(n);
                 const double ms = Time([&] { logic.RandomFileList(); });
                 Check(logic.lstFiles().size() == n, "shuffled row count");
                 return ms;
             }},
            {"save (OK) and load the playlist", "std::ofstream + std::getline", 3.0,
             [this](std::size_t n) {
                 const std::vector<std::string> rows = Rows(n);
                 const std::string path = folder_ + "/plain.m3u";
                 std::vector<std::string> lines;
                 const double ms = Time([&] {
                     {
                         std::ofstream out(path, std::ios::binary | std::ios::trunc);
                         for (std::size_t i = 0; i < rows.size(); ++i) {
                             out << rows[i];
                             if (i + 1 < rows.size()) out << "\r\n";
                         }
                     }
                     std::ifstream in(path, std::ios::binary);
                     for (std::string line; std::getline(in, line);) lines.push_back(line);
                 });
                 Check(lines.size() == n, "plain line count");
                 return ms;
             },
             [this](std::size_t n) {
                 FrmConfigLogic logic = Loaded(n);
                 FrmConfigLogic reopened(PlaylistPlaces::Beside(folder_, '/'), settings_,
                                         playlists_, view_, RandomOrder(), '/');
                 const double ms = Time([&] {
                     logic.cmdOK_Click();
                     reopened.Form_Load();
                 });
                 Check(reopened.lstFiles().size() == n, "reloaded row count");
                 return ms;
             }},
        };
    }

  private:
    FrmConfigLogic Loaded(std::size_t n) {
        FrmConfigLogic logic(PlaylistPlaces::Beside(folder_, '/'), settings_, playlists_, view_,
                             RandomOrder(), '/');
        logic.cmdAdd_FileSelected(Selection(n), kMediaFolder);
        return logic;
    }

    std::string folder_;
    NarrowCodec codec_;
    PlaylistFile playlists_;
    testing::MemorySettingsStore settings_;
    QuietView view_;
};

void Report(const Operation& op) {
    std::printf("\n### %s (baseline: %s)\n\n", op.name, op.baselineName);
    std::printf("| rows | baseline ms | revuro ms | ratio | growth per doubling | goal |\n");
    std::printf("|---:|---:|---:|---:|---:|---|\n");
    double previous = 0;
    for (std::size_t n : kSizes) {
        std::vector<double> base, subject;
        for (int i = 0; i < kRepeats; ++i) {  // alternated, so a busy moment hits both
            base.push_back(op.baseline(n));
            subject.push_back(op.subject(n));
        }
        const double b = Median(base), s = Median(subject), ratio = s / b;
        char growth[32] = "";
        if (previous > 0) std::snprintf(growth, sizeof growth, "%.2f", s / previous);
        std::string goal;
        if (n == kMaxPlaylistRows) {
            char text[64];
            std::snprintf(text, sizeof text, "ratio <= %.1f: %s", op.goal,
                          ratio <= op.goal ? "met" : "**missed**");
            goal = text;
        }
        std::printf("| %zu | %.3f | %.3f | %.2f | %s | %s |\n", n, b, s, ratio, growth,
                    goal.c_str());
        std::fflush(stdout);
        previous = s;
    }
}

}  // namespace
}  // namespace revuro

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        std::string pattern = (fs::temp_directory_path() / "revuro-bench.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return 1;
        folder = pattern;
    }
    fs::create_directories(folder);
    revuro::Bench bench(folder);
    std::printf(
        "Medians of %d runs each, baseline and revuro alternated; growth is revuro's time "
        "over its time at half the rows (the last step is 16,384 to 32,767).\n",
        revuro::kRepeats);
    for (const revuro::Operation& op : bench.Operations()) revuro::Report(op);
    if (argc <= 1) fs::remove_all(folder);
    return 0;
}
