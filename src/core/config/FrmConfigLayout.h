#pragma once

#include <cstdint>

namespace revuro {

// A control's place in twips, relative to its container.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

// The configuration dialog's design: client size, controls, colours (0x00BBGGRR) and fonts.
// Every shell lays the dialog out from here.
struct FrmConfigLayout {
    static constexpr int kClientWidth = 6015;
    static constexpr int kClientHeight = 6735;

    // In the form.
    static constexpr TwipsBox Frame1{0, 0, 6015, 4815};
    static constexpr TwipsBox cmdOK{240, 6120, 1215, 495};
    static constexpr TwipsBox cmdCancel{1680, 6120, 1215, 495};
    static constexpr TwipsBox cmdhelp{3120, 6120, 1215, 495};
    static constexpr TwipsBox cmdAbout{4560, 6120, 1215, 495};
    static constexpr TwipsBox lstFiles{120, 240, 5775, 3660};
    static constexpr TwipsBox cmdAdd{120, 4200, 1215, 495};
    static constexpr TwipsBox Frame2{0, 4920, 6012, 1095};
    static constexpr TwipsBox lstShort{4200, 6480, 255, 420};  // hidden
    // In Frame1.
    static constexpr TwipsBox cmdClear{2400, 4200, 1215, 495};
    static constexpr TwipsBox CmdPlay{4560, 4200, 1215, 495};
    // In Frame2.
    static constexpr TwipsBox chkA{120, 240, 5535, 375};
    static constexpr TwipsBox chkRandom{120, 600, 4215, 375};

    static constexpr std::uint32_t kFormBack = 0xFFC0C0;
    static constexpr std::uint32_t kFrame1Back = 0xC000C0;
    static constexpr std::uint32_t kFrame1Fore = 0xC00000;
    static constexpr std::uint32_t kListBack = 0xC000C0;
    static constexpr std::uint32_t kListFore = 0xFFFFFF;
    static constexpr std::uint32_t kFrame2Back = 0xFFC0FF;
    static constexpr std::uint32_t kFrame2Fore = 0x0000C0;

    // "宋体" in the GB2312 character set; the controls without a font of their own take the
    // form's default, the same face at 9 points.
    static constexpr const char* kFontFace = "宋体";
    static constexpr int kFontCharSet = 134;
    static constexpr double kDefaultPoints = 9;
    static constexpr double kFrame1Points = 12;
    static constexpr double kListPoints = 12;
    static constexpr double kFrame2Points = 10.5;
};

}  // namespace revuro
