#include "saver/MpvPlayer.h"

#include <mpv/client.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "platform/Files.h"
#include "platform/ReasonText.h"
#include "platform/Utf8.h"

namespace revuro {

namespace {

// mpv options and properties the player uses, by name.
namespace mpv_name {
constexpr const char* kWid = "wid";
constexpr const char* kEofReached = "eof-reached";
constexpr const char* kPause = "pause";
constexpr const char* kKeepOpen = "keep-open";
constexpr const char* kKeepOpenPause = "keep-open-pause";
constexpr const char* kImageDuration = "image-display-duration";
constexpr const char* kIdle = "idle";
constexpr const char* kVolume = "volume";
constexpr const char* kMute = "mute";
constexpr const char* kAo = "ao";
constexpr const char* kSpeed = "speed";
constexpr const char* kHwdec = "hwdec";
constexpr const char* kVo = "vo";
constexpr const char* kForceWindow = "force-window";
constexpr const char* kOsdFontSize = "osd-font-size";
constexpr const char* kGpuContext = "gpu-context";
constexpr const char* kGpuSoftware = "gpu-sw";
constexpr const char* kUnscaled = "video-unscaled";
constexpr const char* kOsc = "osc";
constexpr const char* kScriptOptions = "script-opts";
constexpr const char* kDefaultBindings = "input-default-bindings";
constexpr const char* kVoKeyboard = "input-vo-keyboard";
constexpr const char* kInputCursor = "input-cursor";
constexpr const char* kCursorAutohide = "cursor-autohide";
constexpr const char* kStopScreensaver = "stop-screensaver";
constexpr const char* kYtdl = "ytdl";
constexpr const char* kLoadScripts = "load-scripts";
constexpr const char* kMediaKeys = "input-media-keys";
}  // namespace mpv_name

namespace command {
constexpr const char* kLoadFile = "loadfile";
constexpr const char* kStop = "stop";
constexpr const char* kShowText = "show-text";
constexpr const char* kMouse = "mouse";
constexpr const char* kScriptMessage = "script-message";
}  // namespace command

// A muted player's audio output: it plays the sound to nowhere, in time.
constexpr const char* kSilentAudioOutput = "null";
constexpr const char* kPictureSeconds = "5";  // how long a picture in a list stays
constexpr const char* kNoteMilliseconds = "4000";
constexpr std::size_t kMaxQueuedErrors = 100;
// A note names the file; it does not fill the screen.
constexpr std::size_t kNoteNameCharacters = 24;
constexpr std::uint64_t kEofObservation = 1;

bool IsPlaylistPath(const std::string& url) {
    std::string extension = std::filesystem::path(url).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".m3u";
}

bool IsUrl(const std::string& item) { return item.find("://") != std::string::npos; }

// What an mpv error code means to the user; mpv's own text goes with it. The one place where
// mpv's codes, an item's end-file error among them, become the player's reasons.
Error MpvError(int code) {
    ErrorKind kind = ErrorKind::Other;
    switch (code) {
        case MPV_ERROR_UNKNOWN_FORMAT:
            kind = ErrorKind::UnrecognizedFormat;
            break;
        case MPV_ERROR_LOADING_FAILED:  // a file that passed MediaPathProblem, or a URL
            kind = ErrorKind::DamagedFile;
            break;
        case MPV_ERROR_NOTHING_TO_PLAY:  // no stream, or none mpv could decode
            kind = ErrorKind::NothingToPlay;
            break;
        default:
            break;
    }
    return Error{kind, mpv_error_string(code)};
}

std::string FileName(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

}  // namespace

void MpvPlayer::MpvDeleter::operator()(mpv_handle* handle) const { mpv_terminate_destroy(handle); }

MpvPlayer::MpvPlayer(const PlayerSettings& settings, const PlaylistFile& playlists,
                     VideoOutput output, QWidget* parent)
    : QWidget(parent), settings_(settings), playlists_(playlists), video_(new QWidget(this)) {
    setObjectName("wmp");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    video_->setObjectName("video");
    video_->setAttribute(Qt::WA_NativeWindow);
    video_->setAttribute(Qt::WA_DontCreateNativeAncestors);
    video_->setAttribute(Qt::WA_TransparentForMouseEvents);
    video_->setAutoFillBackground(true);
    video_->setPalette(black);
    video_->setMouseTracking(true);

    initialized_ = Initialize(output);
    if (!initialized_) {
        std::fprintf(stderr, "revuro: the media player cannot start: %s\n",
                     initialized_.error().reason.c_str());
    }
}

MpvPlayer::~MpvPlayer() {
    if (mpv_) mpv_set_wakeup_callback(mpv_.get(), nullptr, nullptr);
}

Outcome MpvPlayer::Initialize(VideoOutput output) {
    mpv_.reset(mpv_create());
    if (!mpv_) return Error{"libmpv could not be created"};
    mpv_handle* mpv = mpv_.get();

    auto option = [mpv](const char* name, const std::string& value) {
        mpv_set_option_string(mpv, name, value.c_str());
    };
    option(mpv_name::kWid, std::to_string(static_cast<std::int64_t>(video_->winId())));
    option(mpv_name::kIdle, "yes");
    option(mpv_name::kKeepOpen, "yes");
    option(mpv_name::kKeepOpenPause, "no");
    option(mpv_name::kImageDuration, kPictureSeconds);
    if (output == VideoOutput::Gpu) {
        // OpenGL on the graphics card, decoding on it where it can; plain X11 if that fails.
        // Only contexts that draw into a foreign X window: a failed probe of the others can
        // leave the process's X connections broken.
        option(mpv_name::kVo, "gpu,x11");
        option(mpv_name::kHwdec, "auto-safe");
        // A libmpv built without GLX refuses the whole list, and mpv would then probe every
        // context after all; EGL alone is what such a build can draw with here.
        if (mpv_set_option_string(mpv, mpv_name::kGpuContext, "x11egl,x11") < 0)
            option(mpv_name::kGpuContext, "x11egl");
        option(mpv_name::kGpuSoftware, "no");
    } else {
        option(mpv_name::kVo, "x11");
        option(mpv_name::kHwdec, "no");
    }
    // One video output for the player's whole life: it is chosen once, and an item that
    // cannot be played does not tear it down and make mpv probe the outputs again.
    option(mpv_name::kForceWindow, "yes");
    option(mpv_name::kVolume, std::to_string(settings_.volume));
    option(mpv_name::kMute, settings_.mute ? "yes" : "no");
    if (settings_.mute) option(mpv_name::kAo, kSilentAudioOutput);
    option(mpv_name::kSpeed, std::to_string(settings_.rate));
    option(mpv_name::kUnscaled, settings_.stretchToFit ? "no" : "yes");
    // Balance 0 and one play per item are mpv's own defaults, and mpv offers no context menu,
    // so those settings need nothing here.
    // Input stays with the window: keys and clicks reach Qt, which forwards what the
    // on-screen controls need.
    option(mpv_name::kOsdFontSize, "30");  // error notes stay small
    option(mpv_name::kOsc, "yes");
    option(mpv_name::kScriptOptions, "osc-idlescreen=no");  // between items the screen stays black
    option(mpv_name::kDefaultBindings, "no");
    option(mpv_name::kVoKeyboard, "no");
    option(mpv_name::kInputCursor, "no");
    option(mpv_name::kMediaKeys, "no");
    // Hiding nothing itself, mpv's window shows the pointer of the window it lives in: none
    // over the saver, the host's over a preview.
    option(mpv_name::kCursorAutohide, "no");
    option(mpv_name::kStopScreensaver, "no");
    option(mpv_name::kYtdl, "no");
    option(mpv_name::kLoadScripts, "no");

    if (int rc = mpv_initialize(mpv); rc < 0) return MpvError(rc);
    mpv_request_log_messages(mpv, "fatal");
    mpv_observe_property(mpv, kEofObservation, mpv_name::kEofReached, MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(
        mpv,
        [](void* self) {
            // mpv's thread: only queue the drain onto the UI thread.
            QMetaObject::invokeMethod(static_cast<MpvPlayer*>(self), &MpvPlayer::DrainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    (void)SetUiMode(settings_.uiMode);
    return Ok();
}

std::string MpvPlayer::GpuContexts() const {
    if (!mpv_) return {};
    char* value = mpv_get_property_string(mpv_.get(), mpv_name::kGpuContext);
    if (value == nullptr) return {};
    std::string contexts = value;
    mpv_free(value);
    return contexts;
}

Outcome MpvPlayer::Command(const std::vector<std::string>& args) {
    if (!initialized_) return initialized_;
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    if (int rc = mpv_command(mpv_.get(), argv.data()); rc < 0) {
        Error error = MpvError(rc);
        error.reason = args.front() + ": " + error.reason;
        return error;
    }
    return Ok();
}

Outcome MpvPlayer::SetURL(const std::string& url) {
    if (!initialized_) return initialized_;
    std::vector<std::string> items;
    if (IsPlaylistPath(url)) {
        // One undecodable row must not cost the whole list: it names no file we could open.
        Result<PlaylistRows> read = playlists_.Read(url, UndecodableLines::Skip);
        if (!read) return read.error();
        if (read.value().linesSkipped > 0) {
            std::fprintf(stderr, "revuro: %s: %zu undecodable lines skipped\n", url.c_str(),
                         read.value().linesSkipped);
        }
        items = std::move(read).value().rows;
    } else {
        items.push_back(url);
    }
    url_ = url;
    items_ = std::move(items);
    index_ = 0;
    ++loadSerial_;
    if (!settings_.autoStart) return Command({command::kStop});
    if (items_.empty()) {
        // Nothing to play: the list is done at once, reported like any finished list.
        (void)Command({command::kStop});
        QMetaObject::invokeMethod(this, &MpvPlayer::FinishList, Qt::QueuedConnection);
        return Ok();
    }
    LoadItem(0);
    return Ok();
}

void MpvPlayer::LoadItem(std::size_t index) {
    index_ = index;
    itemLoaded_ = false;
    loadPending_ = true;
    const std::uint64_t serial = ++loadSerial_;
    SetState(kTransitioning);
    const std::string& item = items_[index];
    std::optional<Error> refused = IsUrl(item) ? std::nullopt : MediaPathProblem(item);
    if (!refused) {
        Outcome loaded = Command({command::kLoadFile, item, "replace"});
        if (loaded) return;
        refused = loaded.error();
    } else {
        (void)Command({command::kStop});  // nothing of an earlier item may still be loading
    }
    // Reported from the event loop like mpv's own errors: a long run of such items is walked
    // without recursion, and keys are read between them.
    QMetaObject::invokeMethod(
        this,
        [this, serial, failure = *refused] {
            if (serial != loadSerial_) return;
            loadPending_ = false;
            ItemFailed(failure);
        },
        Qt::QueuedConnection);
}

void MpvPlayer::Play() {
    if (items_.empty()) return;
    if (state_ == kReady || state_ == kStopped || state_ == kUndefined) {
        LoadItem(0);
    } else if (state_ == kPaused) {
        mpv_set_property_string(mpv_.get(), mpv_name::kPause, "no");
        SetState(kPlaying);
    }
}

void MpvPlayer::Next() {
    if (index_ + 1 < items_.size()) {
        LoadItem(index_ + 1);
    } else {
        FinishList();
    }
}

void MpvPlayer::FinishList() {
    index_ = items_.size();
    SetState(kMediaEnded);
    SetState(kReady);
}

void MpvPlayer::SetState(std::int32_t state) {
    state_ = state;
    if (sink_ != nullptr) sink_->wmp_PlayStateChange(state);
}

void MpvPlayer::SetHeld(bool held) {
    // mpv keeps its pause across loaded items, so a held list does not move on either.
    if (initialized_) mpv_set_property_string(mpv_.get(), mpv_name::kPause, held ? "yes" : "no");
}

bool MpvPlayer::IsHeld() const {
    int paused = 0;
    if (!initialized_ ||
        mpv_get_property(mpv_.get(), mpv_name::kPause, MPV_FORMAT_FLAG, &paused) < 0)
        return false;
    return paused != 0;
}

Outcome MpvPlayer::SetMute(bool mute) {
    settings_.mute = mute;
    if (!initialized_) return initialized_;
    if (int rc = mpv_set_property_string(mpv_.get(), mpv_name::kMute, mute ? "yes" : "no"); rc < 0)
        return MpvError(rc);
    // An audio output already open stays open, muted; the next one is chosen by this.
    if (int rc = mpv_set_property_string(mpv_.get(), mpv_name::kAo, mute ? kSilentAudioOutput : "");
        rc < 0)
        return MpvError(rc);
    return Ok();
}

void MpvPlayer::SetWindowIsScreen(bool windowIsScreen) {
    windowIsScreen_ = windowIsScreen;
    LayoutVideo();
}

Outcome MpvPlayer::SetEnableErrorDialogs(bool enable) {
    settings_.enableErrorDialogs = enable;
    return Ok();
}

Outcome MpvPlayer::SetFullScreen(bool fullScreen) {
    settings_.fullScreen = fullScreen;
    LayoutVideo();
    return Ok();
}

Outcome MpvPlayer::SetUiMode(const std::string& mode) {
    if (mode != kUiModeFull && mode != kUiModeNone) return Error{"unknown uiMode \"" + mode + "\""};
    settings_.uiMode = mode;
    // The on-screen controller's own switch: "auto" shows it on mouse movement.
    return Command({command::kScriptMessage, "osc-visibility",
                    mode == kUiModeFull ? "auto" : "never", "no-osd"});
}

void MpvPlayer::DrainEvents() {
    if (!mpv_) return;
    while (true) {
        mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE) break;
        HandleEvent(*event);
    }
}

void MpvPlayer::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_START_FILE:
            loadPending_ = false;
            currentEntry_ = static_cast<mpv_event_start_file*>(event.data)->playlist_entry_id;
            break;
        case MPV_EVENT_FILE_LOADED:
            if (loadPending_) break;
            itemLoaded_ = true;
            SetState(kPlaying);
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<mpv_event_end_file*>(event.data);
            // Only an error of the item now playing counts; a replaced item ends with STOP.
            if (end->reason == MPV_END_FILE_REASON_ERROR && !loadPending_ &&
                end->playlist_entry_id == currentEntry_) {
                ItemFailed(MpvError(end->error));
            }
            break;
        }
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* property = static_cast<mpv_event_property*>(event.data);
            if (event.reply_userdata == kEofObservation && property->format == MPV_FORMAT_FLAG &&
                *static_cast<int*>(property->data) != 0 && !loadPending_ && itemLoaded_) {
                ItemFinished();
            }
            break;
        }
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* message = static_cast<mpv_event_log_message*>(event.data);
            std::fprintf(stderr, "revuro: mpv: [%s] %s", message->prefix, message->text);
            break;
        }
        default:
            break;
    }
}

