#include "core/player/PathRules.h"

#include <vector>

#include "core/Utf8.h"

namespace revuro {

namespace {

constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kFileScheme = "file";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "%41" becomes "A"; a '%' not followed by two hex digits stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

bool IsDrive(std::string_view text) {
    return text.size() == 2 && IsAsciiLetter(text[0]) && (text[1] == ':' || text[1] == '|');
}

}  // namespace

bool PathRules::IsUrl(std::string_view reference) {
    const std::size_t end = reference.find(kSchemeEnd);
    if (end == std::string_view::npos || end < 2 || !IsAsciiLetter(reference[0])) return false;
    for (std::size_t i = 1; i < end; ++i) {
        const char c = reference[i];
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool PathRules::IsFileUrl(std::string_view reference) {
    return IsUrl(reference) && LowerAscii(reference.substr(0, reference.find(':'))) == kFileScheme;
}

Result<std::string> PathRules::PathOfFileUrl(std::string_view url) const {
    std::string_view rest = url.substr(url.find(kSchemeEnd) + kSchemeEnd.size());
    const std::size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    std::string_view path =
        slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    std::string local;
    if (Windows() && IsDrive(host)) {  // file://C:/x, written by some programs
        local = std::string(host) + std::string(path);
    } else if (host.empty() || LowerAscii(host) == "localhost") {
        // file:///C:/x names a drive on Windows; the slash before it is no part of the path.
        if (Windows() && path.size() >= 3 && IsDrive(path.substr(1, 2))) path.remove_prefix(1);
        local = std::string(path);
    } else if (Windows()) {
        local = "//" + std::string(host) + std::string(path);
    } else {
        return Error{ErrorKind::NotLocalFile, "a file of another host", std::string(url)};
    }
    local = PercentDecoded(local);
    if (local.empty() || local.find('\0') != std::string::npos || !IsValidUtf8(local))
        return Error{ErrorKind::InvalidAddress, "not a file address", std::string(url)};
    if (Windows()) {
        if (local.size() >= 2 && local[1] == '|') local[1] = ':';
        for (char& c : local)
            if (c == '/') c = '\\';
    }
    return local;
}

std::size_t PathRules::RootLength(std::string_view path) const {
    if (!Windows()) return !path.empty() && path[0] == '/' ? 1 : 0;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // \\server\share\ : the server and the share belong to the root.
        std::size_t end = 2;
        for (int part = 0; part < 2 && end < path.size(); ++part) {
            while (end < path.size() && !IsSeparator(path[end])) ++end;
            if (end < path.size()) ++end;
        }
        return end;
    }
    if (path.size() >= 2 && IsDrive(path.substr(0, 2)))
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

bool PathRules::IsAbsolute(std::string_view path) const { return RootLength(path) > 0; }

std::string PathRules::Resolve(std::string_view folder, std::string_view reference) const {
    std::string joined;
    const std::size_t root = RootLength(reference);
    if (root == 1 && Windows()) {
        // "\x" is on the folder's own drive or share.
        const std::size_t folderRoot = RootLength(folder);
        joined = std::string(folder.substr(0, folderRoot));
        while (!joined.empty() && IsSeparator(joined.back())) joined.pop_back();
        joined += reference;
    } else if (root > 0 || folder.empty()) {
        joined = std::string(reference);
    } else {
        joined = std::string(folder);
        if (!IsSeparator(joined.back())) joined += separator_;
        joined += reference;
    }
    if (Windows()) {
        for (char& c : joined)
            if (c == '/') c = '\\';
    }
    return joined;
}

std::string PathRules::Folder(std::string_view path) const {
    const std::size_t root = RootLength(path);
    std::size_t end = path.size();
    while (end > root && !IsSeparator(path[end - 1])) --end;
    while (end > root && IsSeparator(path[end - 1])) --end;
    return std::string(path.substr(0, end));
}

std::string PathRules::FileName(std::string_view path) const {
    std::size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1])) --start;
    return std::string(path.substr(start));
}

std::string PathRules::Extension(std::string_view path) const {
    const std::string name = FileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : LowerAscii(name.substr(dot + 1));
}

std::string PathRules::Key(std::string_view path) const {
    const std::size_t root = RootLength(path);
    std::string key(path.substr(0, root));
    std::vector<std::string_view> parts;
    std::size_t start = root;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (root == 0) {
                parts.push_back(part);  // above a relative start: nothing to cancel
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 || (!key.empty() && !IsSeparator(key.back()))) key += separator_;
        key += parts[i];
    }
    if (Windows()) {
        for (char& c : key) c = c == '/' ? '\\' : LowerAscii(c);
    }
    return key;
}

}  // namespace revuro
