#include "core/Utf8.h"

namespace revuro {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid character that starts at text[i], or 0 when none does.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return 1;
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
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(c)) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}
}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // Most of a path is ASCII: a byte at a time, without the general step.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = CharacterLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
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
