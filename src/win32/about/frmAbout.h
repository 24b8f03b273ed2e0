#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/about/frmAboutLogic.h"
#include "core/about/frmAboutView.h"
#include "platform/NarrowCodec.h"
#include "platform/win32/SystemRegistry.h"
#include "win32/GdiObject.h"
#include "win32/ScreenTwips.h"

namespace revuro {

// The about box: banner, title, version, the maker's links and the system-information button.
// A fixed box of its own, without an owner and kept out of the taskbar; closing it (OK, Enter,
// Esc or the close box) unloads it.
class frmAbout : private frmAboutView {
  public:
    // The box, shown; nothing when it cannot be made. `closed` is called once, when it is
    // closed; the owner then destroys the object from the message loop, never inside the call.
    static std::unique_ptr<frmAbout> Create(std::function<void()> closed);
    ~frmAbout() override;
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    HWND window() const { return window_; }
    // Gives the box its keyboard (Tab, Enter, Esc, mnemonics) before the message is dispatched;
    // true when it was handled here.
    bool PreTranslateMessage(MSG& message);

  private:
    explicit frmAbout(std::function<void()> closed);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void MakeControls();
    // Which Label1 label, 0 to 3, the window is; -1 for none.
    int LabelIndex(HWND control) const;

    void SetCaption(const std::string& text) override;
    void SetTitleText(const std::string& text) override;
    void SetVersionText(const std::string& text) override;
    void Unload() override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void OpenAddress(const std::string& address) override;

    std::function<void()> closed_;
    SystemRegistry registry_;
    NarrowCodec codec_;
    frmAboutLogic logic_;
    // Owns the box without being shown: an owned window has no taskbar button.
    HWND hiddenOwner_ = nullptr;
    HWND window_ = nullptr;
    // Twips become pixels at the screen's own resolution.
    const ScreenTwips twips_ = ScreenTwips::OfScreen();
    GdiObject font_;
    GdiObject linkFont_;
    GdiObject banner_;
    HICON homePagePointer_ = nullptr;
    HICON mailPointer_ = nullptr;
    HWND Picture1_ = nullptr;
    HWND cmdOK_ = nullptr;
    HWND cmdSysInfo_ = nullptr;
    std::array<HWND, 4> Label1_{};
    std::array<HWND, 2> Line1_{};
    HWND lblTitle_ = nullptr;
    HWND lblVersion_ = nullptr;
    HWND lblDisclaimer_ = nullptr;
};

}  // namespace revuro
