#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include <cstdint>

class QWidget;

namespace revuro {

// How the forms' design values become Qt's: colours written 0x00BBGGRR, rectangles in twips,
// and the Song face "宋体" with the faces that stand in for it where it is not installed.
QColor ColorFromBgr(std::uint32_t bgr);
QRect TwipsRect(int left, int top, int width, int height);
QFont SongFont(double points);

// Black behind the widget, filled by the X server where there is one (Qt then keeps no picture of
// the widget's size), else painted by Qt.
void PaintBlack(QWidget& widget);

}  // namespace revuro
