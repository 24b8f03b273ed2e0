#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/FrmConfigLogic.h"
#include "core/config/FrmConfigView.h"
#include "win32/GdiObject.h"
#include "win32/ScreenTwips.h"

namespace revuro {

class TrialWindowSlot;

// The configuration dialog: a window laid out from the design in twips at the system's real
// DPI, whose controls forward every event to FrmConfigLogic. Its trial window is the slot's,
// free to outlive it.
class FrmConfig : private FrmConfigView {
  public:
    // The dialog, not shown yet; nothing when it cannot be made. `owner` may be null. `showAbout`
    // opens the about box (cmdAbout). `closed` is called once, when the window has gone.
    static std::unique_ptr<FrmConfig> Create(HWND owner, const PlaylistPlaces& places,
                                             SettingsStore& settings, const PlaylistFile& playlists,
                                             TrialWindowSlot& trial,
                                             std::function<void()> showAbout,
                                             std::function<void()> closed);
    ~FrmConfig() override;
    FrmConfig(const FrmConfig&) = delete;
    FrmConfig& operator=(const FrmConfig&) = delete;

    // The form's load handling: fills the list and the two boxes from what is stored.
    void Load();
    void Show();
    // Tab, mnemonics, Enter and Esc for the dialog's controls; true when the message was used.
    bool PreTranslateMessage(MSG& message);

  private:
    FrmConfig(const PlaylistPlaces& places, SettingsStore& settings, const PlaylistFile& playlists,
              TrialWindowSlot& trial, std::function<void()> showAbout,
              std::function<void()> closed);
    bool BuildControls();
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int notification);
    LRESULT Colours(UINT message, HDC dc, HWND control);
    void PaintFrames(HDC dc);
    void Close();

    void cmdAdd_Click();
    void lstFiles_DropFiles(HDROP drop);
    void lstFiles_ContextMenu(LPARAM at);
    int CurrentRow() const;
    int SelectedRowCount() const;
    void AddRows(const std::vector<std::string>& rows, std::size_t first);
    void FitHorizontalExtent(const std::vector<std::string>& rows, std::size_t first);

    // FrmConfigView
    void RowsReset(const std::vector<std::string>& rows) override;
    void RowsAppended(const std::vector<std::string>& rows, std::size_t first) override;
    void RowRemoved(std::size_t index) override;
    void SelectRow(std::size_t index) override;
    bool IsChecked(CheckBox box) const override;
    void SetChecked(CheckBox box, bool checked) override;
    void MsgBoxInformation(const std::string& text, const std::string& title) override;
    Answer MsgBoxOkCancel(const std::string& text, const std::string& title) override;
    void MsgBoxCritical(const std::string& text, const std::string& title) override;
    void Beep() override;
    void Unload() override;
    void PlayInTrialWindow(const std::string& url) override;

    TrialWindowSlot& trial_;
    std::function<void()> showAbout_;
    std::function<void()> closed_;
    HWND window_ = nullptr;
    // Twips become pixels at the screen's own resolution, so the dialog grows with it.
    const ScreenTwips twips_ = ScreenTwips::OfScreen();

    GdiObject defaultFont_, frame1Font_, listFont_, frame2Font_;
    GdiObject formBrush_, frame1Brush_, listBrush_, frame2Brush_;

    HWND Frame1_ = nullptr;
    HWND cmdOK_ = nullptr;
    HWND cmdCancel_ = nullptr;
    HWND cmdhelp_ = nullptr;
    HWND cmdAbout_ = nullptr;
    HWND lstFiles_ = nullptr;
    HWND cmdAdd_ = nullptr;
    HWND cmdClear_ = nullptr;
    HWND CmdPlay_ = nullptr;
    HWND Frame2_ = nullptr;
    HWND chkA_ = nullptr;
    HWND chkRandom_ = nullptr;
    WNDPROC listDefault_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the dialog was left

    int widestRow_ = 0;  // pixels, in the list's font
    bool unloaded_ = false;

    FrmConfigLogic logic_;
};

}  // namespace revuro
