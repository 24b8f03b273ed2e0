#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QUrlQuery>

#include <cstdint>
#include <optional>
#include <string>

#include "core/flash/FlashProtocol.h"

namespace revuro {

class FlashPage;
class FlashSchemeHandler;

// The helper's side of the pipe: commands from the saver on standard input, reports on
// standard output (core/flash/FlashProtocol.h). Reads and checks each movie itself, so the
// page gets only movies that can be read, with the pass signal added where it can be.
// The helper ends when the saver closes the pipe.
class FlashHelper : public QObject {
    Q_OBJECT

  public:
    // The status the helper ends with when it cannot play anything.
    static constexpr int kUnavailableStatus = 3;
    // Larger files are refused rather than read into memory whole.
    static constexpr std::uintmax_t kMaxFileBytes = 512u << 20;

    // `renderer`: Ruffle's renderer to use ("canvas", "webgl", ...); empty: Ruffle's choice.
    FlashHelper(FlashPage& page, FlashSchemeHandler& scheme, QString renderer,
                QObject* parent = nullptr);

    // Starts reading commands and loads the page.
    void Start();

  signals:
    // The movie window is wanted on top of the saver's picture (a movie is loaded), or out of
    // the way (none is, or it failed), so that the saver's own picture and notes show.
    void movieWanted(bool wanted);

  private:
    void ReadInput();
    void Run(const FlashCommand& command);
    void Load(std::uint64_t id, const std::string& path);
    void Stop();
    void PageEvent(const QString& kind, const QUrlQuery& fields);
    void PageGone();
    void Report(const FlashReport& report);
    void RunScript(const QString& script);

    FlashPage& page_;
    FlashSchemeHandler& scheme_;
    QString renderer_;
    QSocketNotifier input_;
    std::string pending_;  // input after the last complete line

    bool pageReady_ = false;
    std::optional<FlashCommand> waitingLoad_;  // a load that came before the page was ready
    std::uint64_t current_ = 0;                // the load the page plays, while hasCurrent_
    bool hasCurrent_ = false;
    FlashTiming timing_;
    bool held_ = false;
    int volume_ = 50;
};

}  // namespace revuro
