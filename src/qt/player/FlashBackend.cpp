#include "qt/player/FlashBackend.h"

#include <QFileInfo>
#include <QProcess>
#include <QWidget>

#include <utility>

namespace revuro {

FlashBackend::FlashBackend(QWidget& videoArea, VideoOutput output, std::string helper)
    : area_(videoArea), output_(output), helperPath_(std::move(helper)) {
    loadTimer_.setSingleShot(true);
    connect(&loadTimer_, &QTimer::timeout, this, [this] {
        DropHelper();
        Fail(Error{ErrorKind::FlashPlayerNotResponding, "the Flash helper did not answer"});
    });
    doneTimer_.setSingleShot(true);
    connect(&doneTimer_, &QTimer::timeout, this, &FlashBackend::TimeUp);
}

FlashBackend::~FlashBackend() {
    if (helper_ == nullptr) return;
    // Nothing of the helper's is worth keeping: it is not asked to take its web engine down.
    helper_->disconnect(this);
    helper_->kill();
    helper_->waitForFinished();
}

void FlashBackend::Load(const std::string& item, MediaKind /*kind*/) {
    ++loadId_;
    doneTimer_.stop();
    state_ = State::Loading;
    if (unavailable_ || !StartHelper()) {
        FailSoon(Error{ErrorKind::FlashNotSupported, "no Flash helper", helperPath_});
        return;
    }
    Send(FlashCommand::Load(loadId_, item));
    loadTimer_.start(kLoadBound);
}

void FlashBackend::Stop() {
    ++loadId_;
    state_ = State::Idle;
    loadTimer_.stop();
    doneTimer_.stop();
    if (helper_ != nullptr) Send(FlashCommand::Stop());
}

void FlashBackend::Hold(bool held) {
    held_ = held;
    if (helper_ != nullptr) Send(FlashCommand::Hold(held));
    policy_.Hold(held);
    if (state_ != State::Playing) return;
    if (held)
        doneTimer_.stop();
    else
        doneTimer_.start(policy_.TimeLeft());
}

Outcome FlashBackend::SetPresentation(const Presentation& presentation) {
    presentation_ = presentation;
    if (helper_ != nullptr) Send(FlashCommand::Volume(Volume()));
    return Ok();
}

int FlashBackend::Volume() const { return presentation_.mute ? 0 : presentation_.volume; }

bool FlashBackend::StartHelper() {
    if (helper_ != nullptr) return true;
    if (!QFileInfo(QString::fromStdString(helperPath_)).isExecutable()) {
        unavailable_ = true;
        return false;
    }
    helper_ = new QProcess(this);
    helper_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(helper_, &QProcess::readyReadStandardOutput, this, &FlashBackend::ReadReports);
    connect(helper_, &QProcess::finished, this, &FlashBackend::HelperEnded);
    connect(helper_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            unavailable_ = true;
            HelperEnded();
        }
    });
    reports_.clear();
    // Software drawing in the helper too where the saver does not draw with the graphics card.
    const VideoOutput output = output_ == VideoOutput::Gpu ? VideoOutput::Gpu : VideoOutput::X11;
    helper_->start(
        QString::fromStdString(helperPath_),
        {"--window", QString::number(area_.winId()), "--video-output", VideoOutputName(output)});
    // Written once it runs: the process keeps what comes before.
    Send(FlashCommand::Volume(Volume()));
    if (held_) Send(FlashCommand::Hold(true));
    return true;
}

void FlashBackend::Send(const FlashCommand& command) {
    const std::string line = FormatFlashCommand(command);
    helper_->write(line.data(), static_cast<qint64>(line.size()));
}

void FlashBackend::ReadReports() {
    if (helper_ == nullptr) return;
    reports_ += helper_->readAllStandardOutput().toStdString();
    std::size_t end;
    while (helper_ != nullptr && (end = reports_.find('\n')) != std::string::npos) {
        const std::string line = reports_.substr(0, end);
        reports_.erase(0, end + 1);
        if (const auto report = ParseFlashReport(line)) Handle(*report);
    }
}

void FlashBackend::Handle(const FlashReport& report) {
    if (report.kind == FlashReport::Kind::Unavailable) {
        // It ends now; the movie it had fails when it has.
        unavailable_ = true;
        return;
    }
    if (report.id != loadId_) return;  // about a movie since replaced
    switch (report.kind) {
        case FlashReport::Kind::Loaded: {
            if (state_ != State::Loading) return;
            loadTimer_.stop();
            state_ = State::Playing;
            policy_.Start(report.timing);  // held or not, as it was told
            if (!held_) doneTimer_.start(policy_.TimeLeft());
            const std::uint64_t id = loadId_;
            if (events_ != nullptr) events_->Started();
            // The player's reaction may have loaded another movie meanwhile.
            if (events_ != nullptr && id == loadId_) events_->Presented();
            break;
        }
        case FlashReport::Kind::PassEnded:
            if (state_ == State::Playing && policy_.PassEnded()) Played();
            break;
        case FlashReport::Kind::Failed:
            if (state_ == State::Loading || state_ == State::Playing)
                Fail(Error{ErrorKind::DamagedFile, report.reason});
            break;
        case FlashReport::Kind::Unavailable:
            break;
    }
}

void FlashBackend::TimeUp() {
    if (state_ != State::Playing) return;
    if (policy_.Due())
        Played();
    else
        doneTimer_.start(policy_.TimeLeft());
}

void FlashBackend::Played() {
    // The movie stays on screen, going round, until the player moves on.
    state_ = State::Done;
    doneTimer_.stop();
    if (events_ != nullptr) events_->Ended();
}

void FlashBackend::HelperEnded() {
    if (helper_ == nullptr) return;
    helper_->disconnect(this);
    helper_->deleteLater();
    helper_ = nullptr;
    if (state_ != State::Loading && state_ != State::Playing) return;
    if (unavailable_)
        Fail(Error{ErrorKind::FlashNotSupported, "the Flash helper cannot play", helperPath_});
    else
        Fail(Error{ErrorKind::FlashPlayerFailed, "the Flash helper ended", helperPath_});
}

void FlashBackend::DropHelper() {
    if (helper_ == nullptr) return;
    QProcess* hung = std::exchange(helper_, nullptr);
    hung->disconnect(this);
    connect(hung, &QProcess::finished, hung, &QObject::deleteLater);
    hung->kill();
}

void FlashBackend::Fail(const Error& error) {
    state_ = State::Idle;
    loadTimer_.stop();
    doneTimer_.stop();
    if (events_ != nullptr) events_->Failed(error);
}

void FlashBackend::FailSoon(const Error& error) {
    // From the event loop, never inside the player's call.
    QMetaObject::invokeMethod(
        this,
        [this, id = loadId_, error] {
            if (id == loadId_ && state_ == State::Loading) Fail(error);
        },
        Qt::QueuedConnection);
}

}  // namespace revuro
