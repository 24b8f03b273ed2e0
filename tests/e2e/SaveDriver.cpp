// Test tool: confirms the configuration dialog again and again through the dialog's own logic,
// so that a script can kill it at random moments of a real save. Each round is one dialog
// session: load the stored list, replace it by the other of two lists, set the loop choice that
// goes with that list, press OK. List A goes with loop on, list B with loop off.
// usage: save_driver <program folder> <settings file> <rows A> <rows B> [rounds]
// Rows files hold one UTF-8 row per line. Without a round count it runs until it is killed.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/FrmConfigLogic.h"
#include "core/config/FrmConfigView.h"
#include "core/store/IniSettingsStore.h"
#include "core/store/PlaylistFile.h"
#include "platform/NarrowCodec.h"

using namespace revuro;

namespace {

// The dialog without widgets: boxes go to stderr and are answered OK.
class HeadlessView : public FrmConfigView {
  public:
    void RowsReset(const std::vector<std::string>&) override {}
    void RowsAppended(const std::vector<std::string>&, std::size_t) override {}
    void RowRemoved(std::size_t) override {}
    void SelectRow(std::size_t) override {}
    bool IsChecked(CheckBox box) const override { return box == CheckBox::chkA && loop; }
    void SetChecked(CheckBox box, bool checked) override {
        if (box == CheckBox::chkA) loop = checked;
    }
    void MsgBoxInformation(const std::string& text, const std::string& title) override {
        Report(text, title);
    }
    Answer MsgBoxOkCancel(const std::string& text, const std::string& title) override {
        Report(text, title);
        return Answer::Ok;
    }
    void MsgBoxCritical(const std::string& text, const std::string& title) override {
        Report(text, title);
        failed = true;
    }
    void Beep() override {}
    void Unload() override { unloaded = true; }
    void PlayInTrialWindow(const std::string&) override {}

    bool loop = true;
    bool failed = false;
    bool unloaded = false;

  private:
    static void Report(const std::string& text, const std::string& title) {
        std::fprintf(stderr, "save_driver: [%s] %s\n", title.c_str(), text.c_str());
    }
};

std::vector<std::string> ReadRows(const std::string& path) {
    std::vector<std::string> rows;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) rows.push_back(line);
    return rows;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr,
                     "usage: save_driver <program folder> <settings file> <rows A> <rows B> "
                     "[rounds]\n");
        return 2;
    }
    const std::string folder = argv[1];
    IniSettingsStore settings(argv[2]);
    const std::vector<std::string> rowsA = ReadRows(argv[3]);
    const std::vector<std::string> rowsB = ReadRows(argv[4]);
    const long rounds = argc == 6 ? std::stol(argv[5]) : -1;
    const NarrowCodec codec = NarrowCodec::ForLocale();
    const PlaylistFile playlists(codec);

    for (long round = 0; rounds < 0 || round < rounds; ++round) {
        HeadlessView view;
        FrmConfigLogic dialog(PlaylistPlaces::Beside(folder), settings, playlists, view);
        dialog.Form_Load();
        const bool toA = dialog.lstFiles() != rowsA;
        dialog.cmdClear_Click();
        dialog.lstFiles_OLEDragDrop(toA ? rowsA : rowsB);
        view.loop = toA;
        dialog.cmdOK_Click();
        dialog.Form_Unload();
        if (view.failed || !view.unloaded) return 1;
    }
    return 0;
}
