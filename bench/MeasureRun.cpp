// Runs one program and reports what it cost: the time from its start until the screen shows
// given colours at given points (polled the same way whatever the program is), its CPU seconds
// (user + system, every thread) and its peak resident set.
//
//   revuro_bench_run [--window TITLE] [--probe X,Y,R,G,B]... [--hold SECONDS]
//                    [--limit SECONDS] -- PROGRAM ARGS...
//
// With probes, the program runs until they match, then --hold seconds more, and is killed.
// Without probes it runs --hold seconds, or to its own end when --hold is not given.
// --window makes the probe points relative to the viewable window with that exact title.
// --limit bounds a hang. Prints one line: first_ms=<ms or none> cpu_s=<s> rss_kib=<KiB>.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Probe {
    int x = 0;
    int y = 0;
    int rgb[3] = {0, 0, 0};
};

// Video goes through different colour conversions in different players.
constexpr int kTolerance = 48;
constexpr auto kPollInterval = std::chrono::milliseconds(2);

struct Options {
    std::string window;
    std::vector<Probe> probes;
    std::optional<double> hold;
    double limit = 60;
    std::vector<char*> command;
};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

std::optional<Probe> ParseProbe(const char* text) {
    Probe probe;
    if (std::sscanf(text, "%d,%d,%d,%d,%d", &probe.x, &probe.y, &probe.rgb[0], &probe.rgb[1],
                    &probe.rgb[2]) != 5) {
        return std::nullopt;
    }
    return probe;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const char* value = argv[++i];
        if (name == "--window") {
            options.window = value;
        } else if (name == "--probe") {
            std::optional<Probe> probe = ParseProbe(value);
            if (!probe) return std::nullopt;
            options.probes.push_back(*probe);
        } else if (name == "--hold") {
            options.hold = std::atof(value);
        } else if (name == "--limit") {
            options.limit = std::atof(value);
        } else {
            return std::nullopt;
        }
    }
    for (++i; i < argc; ++i) options.command.push_back(argv[i]);
    if (options.command.empty()) return std::nullopt;
    options.command.push_back(nullptr);
    return options;
}

std::string WindowTitle(Display* display, Window window) {
    static const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return title;
}

// The top-left corner on the root of the viewable top-level window with that title.
std::optional<XPoint> FindWindow(Display* display, const std::string& title) {
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return {};
    std::optional<XPoint> found;
    for (unsigned int i = count; i-- > 0 && !found;) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable || WindowTitle(display, children[i]) != title) {
            continue;
        }
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, children[i], root, 0, 0, &x, &y, &child);
        found = XPoint{static_cast<short>(x), static_cast<short>(y)};
    }
    if (children != nullptr) XFree(children);
    return found;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // windows come and go while we look

bool ProbesMatch(Display* display, const Options& options) {
    XPoint origin{0, 0};
    if (!options.window.empty()) {
        std::optional<XPoint> at = FindWindow(display, options.window);
        if (!at) return false;
        origin = *at;
    }
    const Window root = DefaultRootWindow(display);
    for (const Probe& probe : options.probes) {
        XImage* image = XGetImage(display, root, origin.x + probe.x, origin.y + probe.y, 1, 1,
                                  AllPlanes, ZPixmap);
        if (image == nullptr) return false;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        const int rgb[3] = {static_cast<int>((pixel >> 16) & 0xFF),
                            static_cast<int>((pixel >> 8) & 0xFF), static_cast<int>(pixel & 0xFF)};
        for (int c = 0; c < 3; ++c) {
            if (std::abs(rgb[c] - probe.rgb[c]) > kTolerance) return false;
        }
    }
    return true;
}

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = ParseOptions(argc, argv);
    if (!parsed) {
        std::fprintf(stderr,
                     "usage: %s [--window TITLE] [--probe X,Y,R,G,B]... [--hold S] [--limit S] "
                     "-- PROGRAM ARGS...\n",
                     argv[0]);
        return 2;
    }
    const Options& options = *parsed;
    DisplayHandle display;
    if (!options.probes.empty()) {
        display.reset(XOpenDisplay(nullptr));
        if (!display) {
            std::fprintf(stderr, "cannot open the X display\n");
            return 2;
        }
        XSetErrorHandler(IgnoreXErrors);
    }

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO);  // the report line is ours alone
        execvp(options.command[0], options.command.data());
        std::perror(options.command[0]);
        _exit(127);
    }

    const auto since = [&start] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    int status = 0;
    bool ended = false;
    std::optional<double> first;
    double stopAt = options.hold ? *options.hold : options.limit;
    if (!options.probes.empty()) {
        stopAt = options.limit;
        while (since() < options.limit) {
            if (waitpid(child, &status, WNOHANG) == child) {
                ended = true;
                break;
            }
            if (ProbesMatch(display.get(), options)) {
                first = since();
                stopAt = *first + options.hold.value_or(0);
                break;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    while (!ended && since() < stopAt) {
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    rusage usage{};
    if (!ended) {
        kill(child, SIGKILL);
        wait4(child, &status, 0, &usage);
    } else {
        getrusage(RUSAGE_CHILDREN, &usage);  // the only child, already reaped
    }

    if (first) {
        std::printf("first_ms=%.1f", *first * 1000);
    } else {
        std::printf("first_ms=none");
    }
    std::printf(" cpu_s=%.3f rss_kib=%ld\n", Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
                usage.ru_maxrss);
    return 0;
}
