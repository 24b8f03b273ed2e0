#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

#include "core/player/MediaBackend.h"
#include "core/player/MediaFiles.h"
#include "core/player/OneShotTimer.h"
#include "core/saver/Fakes.h"

namespace revuro::testing {

// Files by path: a list's bytes or a media file's (unread); every other path is missing.
class FakeMediaFiles : public MediaFiles {
  public:
    std::optional<Error> Problem(const std::string& path) const override {
        if (const auto found = problems.find(path); found != problems.end()) return found->second;
        if (files.count(path) > 0) return std::nullopt;
        return Error{ErrorKind::NotFound, "No such file or directory", path};
    }
    Result<std::string> ReadList(const std::string& path) const override {
        if (std::optional<Error> problem = Problem(path)) return *problem;
        return files.at(path);
    }
    void Add(std::initializer_list<std::string> paths) {
        for (const std::string& path : paths) files[path];
    }

    std::map<std::string, std::string> files;
    std::map<std::string, Error> problems;  // why a path cannot be opened
};

// A backend that logs what it is told, each line after its name when it has one; the test
// reports for it what the media did.
class FakeBackend : public MediaBackend {
  public:
    explicit FakeBackend(CallLog& log, std::string name = {})
        : log_(log), name_(name.empty() ? name : name + " ") {}

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override {
        const char* what = kind == MediaKind::Picture ? "Load picture "
                           : kind == MediaKind::Flash ? "Load flash "
                                                      : "Load ";
        log_.push_back(name_ + what + item);
    }
    void Stop() override { log_.push_back(name_ + "Stop"); }
    void Hold(bool held) override { log_.push_back(name_ + (held ? "Hold" : "Release")); }
    void ShowNote(const std::string& text) override { log_.push_back(name_ + "Note " + text); }
    Outcome SetPresentation(const Presentation& shown) override {
        presentation = shown;
        return Ok();
    }

    void Start() { events_->Started(); }
    void Present() { events_->Presented(); }
    void End() { events_->Ended(); }
    void Fail(ErrorKind kind) { events_->Failed(Error{kind, "as the media said"}); }

    Presentation presentation{};

  private:
    CallLog& log_;
    std::string name_;
    MediaBackendEvents* events_ = nullptr;
};

// The test is the event loop: it fires the timer when the time has come.
class FakeTimer : public OneShotTimer {
  public:
    void Start(std::chrono::milliseconds delay, std::function<void()> due) override {
        delay_ = delay;
        due_ = std::move(due);
    }
    void Stop() override { due_ = nullptr; }

    bool pending() const { return due_ != nullptr; }
    std::chrono::milliseconds delay() const { return delay_; }

    void Fire() {
        ASSERT_TRUE(pending()) << "the timer was fired while nothing waited on it";
        std::function<void()> due = std::move(due_);
        due_ = nullptr;
        due();
    }
    // What the event loop runs before the next input: everything due at once.
    void RunDue() {
        for (int turns = 0; pending() && delay_.count() == 0; ++turns) {
            ASSERT_LT(turns, 100000) << "the player never stops scheduling work at once";
            Fire();
        }
    }

  private:
    std::chrono::milliseconds delay_{0};
    std::function<void()> due_;
};

// The window's side of the player: every event as a line of the log.
class EventLog : public MediaPlayerEvents {
  public:
    explicit EventLog(CallLog& log) : log_(log) {}
    void wmp_PlayStateChange(std::int32_t state) override {
        log_.push_back("State " + std::to_string(state));
    }
    void wmp_Error() override { log_.push_back("Error"); }
    void wmp_MediaError(const std::string& item) override { log_.push_back("MediaError " + item); }
    void wmp_DoubleClick(std::int16_t, std::int16_t, std::int32_t x, std::int32_t y) override {
        log_.push_back("DoubleClick " + std::to_string(x) + "," + std::to_string(y));
    }
    void wmp_KeyDown(std::int16_t keyCode, std::int16_t) override {
        log_.push_back("KeyDown " + std::to_string(keyCode));
    }

  private:
    CallLog& log_;
};

}  // namespace revuro::testing
