#include "win32/player/PlayerControl.h"

#include <windowsx.h>

#include "core/player/UnavailableBackend.h"
#include "win32/OwnedWindow.h"
#include "win32/player/PictureBackend.h"
#include "win32/player/WmpBackend.h"

namespace revuro {

namespace {

constexpr wchar_t kControlClass[] = L"RevuroPlayer";
constexpr wchar_t kVideoClass[] = L"RevuroVideo";

// The video area: black, its backends' windows filling it.
LRESULT CALLBACK VideoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    // Clicks go to the control, which tells the form.
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses(WNDPROC control) {
    WNDCLASSEXW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = control;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kControlClass;
    RegisterWindowClass(windowClass);
    windowClass.style = 0;
    windowClass.lpfnWndProc = &VideoProc;
    windowClass.lpszClassName = kVideoClass;
    RegisterWindowClass(windowClass);
}

// The keyboard's shift state as the control numbers it: Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftState() {
    std::int16_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= 1;
    if (GetKeyState(VK_CONTROL) < 0) state |= 2;
    if (GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

}  // namespace

PlayerControl::PlayerControl(HWND parent, const PlayerSettings& settings,
                             PlaylistPlayerOptions options, const PlaylistReader& reader) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClasses(&WindowProcOf<PlayerControl, &PlayerControl::window_, &PlayerControl::Handle>);
    RECT area{};
    GetClientRect(parent, &area);
    CreateWindowExW(0, kControlClass, L"wmp",
                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                    area.right, area.bottom, parent, nullptr, instance, this);
    video_ = CreateWindowExW(0, kVideoClass, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                             area.right, area.bottom, window_, nullptr, instance, nullptr);
    note_ = std::make_unique<NoteLabel>(window_);
    backend_ = std::make_unique<RoutingBackend>(
        MakeMediaBackend(), std::make_unique<PictureBackend>(video_), MediaKind::Picture);
    // The player sees the control as its backend, a base only the control may name.
    MediaBackend& backend = *this;
    player_ =
        std::make_unique<PlaylistPlayer>(backend, timer_, reader, settings, std::move(options));
}

PlayerControl::~PlayerControl() {
    // The player first: it lets go of the backends, which go before the windows they draw in.
    player_.reset();
    backend_.reset();
    note_.reset();
    if (window_ != nullptr) {
        ReleaseWindow(window_);
        DestroyWindow(window_);
    }
}

std::unique_ptr<revuro::MediaBackend> PlayerControl::MakeMediaBackend() {
    WmpBackend::Input input{
        [this](std::int16_t keyCode, std::int16_t shift) {
            player_->ReportKeyDown(keyCode, shift);
        },
        [this](std::int16_t button, std::int16_t shift, std::int32_t x, std::int32_t y) {
            player_->ReportDoubleClick(button, shift, x, y);
        }};
    Result<std::unique_ptr<WmpBackend>> wmp = WmpBackend::Create(video_, std::move(input));
    if (wmp) return std::move(wmp).value();
    mediaPlayer_ = wmp.error();
    return std::make_unique<UnavailableBackend>(wmp.error(), unavailableTimer_);
}

Outcome PlayerControl::SetPresentation(const Presentation& presentation) {
    fullScreen_ = presentation.fullScreen;
    LayoutVideo();
    return backend_->SetPresentation(presentation);
}

void PlayerControl::LayoutVideo() {
    RECT area{};
    GetClientRect(window_, &area);
    if (fullScreen_) {
        // The primary monitor starts at the screen's origin, in the control's coordinates here.
        POINT origin{0, 0};
        ScreenToClient(window_, &origin);
        const RECT primary{origin.x, origin.y, origin.x + GetSystemMetrics(SM_CXSCREEN),
                           origin.y + GetSystemMetrics(SM_CYSCREEN)};
        RECT inside{};
        if (IntersectRect(&inside, &primary, &area)) area = inside;
    }
    MoveWindow(video_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LRESULT PlayerControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
        case WM_MOVE:
            if (video_ != nullptr) LayoutVideo();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (player_) player_->ReportKeyDown(static_cast<std::int16_t>(wParam), ShiftState());
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            // Buttons as the control numbers them: left 1, right 2, middle 4.
            const std::int16_t button = message == WM_LBUTTONDBLCLK   ? 1
                                        : message == WM_RBUTTONDBLCLK ? 2
                                                                      : 4;
            if (player_)
                player_->ReportDoubleClick(button, ShiftState(), GET_X_LPARAM(lParam),
                                           GET_Y_LPARAM(lParam));
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(window_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace revuro
