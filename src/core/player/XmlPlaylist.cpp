#include "core/player/XmlPlaylist.h"

#include <pugixml.hpp>

#include <array>

namespace revuro {

namespace {

// ASX elements that never hold anything, though old lists leave them open.
constexpr std::array<std::string_view, 4> kEmptyElements = {"ref", "entryref", "base", "param"};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsEmptyElement(std::string_view name) {
    for (std::string_view empty : kEmptyElements)
        if (EqualsIgnoringCase(name, empty)) return true;
    return false;
}

// Everything from `start` up to and including `end`, or to the end of the text.
std::size_t Through(std::string_view text, std::size_t start, std::string_view end) {
    const std::size_t found = text.find(end, start);
    return found == std::string_view::npos ? text.size() : found + end.size();
}

bool IsElement(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && EqualsIgnoringCase(node.name(), name);
}

std::string_view Attribute(const pugi::xml_node& node, std::string_view name) {
    for (const pugi::xml_attribute& attribute : node.attributes())
        if (EqualsIgnoringCase(attribute.name(), name)) return attribute.value();
    return {};
}

void AddReference(std::vector<XmlPlaylist::Reference>& references, std::string_view text,
                  bool list) {
    if (!text.empty()) references.push_back({std::string(text), list});
}

void AsxReferences(const pugi::xml_node& parent, std::vector<XmlPlaylist::Reference>& references) {
    for (const pugi::xml_node& child : parent.children()) {
        if (IsElement(child, "entry")) {
            const pugi::xml_node ref = child.find_node([](const pugi::xml_node& node) {
                return IsElement(node, "ref") && !Attribute(node, "href").empty();
            });
            if (ref) AddReference(references, Attribute(ref, "href"), false);
        } else if (IsElement(child, "entryref")) {
            AddReference(references, Attribute(child, "href"), true);
        } else if (IsElement(child, "repeat")) {
            AsxReferences(child, references);  // once: repeating would play for ever
        }
    }
}

void WplReferences(const pugi::xml_node& parent, std::vector<XmlPlaylist::Reference>& references) {
    for (const pugi::xml_node& child : parent.children()) {
        if (IsElement(child, "media")) {
            AddReference(references, Attribute(child, "src"), false);
        } else {
            WplReferences(child, references);
        }
    }
}

}  // namespace

std::string XmlPlaylist::Tidy(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const std::size_t open = text.find('<', i);
        out.append(text.substr(i, open - i));
        if (open == std::string_view::npos) break;
        i = open;
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!") || rest.starts_with("<?")) {  // comments, declarations
            const std::string_view end = rest.starts_with("<!--")        ? "-->"
                                         : rest.starts_with("<![CDATA[") ? "]]>"
                                                                         : ">";
            const std::size_t after = Through(text, i + 2, end);
            out.append(text.substr(i, after - i));
            i = after;
            continue;
        }
        std::size_t j = i + 1;
        const bool closing = j < n && text[j] == '/';
        if (closing) ++j;
        const std::size_t nameStart = j;
        while (j < n && IsNameChar(text[j])) ++j;
        const std::string_view name = text.substr(nameStart, j - nameStart);
        if (name.empty()) {
            out += "&lt;";
            ++i;
            continue;
        }
        if (closing) {
            const std::size_t after = Through(text, j, ">");
            if (!IsEmptyElement(name)) out.append(text.substr(i, after - i));
            i = after;
            continue;
        }
        out += '<';
        out += name;
        bool selfClosed = false;
        while (j < n) {
            while (j < n && IsSpace(text[j])) ++j;
            if (j >= n) break;
            if (text[j] == '>') {
                ++j;
                break;
            }
            if (text[j] == '/') {
                ++j;
                if (j < n && text[j] == '>') {
                    selfClosed = true;
                    ++j;
                    break;
                }
                continue;
            }
            const std::size_t attributeStart = j;
            while (j < n && !IsSpace(text[j]) && text[j] != '=' && text[j] != '>' && text[j] != '/')
                ++j;
            const std::string_view attribute = text.substr(attributeStart, j - attributeStart);
            if (attribute.empty()) {  // a stray '=': nothing to keep
                ++j;
                continue;
            }
            std::size_t k = j;
            while (k < n && IsSpace(text[k])) ++k;
            std::string_view value;
            if (k < n && text[k] == '=') {
                ++k;
                while (k < n && IsSpace(text[k])) ++k;
                if (k < n && (text[k] == '"' || text[k] == '\'')) {
                    const std::size_t close = text.find(text[k], k + 1);
                    const std::size_t end = close == std::string_view::npos ? n : close;
                    value = text.substr(k + 1, end - k - 1);
                    j = end == n ? n : end + 1;
                } else {
                    const std::size_t valueStart = k;
                    while (k < n && !IsSpace(text[k]) && text[k] != '>') ++k;
                    // HREF=a.mp4/> : the slash closes the tag.
                    if (k < n && k > valueStart && text[k - 1] == '/') --k;
                    value = text.substr(valueStart, k - valueStart);
                    j = k;
                }
            }
            out += ' ';
            out += attribute;
            out += "=\"";
            for (char c : value) {
                if (c == '"') {
                    out += "&quot;";
                } else {
                    out += c;
                }
            }
            out += '"';
        }
        out += selfClosed || IsEmptyElement(name) ? "/>" : ">";
        i = j;
    }
    return out;
}

Result<std::vector<XmlPlaylist::Reference>> XmlPlaylist::References(std::string_view bytes) {
    pugi::xml_document document;
    // UTF-16 lists are parsed as they are; tidying works on bytes of an ASCII-based text.
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    const std::string text = utf16 ? std::string(bytes) : Tidy(bytes);
    // What was read before an error still counts: a list damaged at its end plays its start.
    (void)document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);

    const pugi::xml_node root = document.document_element();
    std::vector<Reference> references;
    if (IsElement(root, "asx")) {
        AsxReferences(root, references);
    } else if (IsElement(root, "smil")) {
        WplReferences(root, references);
    } else {
        return Error{ErrorKind::NotAPlaylist, "neither ASX nor WPL"};
    }
    return references;
}

}  // namespace revuro
