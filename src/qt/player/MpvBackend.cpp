#include "qt/player/MpvBackend.h"

#include "core/player/MediaPlayer.h"

#include <mpv/client.h>

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace revuro {

namespace {

// mpv options and properties the backend uses, by name.
namespace mpv_name {
constexpr const char* kWid = "wid";
constexpr const char* kEofReached = "eof-reached";
constexpr const char* kTimePos = "time-pos";
constexpr const char* kVideoOutParams = "video-out-params";
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

constexpr const char* kNoteMilliseconds = "4000";
// A muted player's audio output: it plays the sound to nowhere, in time.
constexpr const char* kSilentAudioOutput = "null";

// Observations, told apart by their reply value.
constexpr std::uint64_t kEofObservation = 1;
constexpr std::uint64_t kPresenceObservation = 2;

// Addresses mpv may open besides local files: streams over the network. Its own schemes
// (fd://, av://, edl://, memory://...) reach local descriptors, devices and filters, which no
// list from elsewhere may name.
bool IsNetworkAddress(std::string_view item) {
    static constexpr std::array<std::string_view, 11> kSchemes = {
        "http", "https", "rtsp", "rtsps", "rtmp", "rtmps", "mms", "mmsh", "mmst", "ftp", "ftps"};
    const std::size_t colon = item.find("://");
    std::string scheme(item.substr(0, colon));
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string_view known : kSchemes) {
        if (scheme == known) return true;
    }
    return false;
}

bool IsAddress(std::string_view item) { return item.find("://") != std::string_view::npos; }

// What an mpv error code means to the user; mpv's own text goes with it. The one place where
// mpv's codes, an item's end-file error among them, become the player's reasons.
Error MpvError(int code) {
    ErrorKind kind = ErrorKind::Other;
    switch (code) {
        case MPV_ERROR_UNKNOWN_FORMAT:
            kind = ErrorKind::UnrecognizedFormat;
            break;
        case MPV_ERROR_LOADING_FAILED:  // a file the player found readable, or a URL
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

}  // namespace

void MpvBackend::MpvDeleter::operator()(mpv_handle* handle) const { mpv_terminate_destroy(handle); }

MpvBackend::MpvBackend(QWidget& videoArea, VideoOutput output) : area_(videoArea) {
    initialized_ = Initialize(output);
    if (!initialized_) {
        std::fprintf(stderr, "revuro: the media player cannot start: %s\n",
                     initialized_.error().reason.c_str());
    }
    if (QWidget* control = area_.parentWidget()) control->installEventFilter(this);
}

MpvBackend::~MpvBackend() {
    if (mpv_) mpv_set_wakeup_callback(mpv_.get(), nullptr, nullptr);
}

Outcome MpvBackend::Initialize(VideoOutput output) {
    mpv_.reset(mpv_create());
    if (!mpv_) return Error{"libmpv could not be created"};
    mpv_handle* mpv = mpv_.get();

    auto option = [mpv](const char* name, const std::string& value) {
        mpv_set_option_string(mpv, name, value.c_str());
    };
    option(mpv_name::kWid, std::to_string(static_cast<std::int64_t>(area_.winId())));
    option(mpv_name::kIdle, "yes");
    option(mpv_name::kKeepOpen, "yes");
    option(mpv_name::kKeepOpenPause, "no");
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
        // The server's video adaptor where it has one, else plain images; the processor decodes.
        option(mpv_name::kVo, output == VideoOutput::Xv ? "xv,x11" : "x11");
        option(mpv_name::kHwdec, "no");
    }
    // One video output for the player's whole life: it is chosen once, and an item that
    // cannot be played does not tear it down and make mpv probe the outputs again.
    option(mpv_name::kForceWindow, "yes");
    // Input stays with the control: keys and clicks reach Qt, which forwards what the
    // on-screen controls need.
    option(mpv_name::kOsdFontSize, "30");  // error notes stay small
    option(mpv_name::kOsc, "yes");
    option(mpv_name::kScriptOptions, "osc-idlescreen=no");  // between items the screen stays black
    option(mpv_name::kDefaultBindings, "no");
    option(mpv_name::kVoKeyboard, "no");
    option(mpv_name::kInputCursor, "no");
    option(mpv_name::kMediaKeys, "no");
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
            QMetaObject::invokeMethod(static_cast<MpvBackend*>(self), &MpvBackend::DrainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    return Ok();
}

std::string MpvBackend::GpuContexts() const {
    if (!mpv_) return {};
    char* value = mpv_get_property_string(mpv_.get(), mpv_name::kGpuContext);
    if (value == nullptr) return {};
    std::string contexts = value;
    mpv_free(value);
    return contexts;
}

Outcome MpvBackend::Command(const std::vector<std::string>& args) {
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

void MpvBackend::Load(const std::string& item, MediaKind kind) {
    ++loadSerial_;
    loadPending_ = true;
    started_ = false;
    presented_ = false;
    if (IsAddress(item) && !IsNetworkAddress(item)) {
        (void)Command({command::kStop});
        FailSoon(Error{ErrorKind::UnsupportedAddress, "not a network address", item});
        return;
    }
    if (initialized_) {
        // Whether the item shows anything: a frame on screen, or its time running.
        mpv_unobserve_property(mpv_.get(), kPresenceObservation);
        mpv_observe_property(mpv_.get(), kPresenceObservation, mpv_name::kVideoOutParams,
                             MPV_FORMAT_NODE);
        mpv_observe_property(mpv_.get(), kPresenceObservation, mpv_name::kTimePos,
                             MPV_FORMAT_DOUBLE);
    }
    // A picture stays until the next item; the player decides how long.
    const std::string duration =
        std::string(mpv_name::kImageDuration) + "=" + (kind == MediaKind::Picture ? "inf" : "5");
    if (Outcome loaded = Command({command::kLoadFile, item, "replace", duration}); !loaded) {
        FailSoon(loaded.error());
    }
}

void MpvBackend::FailSoon(const Error& error) {
    // Reported from the event loop like mpv's own errors, never inside the player's call.
    QMetaObject::invokeMethod(
        this,
        [this, serial = loadSerial_, error] {
            if (serial != loadSerial_) return;
            loadPending_ = false;
            if (events_ != nullptr) events_->Failed(error);
        },
        Qt::QueuedConnection);
}

void MpvBackend::Stop() {
    ++loadSerial_;
    loadPending_ = false;
    started_ = false;
    currentEntry_ = -1;
    (void)Command({command::kStop});
}

void MpvBackend::Hold(bool held) {
    // mpv keeps its pause across loaded items, so a held list does not move on either.
    if (initialized_) mpv_set_property_string(mpv_.get(), mpv_name::kPause, held ? "yes" : "no");
}

bool MpvBackend::IsHeld() const {
    int paused = 0;
    if (!initialized_ ||
        mpv_get_property(mpv_.get(), mpv_name::kPause, MPV_FORMAT_FLAG, &paused) < 0)
        return false;
    return paused != 0;
}

void MpvBackend::ShowNote(const std::string& text) {
    (void)Command({command::kShowText, text, kNoteMilliseconds});
}

Outcome MpvBackend::SetPresentation(const Presentation& presentation) {
    if (!initialized_) return initialized_;
    mpv_handle* mpv = mpv_.get();
    mpv_set_property_string(mpv, mpv_name::kVolume, std::to_string(presentation.volume).c_str());
    mpv_set_property_string(mpv, mpv_name::kMute, presentation.mute ? "yes" : "no");
    // An audio output already open stays open, muted; the next one is chosen by this, so a
    // player muted before its first item never opens the sound device.
    mpv_set_property_string(mpv, mpv_name::kAo, presentation.mute ? kSilentAudioOutput : "");
    mpv_set_property_string(mpv, mpv_name::kSpeed, std::to_string(presentation.rate).c_str());
    mpv_set_property_string(mpv, mpv_name::kUnscaled, presentation.stretchToFit ? "no" : "yes");
    // Balance 0 is mpv's own, and mpv offers no context menu: those settings need nothing here.
    onScreenControls_ = presentation.uiMode == kUiModeFull;
    // The on-screen controller's own switch: "auto" shows it on mouse movement.
    return Command({command::kScriptMessage, "osc-visibility", onScreenControls_ ? "auto" : "never",
                    "no-osd"});
}

void MpvBackend::DrainEvents() {
    if (!mpv_) return;
    while (true) {
        mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE) break;
        HandleEvent(*event);
    }
}

void MpvBackend::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_START_FILE:
            loadPending_ = false;
            currentEntry_ = static_cast<mpv_event_start_file*>(event.data)->playlist_entry_id;
            break;
        case MPV_EVENT_FILE_LOADED:
            if (loadPending_ || started_) break;
            started_ = true;
            if (events_ != nullptr) events_->Started();
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<mpv_event_end_file*>(event.data);
            // Only an error of the item now playing counts; a replaced item ends with STOP.
            if (end->reason == MPV_END_FILE_REASON_ERROR && !loadPending_ &&
                end->playlist_entry_id == currentEntry_) {
                currentEntry_ = -1;
                started_ = false;
                if (events_ != nullptr) events_->Failed(MpvError(end->error));
            }
            break;
        }
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* property = static_cast<mpv_event_property*>(event.data);
            if (loadPending_ || !started_) break;
            if (event.reply_userdata == kEofObservation && property->format == MPV_FORMAT_FLAG &&
                *static_cast<int*>(property->data) != 0) {
                started_ = false;  // nothing more comes for this item
                if (events_ != nullptr) events_->Ended();
            } else if (event.reply_userdata == kPresenceObservation) {
                const bool shown = property->format == MPV_FORMAT_NODE ||
                                   (property->format == MPV_FORMAT_DOUBLE &&
                                    *static_cast<double*>(property->data) > 0.0);
                if (shown) ReportPresented();
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

void MpvBackend::ReportPresented() {
    if (presented_) return;
    presented_ = true;
    // Once is enough: no event for every frame from here on.
    mpv_unobserve_property(mpv_.get(), kPresenceObservation);
    if (events_ != nullptr) events_->Presented();
}

bool MpvBackend::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        ForwardMouse(static_cast<QMouseEvent*>(event)->position().toPoint(), nullptr, nullptr);
    } else if (event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ForwardMouse(static_cast<QMouseEvent*>(event)->position().toPoint(), "0", "single");
    }
    return QObject::eventFilter(watched, event);
}

void MpvBackend::ForwardMouse(const QPoint& position, const char* button, const char* mode) {
    // The on-screen controls are mpv's own: they learn of the pointer from here.
    if (!onScreenControls_ || area_.parentWidget() == nullptr) return;
    const QPoint inVideo = area_.mapFrom(area_.parentWidget(), position);
    const qreal scale = area_.devicePixelRatioF();
    std::vector<std::string> args{command::kMouse,
                                  std::to_string(static_cast<int>(inVideo.x() * scale)),
                                  std::to_string(static_cast<int>(inVideo.y() * scale))};
    if (button != nullptr) {
        args.emplace_back(button);
        args.emplace_back(mode);
    }
    (void)Command(args);
}

}  // namespace revuro
