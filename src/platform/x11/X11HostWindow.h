#pragma once

#include <QObject>
#include <QSize>
#include <QSocketNotifier>

#include <memory>

#include "core/Result.h"
#include "platform/x11/X11Display.h"

namespace revuro {

// Another program's window that hosts our preview: its size, and word when it changes size
// or goes away.
class X11HostWindow : public QObject {
    Q_OBJECT

  public:
    // Fails when the id names no window on the display. Needs no QApplication yet.
    static Result<std::shared_ptr<X11HostWindow>> Open(unsigned long id);

    // Starts reporting size changes and destruction; needs the application's event loop.
    void StartWatching();

    unsigned long id() const { return window_; }
    QSize ClientSize() const { return size_; }

  signals:
    void hostResized(QSize size);
    void hostGone();

  private:
    X11HostWindow(X11Display display, Window window, QSize size);
    void ReadEvents();

    X11Display display_;
    Window window_;
    QSize size_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace revuro
