#include "qt/FormStyle.h"

#include <QWidget>

#include "core/Twips.h"
#include "platform/x11/X11BlackBackground.h"

namespace revuro {

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

QFont SongFont(double points) {
    QFont font;
    // A Ming face has the same strokes; the sans face at least has every glyph.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSizeF(points);
    return font;
}

void PaintBlack(QWidget& widget) {
    if (X11BlackBackground::Apply(widget)) return;
    widget.setAutoFillBackground(true);
    QPalette black = widget.palette();
    black.setColor(QPalette::Window, Qt::black);
    widget.setPalette(black);
}

}  // namespace revuro
