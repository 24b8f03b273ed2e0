#include "core/config/MovieList.h"

#include <algorithm>

#include "core/store/PlaylistFile.h"

namespace revuro {

namespace {

// The simple lower case of one code point, for the scripts movie names are written in.
char32_t ToLower(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    if (c <= 0xFF) return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
    if (c <= 0x17F) {  // Latin Extended-A: pairs of upper then lower case
        if (c == 0x130) return U'i';
        if (c == 0x178) return 0xFF;
        const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (evenUpper && c % 2 == 0) return c + 1;
        if (oddUpper && c % 2 == 1) return c + 1;
        return c;
    }
    if (c >= 0x370 && c <= 0x3FF) {  // Greek
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
        if (c == 0x386) return 0x3AC;
        if (c >= 0x388 && c <= 0x38A) return c + 0x25;
        if (c == 0x38C) return 0x3CC;
        if (c == 0x38E || c == 0x38F) return c + 0x3F;
        if (c == 0x3C2) return 0x3C3;  // final sigma is the same letter as sigma
        return c;
    }
    if (c >= 0x400 && c <= 0x52F) {  // Cyrillic and its supplement
        if (c <= 0x40F) return c + 0x50;
        if (c <= 0x42F) return c + 0x20;
        if (c == 0x4C0) return 0x4CF;
        if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 1 ? c + 1 : c;
        const bool paired =
            (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
        return (paired && c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;  // full-width Latin capitals
    return c;
}

// Writes c as UTF-8 at `out` and returns the end.
char* PutUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::string FoldCase(std::string_view utf8) {
    // No lower case here is longer in UTF-8 than its capital, so the input's size is enough.
    std::string out(utf8.size(), '\0');
    char* at = out.data();
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {  // most of a path: plain ASCII, a byte at a time
            *at++ = static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + 0x20 : lead);
            ++i;
            continue;
        }
        std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        bool whole = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            whole = IsContinuation(static_cast<unsigned char>(utf8[i + k]));
        }
        if (!whole) {
            // Four-byte characters have no case here; broken bytes are kept as they are.
            *at++ = utf8[i++];
            continue;
        }
        char32_t c = length == 2 ? lead & 0x1F : lead & 0x0F;
        for (std::size_t k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        const char32_t lower = ToLower(c);
        if (lower == c) {
            // Keeps even an overlong form byte for byte.
            at = std::copy_n(utf8.data() + i, length, at);
        } else {
            at = PutUtf8(at, lower);
        }
        i += length;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

bool MovieList::full() const { return rows_.size() >= kMaxPlaylistRows; }

std::pair<MovieList::Index::const_iterator, bool> MovieList::Find(const std::string& key) const {
    // Rows that begin with the key sort together, right from where the key itself would go.
    const auto candidate = folded_.lower_bound(key);
    return {candidate, candidate != folded_.end() && candidate->starts_with(key)};
}

MovieList::AddResult MovieList::AppendUnlessListed(std::string row) {
    std::string key = FoldCase(row);
    const auto [at, listed] = Find(key);
    if (listed) return AddResult::Listed;
    if (full()) return AddResult::Full;
    folded_.emplace_hint(at, std::move(key));  // its place is known already
    rows_.push_back(std::move(row));
    rawLines_.emplace_back();
    return AddResult::Added;
}

void MovieList::Reorder(const std::vector<std::size_t>& order) {
    std::vector<std::string> reordered;
    std::vector<std::string> reorderedRaw;
    reordered.reserve(order.size());
    reorderedRaw.reserve(order.size());
    for (std::size_t from : order) {
        reordered.push_back(std::move(rows_[from]));
        reorderedRaw.push_back(std::move(rawLines_[from]));
    }
    rows_ = std::move(reordered);
    rawLines_ = std::move(reorderedRaw);
}

bool MovieList::Append(std::string row) {
    if (full()) return false;
    folded_.insert(FoldCase(row));
    rows_.push_back(std::move(row));
    rawLines_.emplace_back();
    return true;
}

void MovieList::Assign(std::vector<std::string> rows, std::vector<std::string> rawLines) {
    if (rows.size() > kMaxPlaylistRows) rows.resize(kMaxPlaylistRows);
    rawLines.resize(rows.size());
    folded_.clear();
    for (const std::string& row : rows) folded_.insert(FoldCase(row));
    rows_ = std::move(rows);
    rawLines_ = std::move(rawLines);
}

void MovieList::Remove(std::size_t index) {
    // One entry of the row's key goes; an equal row elsewhere keeps its own.
    folded_.erase(folded_.find(FoldCase(rows_[index])));
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    rawLines_.erase(rawLines_.begin() + static_cast<std::ptrdiff_t>(index));
}

void MovieList::Clear() {
    rows_.clear();
    rawLines_.clear();
    folded_.clear();
}

bool MovieList::HasRowBeginningWith(std::string_view text) const {
    return Find(FoldCase(text)).second;
}

}  // namespace revuro
