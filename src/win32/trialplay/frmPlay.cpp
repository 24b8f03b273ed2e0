#include "win32/trialplay/frmPlay.h"

#include "core/trialplay/TrialPlayerFit.h"
#include "core/trialplay/TrialWindow.h"
#include "platform/win32/WideText.h"
#include "win32/OwnedWindow.h"
#include "win32/Resources.h"
#include "win32/ScreenTwips.h"
#include "win32/player/PlayerControl.h"

#include <utility>

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevurofrmPlay";

bool RegisterOnce(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    SetProgramIcon(windowClass);
    windowClass.lpszClassName = kClassName;
    return RegisterWindowClass(windowClass);
}

}  // namespace

std::unique_ptr<frmPlay> frmPlay::Create(const PlaylistReader& reader,
                                         std::function<void()> closed) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterOnce(&WindowProcOf<frmPlay, &frmPlay::window_, &frmPlay::Handle>)) return nullptr;
    std::unique_ptr<frmPlay> form(new frmPlay(std::move(closed)));
    using Layout = TrialWindowLayout;
    // The design gives the client area; the window is that plus its frame.
    const ScreenTwips& twips = form->twips_;
    RECT outer{0, 0, twips.X(Layout::kClientWidth), twips.Y(Layout::kClientHeight)};
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&outer, kStyle, FALSE, WS_EX_APPWINDOW);
    const std::wstring title = WideText(kTrialTitle).value();
    CreateWindowExW(WS_EX_APPWINDOW, kClassName, title.c_str(), kStyle, twips.X(Layout::kLeft),
                    twips.Y(Layout::kTop), outer.right - outer.left, outer.bottom - outer.top,
                    nullptr, nullptr, instance, form.get());
    if (form->window_ == nullptr) return nullptr;
    form->wmp_ = std::make_unique<PlayerControl>(form->window_, TrialPlayerSettings(),
                                                 TrialWalking(), reader);
    MoveWindow(form->wmp_->window(), 0, 0, twips.X(Layout::kPlayerWidth),
               twips.Y(Layout::kPlayerHeight), TRUE);
    ShowWindow(form->window_, SW_SHOWNORMAL);
    form->Form_Resize();
    return form;
}

frmPlay::frmPlay(std::function<void()> closed) : closed_(std::move(closed)) {}

frmPlay::~frmPlay() {
    wmp_.reset();
    if (window_ != nullptr) {
        ReleaseWindow(window_);
        DestroyWindow(window_);
    }
}

Outcome frmPlay::Play(const std::string& url) { return wmp_->player().SetURL(url); }

LRESULT frmPlay::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (wmp_) Form_Resize();
            return 0;
        case WM_CLOSE:
            // Its owner destroys it, player first, once this message has been handled.
            Closed();
            return 0;
        case WM_DESTROY:
            // Destroyed by the system (the session ends): the owner lets it go all the same.
            ReleaseWindow(window_);
            window_ = nullptr;
            Closed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void frmPlay::Closed() {
    if (closed_) std::exchange(closed_, nullptr)();
}

void frmPlay::Form_Resize() {
    RECT outer{};
    GetWindowRect(window_, &outer);
    const TrialPlayerFit fit = FitTrialPlayer(twips_.TwipsX(outer.right - outer.left),
                                              twips_.TwipsY(outer.bottom - outer.top));
    RECT now{};
    GetWindowRect(wmp_->window(), &now);
    const int width = fit.widthTwips ? twips_.X(*fit.widthTwips) : now.right - now.left;
    const int height = fit.heightTwips ? twips_.Y(*fit.heightTwips) : now.bottom - now.top;
    MoveWindow(wmp_->window(), 0, 0, width, height, TRUE);
}

}  // namespace revuro
