#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/player/MediaBackend.h"
#include "core/player/VideoOutput.h"

class QWidget;
struct mpv_handle;
struct mpv_event;

namespace revuro {

// libmpv drawing into the control's video area (a native child window): one item at a time,
// as the player above it hands them over. Items stay on screen at their end (keep-open), a
// picture until the next item. mpv's events are drained on the UI thread.
class MpvBackend : public QObject, public MediaBackend {
    Q_OBJECT

  public:
    MpvBackend(QWidget& videoArea, VideoOutput output);
    ~MpvBackend() override;

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override;
    void Hold(bool held) override;
    void ShowNote(const std::string& text) override;
    Outcome SetPresentation(const Presentation& presentation) override;

    // Whether mpv itself is paused, as it reports it.
    bool IsHeld() const;
    // The GPU contexts mpv may draw with, as mpv took the option.
    std::string GpuContexts() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct MpvDeleter {
        void operator()(mpv_handle* handle) const;
    };

    Outcome Initialize(VideoOutput output);
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void ReportPresented();
    void FailSoon(const Error& error);
    void ForwardMouse(const QPoint& position, const char* button, const char* mode);
    Outcome Command(const std::vector<std::string>& args);

    QWidget& area_;
    std::unique_ptr<mpv_handle, MpvDeleter> mpv_;
    Outcome initialized_ = Ok();
    MediaBackendEvents* events_ = nullptr;
    bool onScreenControls_ = false;

    // The item of the last Load, as mpv's events tell about it.
    std::uint64_t loadSerial_ = 0;  // tells a queued failure whether its load is still current
    bool loadPending_ = false;      // asked for; mpv has not started it yet
    std::int64_t currentEntry_ = -1;
    bool started_ = false;
    bool presented_ = false;
};

}  // namespace revuro
