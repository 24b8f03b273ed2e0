#include "win32/player/PictureBackend.h"

#include "win32/OwnedWindow.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroPicture";
constexpr UINT kShownReport = WM_APP;
constexpr UINT kFailedReport = WM_APP + 1;

}  // namespace

PictureBackend::PictureBackend(HWND videoArea)
    : reports_([this](UINT message, WPARAM load, LPARAM) { Report(message, load); }) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc =
        &WindowProcOf<PictureBackend, &PictureBackend::window_, &PictureBackend::Handle>;
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    RECT area{};
    GetClientRect(videoArea, &area);
    // Hidden until it shows a picture; disabled, so the mouse and keys go to the control.
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0, area.right,
                    area.bottom, videoArea, nullptr, instance, this);
}

PictureBackend::~PictureBackend() {
    if (window_ == nullptr) return;
    ReleaseWindow(window_);
    DestroyWindow(window_);
}

void PictureBackend::Load(const std::string& item, MediaKind) {
    ++loads_;
    if (Outcome loaded = picture_.Load(item); !loaded) {
        failure_ = loaded.error();
        reports_.Post(kFailedReport, loads_);
        return;
    }
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, TRUE);
    reports_.Post(kShownReport, loads_);
}

void PictureBackend::Stop() {
    ++loads_;
    picture_.Reset();
    ShowWindow(window_, SW_HIDE);
}

void PictureBackend::Report(UINT report, WPARAM load) {
    if (load != loads_ || events_ == nullptr) return;
    if (report == kShownReport) {
        events_->Started();
        if (load == loads_) events_->Presented();
    } else if (report == kFailedReport) {
        events_->Failed(failure_);
    }
}

LRESULT PictureBackend::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    if (message == WM_SIZE) InvalidateRect(window_, nullptr, TRUE);
    return DefWindowProcW(window_, message, wParam, lParam);
}

void PictureBackend::Paint() {
    PAINTSTRUCT paint{};
    const HDC target = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    picture_.DrawFitted(target, client);
    EndPaint(window_, &paint);
}

}  // namespace revuro
