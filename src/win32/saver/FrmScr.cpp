#include "win32/saver/FrmScr.h"

#include <algorithm>

#include "core/Paths.h"
#include "core/saver/FrmScrLogic.h"
#include "core/startup/InstanceGuard.h"
#include "platform/Process.h"
#include "platform/win32/WideText.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroFrmScr";
// How often the preview looks at its host's size: Windows tells a child nothing of it.
constexpr UINT kFollowMilliseconds = 200;

bool RegisterOnce(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// `area` shrunk to the picture's aspect, centred in it.
RECT Fit(const RECT& area, LONG width, LONG height) {
    const LONG areaWidth = area.right - area.left;
    const LONG areaHeight = area.bottom - area.top;
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return RECT{};
    LONG fitWidth = areaWidth;
    LONG fitHeight = static_cast<LONG>(static_cast<long long>(areaWidth) * height / width);
    if (fitHeight > areaHeight) {
        fitHeight = areaHeight;
        fitWidth = static_cast<LONG>(static_cast<long long>(areaHeight) * width / height);
    }
    const LONG left = area.left + (areaWidth - fitWidth) / 2;
    const LONG top = area.top + (areaHeight - fitHeight) / 2;
    return RECT{left, top, left + fitWidth, top + fitHeight};
}

}  // namespace

std::unique_ptr<FrmScr> FrmScr::Create(RunMode mode, HWND host, const std::string& folder) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterOnce(instance, &FrmScr::WindowProc)) return nullptr;
    // A missing or unreadable picture leaves the window black.
    HBITMAP picture = nullptr;
    if (const Result<std::wstring> path = WideText(PathBeside(folder, kFallbackPictureName)))
        picture = static_cast<HBITMAP>(LoadImageW(nullptr, path.value().c_str(), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    std::unique_ptr<FrmScr> form(new FrmScr(mode, host, picture));

    const bool preview = mode == RunMode::Preview;
    RECT area{};
    DWORD style = WS_POPUP | WS_VISIBLE;
    DWORD extended = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;  // no taskbar button
    if (preview) {
        GetClientRect(host, &area);
        style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
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
                    nullptr, instance, form.get());
    if (form->window_ == nullptr) return nullptr;
    if (preview) {
        form->followTimer_ = SetTimer(nullptr, 0, kFollowMilliseconds, nullptr);
    } else {
        // The keys come to the window in front, which the saver must be.
        SetForegroundWindow(form->window_);
        SetFocus(form->window_);
    }
    return form;
}

FrmScr::FrmScr(RunMode mode, HWND host, HBITMAP picture)
    : mode_(mode), host_(host), picture_(picture) {}

FrmScr::~FrmScr() {
    if (followTimer_ != 0) KillTimer(nullptr, followTimer_);
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (picture_ != nullptr) DeleteObject(picture_);
}

LRESULT CALLBACK FrmScr::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<FrmScr*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<FrmScr*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return form->Handle(message, wParam, lParam);
}

LRESULT FrmScr::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            InvalidateRect(window_, nullptr, TRUE);
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

RECT FrmScr::PictureArea() const {
    RECT area{};
    if (mode_ == RunMode::Preview) {
        GetClientRect(window_, &area);
        return area;
    }
    // The primary monitor starts at the screen's origin; the window at the virtual screen's.
    const LONG left = -GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = -GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXSCREEN),
                top + GetSystemMetrics(SM_CYSCREEN)};
}

void FrmScr::Paint() {
    PAINTSTRUCT paint{};
    const HDC target = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BITMAP bitmap{};
    if (picture_ != nullptr && GetObjectW(picture_, sizeof bitmap, &bitmap) != 0) {
        const RECT fit = Fit(PictureArea(), bitmap.bmWidth, bitmap.bmHeight);
        const HDC source = CreateCompatibleDC(target);
        const HGDIOBJ before = SelectObject(source, picture_);
        SetStretchBltMode(target, HALFTONE);
        StretchBlt(target, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top, source, 0,
                   0, bitmap.bmWidth, bitmap.bmHeight, SRCCOPY);
        SelectObject(source, before);
        DeleteDC(source);
    }
    EndPaint(window_, &paint);
}

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