void MpvPlayer::ItemFinished() {
    SetState(kMediaEnded);
    if (index_ + 1 < items_.size()) {
        LoadItem(index_ + 1);
    } else {
        FinishList();
    }
}

void MpvPlayer::ItemFailed(const Error& error) {
    const std::string item = index_ < items_.size() ? items_[index_] : url_;
    const bool duringPlayback = itemLoaded_;
    itemLoaded_ = false;
    errorQueue_.push_back(item + ": " + error.reason);
    if (errorQueue_.size() > kMaxQueuedErrors) errorQueue_.pop_front();
    if (settings_.enableErrorDialogs) {
        // In a full-screen saver an error is a short note on screen, never a window.
        (void)Command({command::kShowText,
                       "无法播放：" + ElideCodePoints(FileName(item), kNoteNameCharacters) + "（" +
                           ReasonText(error) + "）",
                       kNoteMilliseconds});
    }
    if (sink_ == nullptr) return;
    // Exactly one event per failed item; the window's reaction decides the skip.
    if (duringPlayback) {
        sink_->wmp_Error();
    } else {
        sink_->wmp_MediaError(item);
    }
}

void MpvPlayer::LayoutVideo() {
    QRect area = rect();
    if (settings_.fullScreen && !windowIsScreen_) {
        if (const QScreen* primary = QGuiApplication::primaryScreen()) {
            const QRect screen = primary->geometry();
            area = QRect(mapFromGlobal(screen.topLeft()), screen.size()).intersected(rect());
            if (area.isEmpty()) area = rect();
        }
    }
    video_->setGeometry(area);
}

