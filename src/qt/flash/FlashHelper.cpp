#include "qt/flash/FlashHelper.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/flash/SwfMovie.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "qt/flash/FlashPage.h"
#include "qt/flash/FlashSchemeHandler.h"

namespace revuro {

namespace {

constexpr int kInput = 0;
constexpr int kOutput = 1;
constexpr std::size_t kMaxLineBytes = 1 << 20;  // a line this long is no command

QString JsString(const QString& text) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

}  // namespace

FlashHelper::FlashHelper(FlashPage& page, FlashSchemeHandler& scheme, QString renderer,
                         QObject* parent)
    : QObject(parent),
      page_(page),
      scheme_(scheme),
      renderer_(std::move(renderer)),
      input_(kInput, QSocketNotifier::Read) {
    input_.setEnabled(false);
    connect(&input_, &QSocketNotifier::activated, this, &FlashHelper::ReadInput);
    connect(&scheme_, &FlashSchemeHandler::pageEvent, this, &FlashHelper::PageEvent);
    connect(&page_, &QWebEnginePage::renderProcessTerminated, this, &FlashHelper::PageGone);
}

void FlashHelper::Start() {
    input_.setEnabled(true);
    page_.load(FlashSchemeHandler::PageUrl());
}

void FlashHelper::ReadInput() {
    char block[4096];
    const ssize_t n = ::read(kInput, block, sizeof block);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    // The saver is gone. Nothing of the helper's outlives it (the profile keeps nothing on
    // disk), and taking the web engine down properly only costs time.
    if (n <= 0) TerminateImmediately(0);
    pending_.append(block, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (const auto command = ParseFlashCommand(line))
            Run(*command);
        else
            std::fprintf(stderr, "revuro-flash: not a command: %s\n", line.c_str());
    }
    if (pending_.size() > kMaxLineBytes) {
        std::fprintf(stderr, "revuro-flash: a line of over %zu bytes was dropped\n", kMaxLineBytes);
        pending_.clear();
    }
}

void FlashHelper::Run(const FlashCommand& command) {
    switch (command.kind) {
        case FlashCommand::Kind::Load:
            if (pageReady_)
                Load(command.id, command.path);
            else
                waitingLoad_ = command;
            break;
        case FlashCommand::Kind::Stop:
            waitingLoad_.reset();
            Stop();
            break;
        case FlashCommand::Kind::Hold:
            held_ = command.held;
            RunScript(QString("revuroFlash.hold(%1)").arg(held_ ? "true" : "false"));
            break;
        case FlashCommand::Kind::Volume:
            volume_ = command.volume;
            RunScript(QString("revuroFlash.volume(%1)").arg(volume_ / 100.0));
            break;
    }
}

void FlashHelper::Load(std::uint64_t id, const std::string& path) {
    Stop();
    current_ = id;
    hasCurrent_ = true;
    auto failed = [&](const std::string& reason) {
        hasCurrent_ = false;
        emit movieWanted(false);
        Report(FlashReport::Failed(id, reason));
    };
    if (const std::optional<Error> problem = MediaPathProblem(path)) return failed(problem->reason);
    std::error_code unknown;  // the read below says why
    if (std::filesystem::file_size(path, unknown) > kMaxFileBytes && !unknown)
        return failed("the file is too large for a Flash movie");
    const auto file = ReadWholeFile(path);
    if (!file) return failed(file.error().reason);
    const auto movie = SwfMovie::Read(file.value());
    if (!movie) return failed(movie.error().reason);

    timing_.passSignal = movie.value().CanSignalPasses();
    timing_.passTime = std::chrono::milliseconds(std::llround(movie.value().PassSeconds() * 1000));
    const std::string bytes =
        timing_.passSignal
            ? movie.value().WithPassSignal(FlashSchemeHandler::PassUrl(id).toString().toStdString())
            : file.value();
    const QUrl url =
        scheme_.SetMovie(id, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    emit movieWanted(true);
    RunScript(QString("revuroFlash.load(%1, %2)").arg(id).arg(JsString(url.toString())));
}

void FlashHelper::Stop() {
    hasCurrent_ = false;
    emit movieWanted(false);
    scheme_.ClearMovie();
    RunScript("revuroFlash.stop()");
}

void FlashHelper::PageEvent(const QString& kind, const QUrlQuery& fields) {
    if (kind == "ready") {
        pageReady_ = true;
        if (!renderer_.isEmpty())
            RunScript(QString("revuroFlash.useRenderer(%1)").arg(JsString(renderer_)));
        RunScript(QString("revuroFlash.volume(%1)").arg(volume_ / 100.0));
        RunScript(QString("revuroFlash.hold(%1)").arg(held_ ? "true" : "false"));
        if (waitingLoad_) Load(waitingLoad_->id, waitingLoad_->path);
        waitingLoad_.reset();
        return;
    }
    if (kind == "unavailable") {
        Report(FlashReport::Unavailable(
            fields.queryItemValue("reason", QUrl::FullyDecoded).toStdString()));
        TerminateImmediately(kUnavailableStatus);
    }
    bool isNumber = false;
    const std::uint64_t id = fields.queryItemValue("id").toULongLong(&isNumber);
    if (!isNumber || !hasCurrent_ || id != current_) return;  // about an item since replaced
    if (kind == "loaded") {
        // Ruffle knows best which virtual machine runs the movie.
        if (fields.queryItemValue("as3") == "1") timing_.passSignal = false;
        Report(FlashReport::Loaded(id, timing_));
    } else if (kind == "pass") {
        if (timing_.passSignal) Report(FlashReport::PassEnded(id));
    } else if (kind == "failed") {
        hasCurrent_ = false;
        emit movieWanted(false);
        scheme_.ClearMovie();
        Report(FlashReport::Failed(
            id, fields.queryItemValue("reason", QUrl::FullyDecoded).toStdString()));
    }
}

void FlashHelper::PageGone() {
    // The web engine's renderer died: the current movie is lost, the page starts afresh.
    pageReady_ = false;
    if (hasCurrent_) {
        hasCurrent_ = false;
        emit movieWanted(false);
        Report(FlashReport::Failed(current_, "the web engine's renderer ended"));
    }
    scheme_.ClearMovie();
    page_.load(FlashSchemeHandler::PageUrl());
}

void FlashHelper::Report(const FlashReport& report) {
    const std::string line = FormatFlashReport(report);
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t n = ::write(kOutput, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) TerminateImmediately(0);  // nobody reads any more
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
}

void FlashHelper::RunScript(const QString& script) {
    if (pageReady_) page_.runJavaScript(script);
}

}  // namespace revuro
