#include "win32/player/NoteLabel.h"

#include "platform/win32/WideText.h"
#include "win32/OwnedWindow.h"

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
    windowClass.lpfnWndProc = &WindowProcOf<NoteLabel, &NoteLabel::window_, &NoteLabel::Handle>;
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    // Disabled: the mouse and keys go to the video below, as if the note were not there.
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                    parent, nullptr, instance, this);
}

NoteLabel::~NoteLabel() {
    if (window_ != nullptr) {
        ReleaseWindow(window_);
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

LRESULT NoteLabel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_TIMER:
            if (wParam != kHideTimer) break;
            KillTimer(window_, kHideTimer);
            ShowWindow(window_, SW_HIDE);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
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