void MpvPlayer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutVideo();
}

void MpvPlayer::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    LayoutVideo();
}

void MpvPlayer::keyPressEvent(QKeyEvent* event) {
    if (sink_ != nullptr) {
        sink_->wmp_KeyDown(static_cast<std::int16_t>(event->nativeVirtualKey()),
                           static_cast<std::int16_t>(event->modifiers() >> 25));
    }
    event->accept();
}

void MpvPlayer::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click toggles nothing: the window decides what it means.
    if (sink_ != nullptr) {
        const QPoint at = event->position().toPoint();
        sink_->wmp_DoubleClick(static_cast<std::int16_t>(event->button()),
                               static_cast<std::int16_t>(event->modifiers() >> 25), at.x(), at.y());
    }
    event->accept();
}

void MpvPlayer::ForwardMouse(const QPoint& position, const char* button, const char* mode) {
    if (settings_.uiMode != kUiModeFull) return;
    const QPoint inVideo = video_->mapFrom(this, position);
    const qreal scale = devicePixelRatioF();
    std::vector<std::string> args{command::kMouse,
                                  std::to_string(static_cast<int>(inVideo.x() * scale)),
                                  std::to_string(static_cast<int>(inVideo.y() * scale))};
    if (button != nullptr) {
        args.emplace_back(button);
        args.emplace_back(mode);
    }
    (void)Command(args);
}

void MpvPlayer::mouseMoveEvent(QMouseEvent* event) {
    ForwardMouse(event->position().toPoint(), nullptr, nullptr);
}

void MpvPlayer::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ForwardMouse(event->position().toPoint(), "0", "single");
}

}  // namespace revuro
