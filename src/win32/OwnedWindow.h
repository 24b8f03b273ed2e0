#pragma once

#include <windows.h>

#include "win32/Resources.h"

namespace revuro {

// Registers a window class of this program (cbSize and hInstance filled in here); true when the
// class is there, registered now or before.
inline bool RegisterWindowClass(WNDCLASSEXW windowClass) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Windows with a taskbar button show the program's icon, in both sizes.
inline void SetProgramIcon(WNDCLASSEXW& windowClass) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
}

// The window procedure of a class whose objects each own one window, made with the object as its
// creation parameter: from WM_NCCREATE on, the object's `Window` member holds the window and its
// `Handle` gets the messages, until the object lets go of it (ReleaseWindow).
template <class Owner, HWND Owner::*Window, LRESULT (Owner::*Handle)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->*Window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return (owner->*Handle)(message, wParam, lParam);
}

// The object no longer gets the window's messages: the window's procedure passes them on to the
// system's from here on.
inline void ReleaseWindow(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

}  // namespace revuro
