#include "win32/MessageWindow.h"

#include "win32/OwnedWindow.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroMessages";

}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc =
        &WindowProcOf<MessageWindow, &MessageWindow::window_, &MessageWindow::Handle>;
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

MessageWindow::~MessageWindow() {
    if (window_ == nullptr) return;
    ReleaseWindow(window_);
    DestroyWindow(window_);
}

void MessageWindow::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(window_, message, wParam, lParam);
}

LRESULT MessageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message >= WM_APP) {
        handler_(message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace revuro
