#include "platform/x11/X11Graphics.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xvlib.h>

#include <cstring>
#include <memory>

#include "platform/x11/X11Display.h"

namespace revuro {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

bool HasExtension(Display* display, const char* name) {
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(display, name, &opcode, &event, &error) != False;
}

bool ServerOffersDirectRendering(Display* display) {
    return HasExtension(display, "DRI3") || HasExtension(display, "DRI2") ||
           HasExtension(display, "NV-GLX");
}

bool HasVideoAdaptor(Display* display) {
    unsigned int version = 0, release = 0, request = 0, event = 0, error = 0;
    if (XvQueryExtension(display, &version, &release, &request, &event, &error) != Success)
        return false;
    unsigned int count = 0;
    XvAdaptorInfo* adaptors = nullptr;
    if (XvQueryAdaptors(display, DefaultRootWindow(display), &count, &adaptors) != Success)
        return false;
    bool takesImages = false;
    for (unsigned int i = 0; i < count; ++i) {
        const char type = adaptors[i].type;
        if ((type & XvInputMask) && (type & XvImageMask)) takesImages = true;
    }
    XvFreeAdaptorInfo(adaptors);
    return takesImages;
}

bool HasEglExtension(EGLDisplay egl, const char* name) {
    const char* extensions = eglQueryString(egl, EGL_EXTENSIONS);
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

// An initialised EGL display, terminated when it goes.
struct EglTerminator {
    void operator()(void* egl) const { eglTerminate(egl); }
};
using EglDisplay = std::unique_ptr<void, EglTerminator>;

std::string Renderer(Display* display) {
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return {};
    EGLDisplay raw = getPlatformDisplay(EGL_PLATFORM_X11_KHR, display, nullptr);
    if (raw == EGL_NO_DISPLAY || eglInitialize(raw, nullptr, nullptr) != EGL_TRUE) return {};
    const EglDisplay egl(raw);
    // A context without a surface: nothing is drawn or shown.
    if (!HasEglExtension(raw, "EGL_KHR_no_config_context") ||
        !HasEglExtension(raw, "EGL_KHR_surfaceless_context") ||
        eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
        return {};
    EGLContext context = eglCreateContext(raw, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return {};
    std::string renderer;
    const auto getString =
        reinterpret_cast<const unsigned char* (*)(unsigned)>(eglGetProcAddress("glGetString"));
    if (getString != nullptr &&
        eglMakeCurrent(raw, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE) {
        if (const unsigned char* text = getString(kGlRenderer))
            renderer = reinterpret_cast<const char*>(text);
        eglMakeCurrent(raw, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(raw, context);
    return renderer;
}

}  // namespace

std::future<DisplayGraphics> X11DisplayGraphicsAsync() {
    // From here on Xlib serves this thread and the probe's (and Qt's), each on its own
    // connection; a no-op where the library has already done it.
    XInitThreads();
    // Qt installs its own handler while the probe runs, the program's policy follows it; until
    // then Xlib's default would end the process on a protocol error. Null means the program's
    // handler (see X11ErrorPolicy).
    XSetErrorHandler(nullptr);
    // Probed in place where no thread can be started.
    return std::async(std::launch::async | std::launch::deferred, &X11DisplayGraphics);
}

DisplayGraphics X11DisplayGraphics() {
    DisplayGraphics graphics;
    X11Display display;
    if (!display.IsOpen()) return graphics;
    graphics.directRendering = ServerOffersDirectRendering(display.get());
    if (graphics.directRendering) graphics.renderer = Renderer(display.get());
    graphics.videoAdaptor = HasVideoAdaptor(display.get());
    return graphics;
}

}  // namespace revuro
