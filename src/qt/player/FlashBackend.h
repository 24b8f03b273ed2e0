#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <string>

#include "core/flash/FlashDonePolicy.h"
#include "core/flash/FlashProtocol.h"
#include "core/player/MediaBackend.h"
#include "core/player/VideoOutput.h"
#include "platform/SteadyClock.h"

class QProcess;
class QWidget;

namespace revuro {

// Flash movies, played by the helper program revuro-flash (a process of its own, so that the
// saver neither loads a web engine nor hangs or dies with it). The helper starts with the first
// movie and puts its window into the video area, over the media backend's picture only while a
// movie is loaded (so notes, drawn by the media backend, show after a failure). A helper that is
// missing or says it cannot play, dies, or neither shows nor refuses a movie within kLoadBound
// costs the one movie it had; the next movie starts a new helper. When a movie has been shown long
// enough is FlashDonePolicy's decision.
class FlashBackend : public QObject, public MediaBackend {
    Q_OBJECT

  public:
    // The first movie includes the web engine's start, which takes seconds on a busy machine.
    static constexpr std::chrono::milliseconds kLoadBound{30'000};

    // `helper`: the path of revuro-flash.
    FlashBackend(QWidget& videoArea, VideoOutput output, std::string helper);
    ~FlashBackend() override;

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override;
    void Hold(bool held) override;
    // Notes are drawn by the media backend beside this one, over a hidden movie window.
    void ShowNote(const std::string&) override {}
    Outcome SetPresentation(const Presentation& presentation) override;

  private:
    enum class State { Idle, Loading, Playing, Done };

    bool StartHelper();
    void Send(const FlashCommand& command);
    void ReadReports();
    void Handle(const FlashReport& report);
    void HelperEnded();
    void DropHelper();
    void Fail(const Error& error);
    void FailSoon(const Error& error);
    void TimeUp();
    void Played();
    int Volume() const;

    QWidget& area_;
    VideoOutput output_;
    std::string helperPath_;
    QProcess* helper_ = nullptr;  // a child of this object while it runs
    std::string reports_;         // the helper's output after its last complete line
    bool unavailable_ = false;    // no helper, or it said it cannot play anything

    MediaBackendEvents* events_ = nullptr;
    std::uint64_t loadId_ = 0;  // numbers the loads; reports about older ones are dropped
    State state_ = State::Idle;
    bool held_ = false;
    Presentation presentation_{};
    SteadyClock clock_;
    FlashDonePolicy policy_{clock_};
    QTimer loadTimer_;
    QTimer doneTimer_;
};

}  // namespace revuro
