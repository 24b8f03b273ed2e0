#include "platform/x11/X11ErrorPolicy.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace revuro {

namespace {

// Xlib's handlers and exit() take no context: what they need has to be process-wide.
std::atomic<bool> g_policyActive{false};

int NoteAndGoOn(Display*, XErrorEvent* event) {
    std::fprintf(stderr, "revuro: X error %d (request %d.%d, resource 0x%lx) ignored\n",
                 event->error_code, event->request_code, event->minor_code, event->resourceid);
    return 0;
}

[[noreturn]] void EndAtOnce() {
    static constexpr char kNote[] = "revuro: the X display is gone\n";
    (void)!::write(STDERR_FILENO, kNote, sizeof kNote - 1);
    std::_Exit(X11ErrorPolicy::kDisplayLostStatus);
}

int DisplayLost(Display*) { EndAtOnce(); }

// Qt ends the program with exit() when its connection breaks, from the UI thread, while the
// player's threads still draw: ending here keeps them from meeting half-destroyed objects.
void ExitCalledWhileRunning() {
    if (g_policyActive.load()) EndAtOnce();
}

}  // namespace

X11ErrorPolicy::X11ErrorPolicy() {
    // A write to the dead server's socket then fails with EPIPE, which Xlib and Qt report as
    // the lost connection, instead of the signal killing the process.
    std::signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(&DisplayLost);
    XSetErrorHandler(nullptr);  // the note below, see XSetErrorHandler
    static const bool registered = std::atexit(&ExitCalledWhileRunning) == 0;
    (void)registered;
    g_policyActive.store(true);
}

X11ErrorPolicy::~X11ErrorPolicy() { g_policyActive.store(false); }

}  // namespace revuro

// Xlib's default error handler ends the process on the first protocol error of any connection,
// and libmpv's X11 output installs it again whenever it closes (XSetErrorHandler(NULL)), just
// after destroying its window: when that window went away with a host that another program
// destroyed, the error ended the preview. In this program no handler request brings the
// default back; ours notes the error and goes on. Exported from the executable, so that
// libraries loaded with it call this one.
extern "C" XErrorHandler XSetErrorHandler(XErrorHandler handler) {
    using Setter = XErrorHandler (*)(XErrorHandler);
    static const auto real = reinterpret_cast<Setter>(::dlsym(RTLD_NEXT, "XSetErrorHandler"));
    return real(handler != nullptr ? handler : &revuro::NoteAndGoOn);
}
