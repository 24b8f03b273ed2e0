#include "platform/x11/X11BlackBackground.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>

namespace revuro {

namespace {

Display* QtDisplay() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

}  // namespace

bool X11BlackBackground::Apply(QWidget& widget) {
    if (QtDisplay() == nullptr) return false;
    // Qt paints nothing of the widget: no background, and the widget draws nothing itself.
    widget.setAutoFillBackground(false);
    widget.setAttribute(Qt::WA_NoSystemBackground);
    widget.setAttribute(Qt::WA_OpaquePaintEvent);
    widget.setAttribute(Qt::WA_NativeWindow);
    auto* keeper = new X11BlackBackground(widget);
    widget.installEventFilter(keeper);
    keeper->SetOnWindow();
    return true;
}

X11BlackBackground::X11BlackBackground(QWidget& widget) : QObject(&widget), widget_(widget) {}

bool X11BlackBackground::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &widget_ && event->type() == QEvent::WinIdChange) SetOnWindow();
    return QObject::eventFilter(watched, event);
}

void X11BlackBackground::SetOnWindow() {
    Display* display = QtDisplay();
    const auto window = static_cast<Window>(widget_.winId());
    if (display == nullptr || window == 0) return;
    XSetWindowBackground(display, window, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, window);
    XFlush(display);
}

}  // namespace revuro
