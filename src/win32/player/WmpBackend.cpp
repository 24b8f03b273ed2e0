#include "win32/player/WmpBackend.h"

#include <ocidl.h>
#include <oleauto.h>

#include "core/player/MediaPlayer.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace revuro {

using Microsoft::WRL::ComPtr;

namespace {

constexpr UINT kDrainMessage = WM_APP;
constexpr UINT_PTR kProgressTimer = 1;
// How often a playing item's position is looked at until it has moved: the control reports no
// first frame of its own.
constexpr UINT kProgressMilliseconds = 200;

// A text the control takes, freed with the object.
class Bstr {
  public:
    explicit Bstr(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
    Bstr() = default;
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return text_; }
    BSTR* out() { return &text_; }
    std::string Utf8() const { return text_ ? Utf8Text(text_) : std::string(); }

  private:
    BSTR text_ = nullptr;
};

VARIANT_BOOL Bool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// The first error in the control's queue, in the system's words, and the queue emptied.
std::string TakeErrorText(IWMPError* queue) {
    if (queue == nullptr) return {};
    std::string text;
    long count = 0;
    ComPtr<IWMPErrorItem> item;
    Bstr description;
    if (SUCCEEDED(queue->get_errorCount(&count)) && count > 0 &&
        SUCCEEDED(queue->get_Item(0, &item)) &&
        SUCCEEDED(item->get_errorDescription(description.out())))
        text = description.Utf8();
    queue->clearErrorQueue();
    return text;
}

}  // namespace

// atl.dll, kept loaded while its host window lives; its host window class is registered on load.
class WmpBackend::AtlLibrary {
  public:
    using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

