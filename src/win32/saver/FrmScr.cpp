#include "win32/saver/FrmScr.h"

#include "core/Paths.h"
#include "core/Twips.h"
#include "core/startup/InstanceGuard.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/win32/WideText.h"
#include "win32/OwnedWindow.h"
#include "win32/player/PlayerControl.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroFrmScr";
// How often the preview looks at its host's size: Windows tells a child nothing of it.
constexpr UINT kFollowMilliseconds = 200;

bool RegisterOnce(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterWindowClass(windowClass);
}

}  // namespace

std::unique_ptr<FrmScr> FrmScr::Create(RunMode mode, HWND host, const std::string& programFolder,
                                       const std::string& playlist, SettingsStore& settings,
                                       const PlaylistReader& reader) {
    if (!RegisterOnce(&WindowProcOf<FrmScr, &FrmScr::window_, &FrmScr::Handle>)) return nullptr;
    std::unique_ptr<FrmScr> form(new FrmScr(mode, host, programFolder, playlist, settings, reader));
    if (form->window_ == nullptr) return nullptr;
    return form;
}

FrmScr::FrmScr(RunMode mode, HWND host, const std::string& programFolder,
               const std::string& playlist, SettingsStore& settings, const PlaylistReader& reader)
    : mode_(mode), host_(host) {
    const bool preview = mode == RunMode::Preview;
    RECT area{};
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    DWORD extended = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;  // no taskbar button
    if (preview) {
        GetClientRect(host, &area);
        style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        extended = 0;
    } else {
        area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    const std::wstring title = WideText(preview ? kPreviewTitle : kSaverTitle).value();
    CreateWindowExW(extended, kClassName, title.c_str(), style, area.left, area.top,
                    area.right - area.left, area.bottom - area.top, preview ? host : nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return;
    // The saver's settings are the defaults; a pass that shows nothing ends on first.bmp.
    wmp_ = std::make_unique<PlayerControl>(
        window_, PlayerSettings{},
        PlaylistPlayerOptions{PathBeside(programFolder, kFallbackPictureName)}, reader);
    FrmScrView& view = *this;  // a base only the form may name
    logic_ = std::make_unique<FrmScrLogic>(mode, programFolder, playlist, wmp_->player(), settings,
                                           view, &CanOpenForReading);
    wmp_->player().SetEventSink(logic_.get());
}

FrmScr::~FrmScr() {
    if (followTimer_ != 0) KillTimer(nullptr, followTimer_);
    if (wmp_) wmp_->player().SetEventSink(nullptr);
    wmp_.reset();
    if (window_ != nullptr) {
        ReleaseWindow(window_);
        DestroyWindow(window_);
    }
}

void FrmScr::Load() {
    logic_->Form_Load();
    RECT client{};
    GetClientRect(window_, &client);
    logic_->Form_Resize(PixelsToTwips(client.right), PixelsToTwips(client.bottom));
    if (mode_ == RunMode::Preview) {
        followTimer_ = SetTimer(nullptr, 0, kFollowMilliseconds, nullptr);
    } else {
        // The keys come to the window in front, which the saver must be.
        SetForegroundWindow(window_);
        SetFocus(wmp_->window());
    }
}

LRESULT FrmScr::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (logic_)
                logic_->Form_Resize(PixelsToTwips(LOWORD(lParam)), PixelsToTwips(HIWORD(lParam)));
            return 0;
        case WM_SETCURSOR:
            // No pointer over the saver; the preview keeps the host's.
            if (mode_ == RunMode::Saver) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_DESTROY:
            // The preview also goes with its host: a child is destroyed with its parent.
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void FrmScr::PlaceOverDesktop() {
    // The preview is placed by its host; the saver covers the desktop, above everything.
    if (mode_ == RunMode::Preview) return;
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void FrmScr::SetPlayerSize(int widthTwips, int heightTwips) {
    MoveWindow(wmp_->window(), 0, 0, TwipsToPixels(widthTwips), TwipsToPixels(heightTwips), TRUE);
}

void FrmScr::Repaint() {
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void FrmScr::TerminateNow() { TerminateImmediately(0); }

bool FrmScr::PreTranslateMessage(const MSG& message) {
    if (mode_ == RunMode::Saver &&
        (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN))
        TerminateImmediately(0);
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == followTimer_) {
        FollowHost();
        return true;
    }
    return false;
}

void FrmScr::FollowHost() {
    // The host went, and with it this window.
    if (!IsWindow(host_) || window_ == nullptr || !IsWindow(window_)) {
        PostQuitMessage(0);
        return;
    }
    RECT wanted{};
    RECT now{};
    GetClientRect(host_, &wanted);
    GetClientRect(window_, &now);
    if (wanted.right != now.right || wanted.bottom != now.bottom)
        MoveWindow(window_, 0, 0, wanted.right, wanted.bottom, TRUE);
}

}  // namespace revuro
