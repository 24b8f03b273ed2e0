#pragma once

#include <QObject>

class QWidget;

namespace revuro {

// The X server fills a widget's window with black wherever it is uncovered, instead of Qt
// painting the widget: Qt then keeps no picture of the window's size for it (8 MiB for a
// 1920x1080 saver, more on a desktop of several monitors) and spends no time filling it.
class X11BlackBackground : public QObject {
  public:
    // Gives `widget` a native window with a black background, also whenever Qt makes its window
    // anew, for as long as the widget lives. False, and the widget left as it was, where Qt does
    // not draw through X11 (other platforms, the offscreen one of the tests).
    static bool Apply(QWidget& widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit X11BlackBackground(QWidget& widget);
    void SetOnWindow();

    QWidget& widget_;
};

}  // namespace revuro
