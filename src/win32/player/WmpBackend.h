#pragma once

#include <windows.h>

#include <wmp.h>
#include <wrl/client.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "core/player/MediaBackend.h"
#include "win32/MessageWindow.h"
#include "win32/player/WmpEventSink.h"

namespace revuro {

// The Windows Media Player control, hosted in a child window of the video area, playing one
// item at a time for the player above it. Its events are queued and handed on from the message
// loop, each tagged with the load it belongs to, so none concerns an item a later Load or Stop
// replaced. Its keys and double clicks go to the input handlers at once.
class WmpBackend : public MediaBackend, private WmpEventListener {
  public:
    struct Input {
        std::function<void(std::int16_t keyCode, std::int16_t shift)> keyDown;
        std::function<void(std::int16_t button, std::int16_t shift, std::int32_t x, std::int32_t y)>
            doubleClick;
    };

    // The control in `videoArea`; an error when this system has none (Windows N editions) or
    // it cannot be hosted.
    static Result<std::unique_ptr<WmpBackend>> Create(HWND videoArea, Input input);
    ~WmpBackend() override;
    WmpBackend(const WmpBackend&) = delete;
    WmpBackend& operator=(const WmpBackend&) = delete;

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override;
    void Hold(bool held) override;
    // Notes are the control's: it shows them over whichever backend draws.
    void ShowNote(const std::string&) override {}
    Outcome SetPresentation(const Presentation& presentation) override;

  private:
    class AtlLibrary;
    enum class ReportKind { Started, Presented, Ended, Failed };
    struct Report {
        std::uint64_t load;
        ReportKind kind;
        Error error;
    };

    WmpBackend(std::unique_ptr<AtlLibrary> atl, HWND host,
               Microsoft::WRL::ComPtr<IWMPPlayer4> player, Input input);
    void Connect();

    void OnPlayStateChange(long newState) override;
    void OnError() override;
    void OnMediaError(IDispatch* media) override;
    void OnKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void OnDoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                       std::int32_t y) override;

    void Queue(ReportKind kind, Error error = Error{""});
    void Drain();
    void LookForProgress();

    std::unique_ptr<AtlLibrary> atl_;
    HWND host_;
    Microsoft::WRL::ComPtr<IWMPPlayer4> player_;
    Input input_;
    WmpEventSink sink_;
    Microsoft::WRL::ComPtr<IConnectionPoint> connection_;
    DWORD cookie_ = 0;
    MessageWindow messages_;
    MediaBackendEvents* events_ = nullptr;
    std::deque<Report> reports_;
    std::string item_;
    std::uint64_t load_ = 0;
    bool started_ = false;
};

}  // namespace revuro
