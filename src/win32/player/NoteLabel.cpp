#include "win32/player/NoteLabel.h"

#include "platform/win32/WideText.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroNote";
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownMilliseconds = 4000;
constexpr int kMargin = 8;

}  // namespace

NoteLabel::NoteLabel(HWND parent) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &NoteLabel::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly once the class is there
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    // Disabled: the mouse and keys go to the video below, as if the note were not there.
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0, 0,
                              0, parent, nullptr, instance, this);
}

NoteLabel::~NoteLabel() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

void NoteLabel::Show(const std::string& text) {
    if (window_ == nullptr) return;
    // The program's notes are whole UTF-8; anything else shows as nothing rather than wrongly.
    const Result<std::wstring> wide = WideText(text);
    text_ = wide ? wide.value() : std::wstring();
    const HDC screen = GetDC(window_);
    const HGDIOBJ before = SelectObject(screen, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT extent{};
    DrawTextW(screen, text_.c_str(), static_cast<int>(text_.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(screen, before);
    ReleaseDC(window_, screen);
    SetWindowPos(window_, HWND_TOP, kMargin, kMargin, extent.right + 2 * kMargin,
                 extent.bottom + kMargin, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, TRUE);
    SetTimer(window_, kHideTimer, kShownMilliseconds, nullptr);
}

LRESULT CALLBACK NoteLabel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* note = reinterpret_cast<NoteLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (note != nullptr) {
        switch (message) {
            case WM_PAINT:
                note->Paint();
                return 0;
            case WM_TIMER:
                if (wParam != kHideTimer) break;
                KillTimer(window, kHideTimer);
                ShowWindow(window, SW_HIDE);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void NoteLabel::Paint() {
    PAINTSTRUCT paint{};
    const HDC target = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HGDIOBJ before = SelectObject(target, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(255, 255, 255));
    RECT text = client;
    InflateRect(&text, -kMargin, 0);
    DrawTextW(target, text_.c_str(), static_cast<int>(text_.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(target, before);
    EndPaint(window_, &paint);
}

}  // namespace revuro