    static std::unique_ptr<AtlLibrary> Load() {
        const HMODULE module = LoadLibraryExW(L"atl.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) return nullptr;
        std::unique_ptr<AtlLibrary> atl(new AtlLibrary(module));
        using WinInit = BOOL(WINAPI*)();
        const auto init = reinterpret_cast<WinInit>(
            reinterpret_cast<void*>(GetProcAddress(module, "AtlAxWinInit")));
        atl->getControl_ = reinterpret_cast<GetControl>(
            reinterpret_cast<void*>(GetProcAddress(module, "AtlAxGetControl")));
        if (init == nullptr || atl->getControl_ == nullptr || !init()) return nullptr;
        return atl;
    }
    ~AtlLibrary() { FreeLibrary(module_); }
    AtlLibrary(const AtlLibrary&) = delete;
    AtlLibrary& operator=(const AtlLibrary&) = delete;

    HRESULT Control(HWND host, IUnknown** control) const { return getControl_(host, control); }

  private:
    explicit AtlLibrary(HMODULE module) : module_(module) {}
    HMODULE module_;
    GetControl getControl_ = nullptr;
};

Result<std::unique_ptr<WmpBackend>> WmpBackend::Create(HWND videoArea, Input input) {
    const revuro::Error missing{ErrorKind::NoMediaPlayer, "Windows Media Player cannot be used"};
    std::unique_ptr<AtlLibrary> atl = AtlLibrary::Load();
    if (!atl) return missing;
    RECT area{};
    GetClientRect(videoArea, &area);
    // The control's class by its identifier: ATL's host window makes it from its title.
    const HWND host =
        CreateWindowExW(0, L"AtlAxWin", L"{6BF52A52-394A-11d3-B153-00C04F79FAA6}",
                        WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, area.right, area.bottom,
                        videoArea, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (host == nullptr) return missing;
    ComPtr<IUnknown> control;
    ComPtr<IWMPPlayer4> player;
    if (FAILED(atl->Control(host, &control)) || control == nullptr || FAILED(control.As(&player))) {
        DestroyWindow(host);
        return missing;
    }
    std::unique_ptr<WmpBackend> backend(
        new WmpBackend(std::move(atl), host, std::move(player), std::move(input)));
    backend->Connect();
    return backend;
}

WmpBackend::WmpBackend(std::unique_ptr<AtlLibrary> atl, HWND host, ComPtr<IWMPPlayer4> player,
                       Input input)
    : atl_(std::move(atl)),
      host_(host),
      player_(std::move(player)),
      input_(std::move(input)),
      sink_(*this),
      messages_([this](UINT message, WPARAM wParam, LPARAM) {
          if (message == kDrainMessage) Drain();
          if (message == WM_TIMER && wParam == kProgressTimer) LookForProgress();
      }) {}

void WmpBackend::Connect() {
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(player_.As(&points)) ||
        FAILED(points->FindConnectionPoint(__uuidof(_WMPOCXEvents), &connection_)) ||
        FAILED(connection_->Advise(&sink_, &cookie_))) {
        // Without events the control still plays; the player above passes nothing on by itself.
        connection_.Reset();
        cookie_ = 0;
    }
}

WmpBackend::~WmpBackend() {
    if (connection_) connection_->Unadvise(cookie_);
    connection_.Reset();
    if (player_) player_->close();
    player_.Reset();
    DestroyWindow(host_);
}

void WmpBackend::Load(const std::string& item, MediaKind) {
    // Pictures never come here (the picture backend shows them): every item plays to its end.
    ++load_;
    item_ = item;
    started_ = false;
    KillTimer(messages_.handle(), kProgressTimer);
    const Result<std::wstring> wide = WideText(item);
    if (!wide) {
        Queue(ReportKind::Failed, revuro::Error{ErrorKind::InvalidPath, wide.error().reason, item});
        return;
    }
    ShowWindow(host_, SW_SHOWNA);
    // autoStart is on: assigning the item opens and plays it.
    const Bstr url(wide.value());
    if (const HRESULT result = player_->put_URL(url.get()); FAILED(result))
        Queue(ReportKind::Failed, revuro::Error{ErrorKind::Other, SystemMessage(result), item});
}

void WmpBackend::Stop() {
    ++load_;
    KillTimer(messages_.handle(), kProgressTimer);
    player_->close();
    ShowWindow(host_, SW_HIDE);
}

void WmpBackend::Hold(bool held) {
    ComPtr<IWMPControls> controls;
    if (FAILED(player_->get_controls(&controls))) return;
    if (held) {
        controls->pause();
    } else if (started_) {
        controls->play();
    }
}

Outcome WmpBackend::SetPresentation(const Presentation& presentation) {
    // Every setting is tried; the first failure is the result. A control that lacks a setting
    // (E_NOTIMPL: Wine's has no uiMode, say) plays on without it.
    HRESULT failure = S_OK;
    const auto apply = [&failure](HRESULT result) {
        if (FAILED(result) && result != E_NOTIMPL && SUCCEEDED(failure)) failure = result;
    };
    ComPtr<IWMPSettings> settings;
    apply(player_->get_settings(&settings));
    if (settings) {
        apply(settings->put_rate(presentation.rate));
        apply(settings->put_balance(presentation.balance));
        apply(settings->put_volume(presentation.volume));
        apply(settings->put_mute(Bool(presentation.mute)));
        // Errors are the player's business, reported as events; the control's own boxes would
        // wait for a user who is not there.
        apply(settings->put_enableErrorDialogs(VARIANT_FALSE));
    }
    // Full screen is the window's layout: the video area already lies over the primary monitor,
    // where the control's own full-screen mode would open a window of its own that takes the
    // keyboard. There, as in that mode, no control bar shows.
    const Bstr uiMode(presentation.fullScreen ? L"none" : WideText(presentation.uiMode).value());
    apply(player_->put_uiMode(uiMode.get()));
    apply(player_->put_stretchToFit(Bool(presentation.stretchToFit)));
    apply(player_->put_enableContextMenu(Bool(presentation.enableContextMenu)));
    if (FAILED(failure)) return revuro::Error{ErrorKind::Other, SystemMessage(failure)};
    return Ok();
}

void WmpBackend::OnPlayStateChange(long newState) {
    if (newState == kPlaying && !started_) {
        started_ = true;
        Queue(ReportKind::Started);
        SetTimer(messages_.handle(), kProgressTimer, kProgressMilliseconds, nullptr);
    } else if (newState == kMediaEnded) {
        KillTimer(messages_.handle(), kProgressTimer);
        Queue(ReportKind::Ended);
    }
}

void WmpBackend::OnError() {
    ComPtr<IWMPError> queue;
    player_->get_Error(&queue);
    std::string text = TakeErrorText(queue.Get());
    Queue(ReportKind::Failed,
          revuro::Error{ErrorKind::Other, text.empty() ? "cannot be played" : text, item_});
}

void WmpBackend::OnMediaError(IDispatch* media) {
    ComPtr<IWMPMedia2> failed;
    ComPtr<IWMPErrorItem> item;
    Bstr description;
    std::string text;
    if (media != nullptr && SUCCEEDED(media->QueryInterface(IID_PPV_ARGS(&failed))) &&
        SUCCEEDED(failed->get_error(&item)) && item != nullptr &&
        SUCCEEDED(item->get_errorDescription(description.out())))
        text = description.Utf8();
    Queue(ReportKind::Failed,
          revuro::Error{ErrorKind::Other, text.empty() ? "cannot be played" : text, item_});
}

void WmpBackend::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
    if (input_.keyDown) input_.keyDown(keyCode, shift);
}

void WmpBackend::OnDoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                               std::int32_t y) {
    if (input_.doubleClick) input_.doubleClick(button, shift, x, y);
}

void WmpBackend::Queue(ReportKind kind, revuro::Error error) {
    reports_.push_back(Report{load_, kind, std::move(error)});
    messages_.Post(kDrainMessage);
}

void WmpBackend::Drain() {
    while (!reports_.empty()) {
        const Report report = std::move(reports_.front());
        reports_.pop_front();
        if (report.load != load_ || events_ == nullptr) continue;
        switch (report.kind) {
            case ReportKind::Started:
                events_->Started();
                break;
            case ReportKind::Presented:
                events_->Presented();
                break;
            case ReportKind::Ended:
                events_->Ended();
                break;
            case ReportKind::Failed:
                events_->Failed(report.error);
                break;
        }
    }
}

void WmpBackend::LookForProgress() {
    ComPtr<IWMPControls> controls;
    double position = 0;
    if (FAILED(player_->get_controls(&controls)) ||
        FAILED(controls->get_currentPosition(&position)) || position <= 0)
        return;
    KillTimer(messages_.handle(), kProgressTimer);
    Queue(ReportKind::Presented);
}

}  // namespace revuro
