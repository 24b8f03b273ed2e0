#pragma once

#include <string>
#include <vector>

#include "core/Paths.h"
#include "core/config/FrmConfigView.h"
#include "core/config/MovieList.h"
#include "core/config/RandomOrder.h"
#include "core/store/PlaylistFile.h"
#include "core/store/PlaylistPlaces.h"
#include "core/store/SettingsStore.h"

namespace revuro {

// The configuration dialog's behaviour: loading and saving the movie list and the two play
// choices, editing the list, and the trials. The widget forwards each event here.
class FrmConfigLogic {
  public:
    FrmConfigLogic(PlaylistPlaces places, SettingsStore& settings, const PlaylistFile& playlists,
                   FrmConfigView& view, RandomOrder order = {},
                   char separator = NativePathSeparator());

    const std::vector<std::string>& lstFiles() const { return lstFiles_.rows(); }
    // The hidden working list of the random order; it keeps the last order drawn.
    const std::vector<std::string>& lstShort() const { return lstShort_; }

    void Form_Load();
    void cmdOK_Click();
    void CmdPlay_Click();
    void cmdCancel_Click();
    // Runs however the dialog closes; never cancels the close.
    void Form_Unload();
    void cmdhelp_Click();

    // The add dialog returned `selectionText` (one full path, or folder + NUL + name ...) and
    // left `currentFolder` as the selection's folder. A cancelled dialog calls nothing.
    void cmdAdd_FileSelected(const std::string& selectionText, const std::string& currentFolder);
    void cmdClear_Click();
    // Local paths dropped on the list, in the order the drop gave them.
    void lstFiles_OLEDragDrop(const std::vector<std::string>& paths);
    // currentIndex is -1 when no row is current.
    void lstFiles_DblClick(int currentIndex, int selectedCount);
    // The list's context menu entry, or the Delete key on the list: removes the current row.
    void mnuDelete_Click(int currentIndex, int selectedCount);

    // True when a row of lstFiles begins with `text`, letter case ignored.
    bool CheckForDupes2(const std::string& text) const;
    // Puts lstFiles into a new random order, built in lstShort.
    void RandomFileList();

  private:
    // The folder of the lists, made when it is missing, before anything is written into it.
    Outcome MakeListFolder() const;
    void AppendNew(const std::vector<std::string>& paths);
    void RestoreRows(std::vector<std::string> rows, std::vector<std::string> rawLines,
                     std::vector<std::string> shortRows);
    // A failure that names a row (as its line) selects that row, so the user sees which one.
    void SelectRowNamedBy(const Error& error);

    PlaylistPlaces places_;
    SettingsStore& settings_;
    const PlaylistFile& playlists_;
    FrmConfigView& view_;
    RandomOrder order_;
    char separator_;

    MovieList lstFiles_;
    std::vector<std::string> lstShort_;
};

}  // namespace revuro
