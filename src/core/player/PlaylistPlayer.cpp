#include "core/player/PlaylistPlayer.h"

#include <optional>

#include "core/ReasonText.h"
#include "core/Utf8.h"
#include "core/player/ItemKind.h"
#include "core/store/PlaylistFile.h"

namespace revuro {

namespace {

constexpr std::chrono::milliseconds kNow{0};

Presentation PresentationOf(const PlayerSettings& settings) {
    return {settings.rate,
            settings.balance,
            settings.volume,
            settings.mute,
            settings.uiMode,
            settings.stretchToFit,
            settings.enableContextMenu,
            settings.fullScreen};
}

}  // namespace

PlaylistPlayer::PlaylistPlayer(MediaBackend& backend, OneShotTimer& timer,
                               const PlaylistReader& reader, const PlayerSettings& settings,
                               PlaylistPlayerOptions options)
    : backend_(backend),
      timer_(timer),
      reader_(reader),
      options_(std::move(options)),
      presentation_(PresentationOf(settings)),
      autoStart_(settings.autoStart),
      enableErrorDialogs_(settings.enableErrorDialogs),
      cursor_(reader) {
    backend_.SetEvents(this);
    (void)backend_.SetPresentation(presentation_);  // a backend that cannot, fails its loads
}

PlaylistPlayer::~PlaylistPlayer() {
    timer_.Stop();
    backend_.SetEvents(nullptr);
}

Outcome PlaylistPlayer::SetURL(const std::string& url) {
    const PathRules& paths = reader_.paths();
    std::vector<ListEntry> rows;
    std::string key;
    const std::string name = paths.FileName(url);
    if (name == kSaverPlaylistName || name == kTrialPlaylistName) {
        Result<std::vector<ListEntry>> read = reader_.ReadPlaylist(url);
        if (!read) return read.error();
        rows = std::move(read).value();
        key = paths.Key(url);
    } else if (!url.empty()) {
        rows.push_back(reader_.Entry(url, {}));
    }
    url_ = url;
    cursor_.Begin(std::move(rows), std::move(key));
    settled_ = false;
    onFallback_ = false;
    if (!autoStart_ || url_.empty()) {
        timer_.Stop();
        ++moves_;
        phase_ = Phase::Idle;
        backend_.Stop();
        return Ok();
    }
    StartPass();
    return Ok();
}

void PlaylistPlayer::Play() {
    if (settled_ || url_.empty()) return;
    if (phase_ == Phase::Idle || phase_ == Phase::Ended) StartPass();
}

void PlaylistPlayer::Next() {
    if (phase_ == Phase::Idle || phase_ == Phase::Ended) return;
    cursor_.Next();
    LoadCurrent();
}

Outcome PlaylistPlayer::SetEnableErrorDialogs(bool enable) {
    enableErrorDialogs_ = enable;
    return Ok();
}

Outcome PlaylistPlayer::SetFullScreen(bool fullScreen) {
    presentation_.fullScreen = fullScreen;
    return backend_.SetPresentation(presentation_);
}

Outcome PlaylistPlayer::SetUiMode(const std::string& mode) {
    if (mode != kUiModeFull && mode != kUiModeNone) return Error{"unknown uiMode \"" + mode + "\""};
    presentation_.uiMode = mode;
    return backend_.SetPresentation(presentation_);
}

Outcome PlaylistPlayer::SetMute(bool mute) {
    presentation_.mute = mute;
    return backend_.SetPresentation(presentation_);
}

void PlaylistPlayer::SetHeld(bool held) {
    if (held == held_) return;
    held_ = held;
    backend_.Hold(held);
    if (phase_ == Phase::Playing && picture_) {
        if (held) {
            timer_.Stop();
        } else {
            StartPictureTime();
        }
    }
}

void PlaylistPlayer::ReportKeyDown(std::int16_t keyCode, std::int16_t shift) {
    if (sink_ != nullptr) sink_->wmp_KeyDown(keyCode, shift);
}

void PlaylistPlayer::ReportDoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                                       std::int32_t y) {
    if (sink_ != nullptr) sink_->wmp_DoubleClick(button, shift, x, y);
}

std::vector<std::string> PlaylistPlayer::Items() const {
    std::vector<std::string> items;
    for (const ListEntry& row : cursor_.Rows())
        items.push_back(row.target.empty() ? row.name : row.target);
    return items;
}

