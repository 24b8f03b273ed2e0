// A window standing in for the preview area of Windows' screen saver settings: "preview_host W H"
// opens it with a client area of W x H and prints its handle in decimal on one line. Then, each
// time its first child window changes, one line "child WxH TITLE" (its client size and UTF-8
// title): under Wine a child that another process made is not drawn, so the test reads it here.
// The key G grows the client area to twice its size. It runs until its window is closed or the
// process is ended.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT_PTR kWatchTimer = 1;
std::string lastChild;

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

void ReportChild(HWND window) {
    std::string now = "none";
    if (const HWND child = FindWindowExW(window, nullptr, nullptr, nullptr)) {
        RECT client{};
        GetClientRect(child, &client);
        wchar_t title[256] = {};
        GetWindowTextW(child, title, 256);
        now = "child " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + " " +
              Utf8(title);
    }
    if (now == lastChild) return;
    lastChild = now;
    std::printf("%s\n", now.c_str());
    std::fflush(stdout);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            ReportChild(window);
            return 0;
        case WM_KEYDOWN:
            if (wParam == 'G') {
                RECT client{};
                GetClientRect(window, &client);
                RECT frame{0, 0, client.right * 2, client.bottom * 2};
                AdjustWindowRect(&frame, GetWindowLongW(window, GWL_STYLE), FALSE);
                SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                             frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const int width = argc > 1 ? std::atoi(argv[1]) : 152;
    const int height = argc > 2 ? std::atoi(argv[2]) : 112;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"RevuroPreviewHost";
    RegisterClassExW(&windowClass);
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Revuro preview host",
                                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
    std::fflush(stdout);
    SetTimer(window, kWatchTimer, 100, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
