#include "core/Utf8.h"

namespace revuro {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The code point that starts at text[i] and its length in bytes; length 0 when none validly does.
struct Decoded {
    char32_t cp = 0;
    std::size_t length = 0;
};

Decoded DecodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return {};
    }
    if (i + length > text.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(c)) return {};
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, length};
}

std::size_t CharacterLength(std::string_view text, std::size_t i) {
    return DecodeAt(text, i).length;
}

bool IsSurrogate(char16_t unit, char16_t first) { return unit >= first && unit < first + 0x400; }

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::size_t FirstInvalidUtf8Byte(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // Most of a path is ASCII: a byte at a time, without the general step.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = CharacterLength(text, i);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) {
    return FirstInvalidUtf8Byte(text) == std::string_view::npos;
}

Result<std::u16string> Utf8ToUtf16(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded decoded = DecodeAt(utf8, i);
        if (decoded.length == 0)
            return Error{ErrorKind::NotEncodable,
                         "text is not valid UTF-8 (at byte " + std::to_string(i) + ")"};
        if (decoded.cp < 0x10000) {
            utf16 += static_cast<char16_t>(decoded.cp);
        } else {
            const char32_t above = decoded.cp - 0x10000;
            utf16 += static_cast<char16_t>(0xD800 + (above >> 10));
            utf16 += static_cast<char16_t>(0xDC00 + (above & 0x3FF));
        }
        i += decoded.length;
    }
    return utf16;
}

Result<std::string> Utf16ToUtf8(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (IsSurrogate(utf16[i], 0xD800) && i + 1 < utf16.size() &&
            IsSurrogate(utf16[i + 1], 0xDC00)) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            return Error{ErrorKind::NotDecodable,
                         "text is not valid UTF-16 (at unit " + std::to_string(i) + ")"};
        }
        AppendUtf8(utf8, cp);
    }
    return utf8;
}

std::string ReplaceInvalidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::size_t CountCodePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return count;
}

std::string ElideCodePoints(std::string_view utf8, std::size_t limit) {
    if (CountCodePoints(utf8) <= limit) return std::string(utf8);
    std::size_t kept = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        if (!IsContinuation(static_cast<unsigned char>(utf8[end]))) {
            if (kept + 1 == limit) break;
            ++kept;
        }
        ++end;
    }
    return std::string(utf8.substr(0, end)) + "…";
}

}  // namespace revuro