bool PlaylistPlayer::SetState(std::int32_t state) {
    const std::uint64_t before = moves_;
    state_ = state;
    if (sink_ != nullptr) sink_->wmp_PlayStateChange(state);
    return moves_ == before;
}

void PlaylistPlayer::StartPass() {
    presentedThisPass_ = false;
    cursor_.Restart();
    LoadCurrent();
}

void PlaylistPlayer::LoadCurrent() {
    timer_.Stop();
    ++moves_;
    const ListCursor::Step& step = cursor_.Current();
    if (step.kind == ListCursor::Kind::End) {
        // From the event loop: the window's reaction to the end may start the list again.
        phase_ = Phase::Waiting;
        timer_.Start(kNow, [this] { FinishPass(); });
        return;
    }
    current_ = step.entry;
    const PathRules& paths = reader_.paths();
    const ItemKind kind = KindOfExtension(paths.Extension(current_.target));
    picture_ = kind == ItemKind::Picture;
    std::optional<Error> problem = current_.problem;
    if (!problem && !PathRules::IsUrl(current_.target))
        problem = reader_.files().Problem(current_.target);

    phase_ = problem ? Phase::Waiting : Phase::Loading;
    if (!SetState(kTransitioning)) return;
    if (!problem) {
        backend_.Load(current_.target, picture_                  ? MediaKind::Picture
                                       : kind == ItemKind::Flash ? MediaKind::Flash
                                                                 : MediaKind::Timed);
        return;
    }
    backend_.Stop();  // nothing of the item before may go on behind the note
    // From the event loop: a long run of bad rows is walked without recursion, and the
    // window's input is read between them.
    timer_.Start(kNow, [this, failure = *problem] { ItemFailed(failure); });
}

void PlaylistPlayer::Started() {
    if (phase_ != Phase::Loading) return;
    phase_ = Phase::Playing;
    if (picture_ && !held_) StartPictureTime();
    (void)SetState(kPlaying);
}

void PlaylistPlayer::Presented() {
    if (phase_ == Phase::Loading || phase_ == Phase::Playing) presentedThisPass_ = true;
}

void PlaylistPlayer::Ended() {
    // A picture ends when its time is up, whatever the backend thinks of it.
    if ((phase_ == Phase::Loading || phase_ == Phase::Playing) && !picture_) ItemEnded();
}

void PlaylistPlayer::Failed(const Error& error) {
    if (phase_ == Phase::Loading || phase_ == Phase::Playing) ItemFailed(error);
}

void PlaylistPlayer::StartPictureTime() {
    timer_.Start(kPictureTime, [this] { ItemEnded(); });
}

void PlaylistPlayer::ItemEnded() {
    timer_.Stop();
    phase_ = Phase::Waiting;
    if (!SetState(kMediaEnded)) return;
    cursor_.Next();
    LoadCurrent();
}

void PlaylistPlayer::ItemFailed(const Error& error) {
    const bool whilePlaying = phase_ == Phase::Playing;
    timer_.Stop();
    phase_ = Phase::Failed;
    errorQueue_.push_back(current_.name + ": " + error.reason);
    if (errorQueue_.size() > kMaxQueuedErrors) errorQueue_.pop_front();
    if (options_.skipUnplayable) {
        cursor_.Next();
        LoadCurrent();
        return;
    }
    if (enableErrorDialogs_) {
        // In a full-screen saver an error is a short note on screen, never a window.
        backend_.ShowNote("无法播放：" + ElideCodePoints(current_.name, kNoteNameCharacters) +
                          "（" + ReasonText(error) + "）");
    }
    if (sink_ == nullptr) return;
    // Exactly one event per bad item; the window's reaction decides the skip.
    if (whilePlaying) {
        sink_->wmp_Error();
    } else {
        sink_->wmp_MediaError(current_.target.empty() ? current_.name : current_.target);
    }
}

void PlaylistPlayer::FinishPass() {
    if (!presentedThisPass_ && !onFallback_) {
        // Another pass would show nothing either, only spin through the list.
        settled_ = true;
        const PathRules& paths = reader_.paths();
        const std::string& fallback = options_.fallbackPicture;
        if (!fallback.empty() && paths.Key(fallback) != paths.Key(url_)) {
            onFallback_ = true;
            cursor_.Begin({reader_.Entry(fallback, {})}, {});
            StartPass();
            return;
        }
    }
    phase_ = Phase::Ended;
    if (state_ != kMediaEnded && !SetState(kMediaEnded)) return;
    (void)SetState(kReady);
}

}  // namespace revuro
