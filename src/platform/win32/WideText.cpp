#include "platform/win32/WideText.h"

#include "core/Utf8.h"

namespace revuro {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

Result<std::wstring> WideText(std::string_view utf8) {
    Result<std::u16string> utf16 = Utf8ToUtf16(utf8);
    if (!utf16) return utf16.error();
    return std::wstring(utf16.value().begin(), utf16.value().end());
}

std::string Utf8Text(std::wstring_view wide) {
    std::u16string utf16(wide.begin(), wide.end());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const bool high = utf16[i] >= 0xD800 && utf16[i] < 0xDC00;
        const bool low = utf16[i] >= 0xDC00 && utf16[i] < 0xE000;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
            ++i;
        } else if (high || low) {
            utf16[i] = u'\uFFFD';
        }
    }
    return Utf16ToUtf8(utf16).value();
}

}  // namespace revuro
