#pragma once

#include <windows.h>

namespace revuro {

// Twips (1440 an inch) and the screen's pixels at its own DPI, for the windows designed in twips.
// Under a DPI-aware process the conversion follows the screen; otherwise Windows reports 96.
class ScreenTwips {
  public:
    static ScreenTwips OfScreen() {
        const HDC screen = GetDC(nullptr);
        const ScreenTwips twips(GetDeviceCaps(screen, LOGPIXELSX),
                                GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
        return twips;
    }
    ScreenTwips(int dpiX, int dpiY) : dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96) {}

    int dpiY() const { return dpiY_; }
    int X(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
    int Y(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
    int TwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
    int TwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }

  private:
    static constexpr int kTwipsPerInch = 1440;
    int dpiX_;
    int dpiY_;
};

}  // namespace revuro
