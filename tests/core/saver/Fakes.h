#pragma once

#include <string>
#include <vector>

#include "core/player/MediaPlayer.h"
#include "core/saver/FrmScrView.h"

namespace revuro::testing {

// Every call on the fake player and the fake view, in order, as one readable log.
using CallLog = std::vector<std::string>;

// A player that records what it is told and lets a test move its play state.
class FakeMediaPlayer : public MediaPlayer {
  public:
    explicit FakeMediaPlayer(CallLog& log) : log_(log) {}

    void SetEventSink(MediaPlayerEvents* sink) override { sink_ = sink; }

    Outcome SetURL(const std::string& url) override {
        log_.push_back("SetURL " + url);
        if (url == refusedURL) return Error{"cannot open " + url};
        url_ = url;
        return Ok();
    }
    std::string URL() const override { return url_; }
    void Play() override { log_.push_back("Play"); }
    void Next() override { log_.push_back("Next"); }
    std::int32_t PlayState() const override { return state; }
    void ClearErrorQueue() override { log_.push_back("ClearErrorQueue"); }
    Outcome SetEnableErrorDialogs(bool enable) override {
        log_.push_back(std::string("SetEnableErrorDialogs ") + (enable ? "true" : "false"));
        if (failErrorDialogs > 0) {
            --failErrorDialogs;
            return Error{"no settings object"};
        }
        enableErrorDialogs = enable;
        return Ok();
    }
    Outcome SetFullScreen(bool on) override {
        log_.push_back(std::string("SetFullScreen ") + (on ? "true" : "false"));
        fullScreen = on;
        return Ok();
    }
    Outcome SetUiMode(const std::string& mode) override {
        log_.push_back("SetUiMode " + mode);
        uiMode = mode;
        return Ok();
    }

    // Moves to `newState` and reports it, as the real player does.
    void Enter(std::int32_t newState) {
        state = newState;
        if (sink_ != nullptr) sink_->wmp_PlayStateChange(newState);
    }

    std::int32_t state = kUndefined;
    std::string refusedURL;    // SetURL fails for this one
    int failErrorDialogs = 0;  // how many SetEnableErrorDialogs calls fail
    bool enableErrorDialogs = PlayerSettings{}.enableErrorDialogs;
    bool fullScreen = PlayerSettings{}.fullScreen;
    std::string uiMode = PlayerSettings{}.uiMode;

  private:
    CallLog& log_;
    MediaPlayerEvents* sink_ = nullptr;
    std::string url_;
};

// Thrown instead of ending the test process.
struct Terminated {};

class FakeFrmScrView : public FrmScrView {
  public:
    explicit FakeFrmScrView(CallLog& log) : log_(log) {}

    void PlaceOverDesktop() override { log_.push_back("PlaceOverDesktop"); }
    void SetPlayerSize(int widthTwips, int heightTwips) override {
        log_.push_back("SetPlayerSize " + std::to_string(widthTwips) + "x" +
                       std::to_string(heightTwips));
    }
    void Repaint() override { log_.push_back("Repaint"); }
    [[noreturn]] void TerminateNow() override {
        log_.push_back("TerminateNow");
        throw Terminated{};
    }

  private:
    CallLog& log_;
};

}  // namespace revuro::testing
