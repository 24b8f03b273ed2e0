#include <windows.h>

#include <charconv>

#include "core/Utf8.h"
#include "platform/NarrowCodec.h"
#include "platform/NarrowConverter.h"
#include "platform/win32/WideText.h"

namespace revuro {

namespace {

// The code page a character set name stands for: "CP936" and the like, or "UTF-8"; 0 for none
// the system has.
UINT CodePageNamed(const std::string& codeset) {
    if (codeset == "UTF-8") return CP_UTF8;
    if (codeset.size() < 3 || codeset.compare(0, 2, "CP") != 0) return 0;
    UINT number = 0;
    const char* end = codeset.data() + codeset.size();
    const auto [stop, error] = std::from_chars(codeset.data() + 2, end, number);
    if (error != std::errc() || stop != end || !IsValidCodePage(number)) return 0;
    return number;
}

// UTF-16 to the code page. Only the flag combination each code page accepts is used: UTF-8 and
// the stateful code pages take neither WC_NO_BEST_FIT_CHARS nor the used-default flag.
bool ToCodePage(UINT codePage, std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    const bool plain = codePage == CP_UTF8 || codePage == CP_UTF7 ||
                       (codePage >= 50220 && codePage <= 50229) || codePage == 54936 ||
                       (codePage >= 57002 && codePage <= 57011);
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = plain ? nullptr : &usedDefault;
    const int input = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), input, nullptr, 0, nullptr, used);
    if (size <= 0 || usedDefault) return false;
    out.resize(static_cast<std::size_t>(size));
    return WideCharToMultiByte(codePage, flags, wide.data(), input, out.data(), size, nullptr,
                               used) == size &&
           !usedDefault;
}

// The code page's bytes to UTF-16; any byte sequence the code page does not define fails.
bool FromCodePage(UINT codePage, std::string_view narrow, std::wstring& out) {
    out.clear();
    if (narrow.empty()) return true;
    const int input = static_cast<int>(narrow.size());
    const int size =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow.data(), input, nullptr, 0);
    if (size <= 0) return false;
    out.resize(static_cast<std::size_t>(size));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow.data(), input, out.data(),
                               size) == size;
}

// The length in bytes of the character of `narrow` that starts at `at`: one or two in the
// single and double byte code pages; 0 where the code page takes longer ones.
std::size_t CharacterBytes(UINT codePage, const CPINFO& info, std::string_view narrow,
                           std::size_t at) {
    if (info.MaxCharSize > 2) return 0;
    const bool lead =
        info.MaxCharSize == 2 && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(narrow[at]));
    return lead ? 2 : 1;
}

// The length of the longest start of `narrow` that converts: where the first undefined byte
// sequence begins. Only asked after the whole text failed.
std::size_t ConvertibleStart(UINT codePage, std::string_view narrow) {
    if (codePage == CP_UTF8) return FirstInvalidUtf8Byte(narrow);
    CPINFO info{};
    std::wstring ignored;
    if (GetCPInfo(codePage, &info) && info.MaxCharSize <= 2) {
        std::size_t at = 0;
        while (at < narrow.size()) {
            const std::size_t length = CharacterBytes(codePage, info, narrow, at);
            if (at + length > narrow.size() ||
                !FromCodePage(codePage, narrow.substr(at, length), ignored))
                return at;
            at += length;
        }
        return at;
    }
    std::size_t at = narrow.size();
    while (at > 0 && !FromCodePage(codePage, narrow.substr(0, at), ignored)) --at;
    return at;
}

// Windows' own conversion: MultiByteToWideChar and WideCharToMultiByte with the flags that
// make them fail instead of substituting.
class CodePageConverter : public NarrowConverter {
  public:
    explicit CodePageConverter(std::string codeset)
        : codeset_(std::move(codeset)), codePage_(CodePageNamed(codeset_)) {}

    Result<std::string> ToNarrow(std::string_view utf8) const override {
        if (codePage_ == 0) return Unsupported();
        auto failAt = [&](std::size_t at) {
            return Error{ErrorKind::NotEncodable, "text cannot be written in " + codeset_ +
                                                      " (at byte " + std::to_string(at) + ")"};
        };
        if (const std::size_t bad = FirstInvalidUtf8Byte(utf8); bad != std::string_view::npos)
            return failAt(bad);
        std::string narrow;
        if (ToCodePage(codePage_, WideText(utf8).value(), narrow)) return narrow;
        // Which character the code page lacks: the first that does not convert on its own.
        std::size_t at = 0;
        while (at < utf8.size()) {
            std::size_t end = at + 1;
            while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
                ++end;
            std::string ignored;
            if (!ToCodePage(codePage_, WideText(utf8.substr(at, end - at)).value(), ignored)) break;
            at = end;
        }
        return failAt(at);
    }

    Result<std::string> ToUtf8(std::string_view narrow) const override {
        if (codePage_ == 0) return Unsupported();
        std::wstring wide;
        if (!FromCodePage(codePage_, narrow, wide)) {
            return Error{ErrorKind::NotDecodable,
                         "text is not valid text in " + codeset_ + " (at byte " +
                             std::to_string(ConvertibleStart(codePage_, narrow)) + ")"};
        }
        return Utf8Text(wide);
    }

    std::string ToUtf8Replacing(std::string_view narrow) const override {
        if (codePage_ == 0 || codePage_ == CP_UTF8) return ReplaceInvalidUtf8(narrow);
        std::wstring wide;
        if (FromCodePage(codePage_, narrow, wide)) return Utf8Text(wide);
        CPINFO info{};
        if (!GetCPInfo(codePage_, &info)) return ReplaceInvalidUtf8(narrow);
        // A character at a time; a byte that starts none becomes U+FFFD and the next one starts
        // afresh.
        std::string text;
        std::size_t at = 0;
        while (at < narrow.size()) {
            std::size_t length = CharacterBytes(codePage_, info, narrow, at);
            if (length == 0) length = 1;
            if (at + length <= narrow.size() &&
                FromCodePage(codePage_, narrow.substr(at, length), wide)) {
                text += Utf8Text(wide);
                at += length;
            } else {
                text += "\xEF\xBF\xBD";
                ++at;
            }
        }
        return text;
    }

  private:
    Error Unsupported() const {
        return Error{"the character set " + codeset_ + " is not supported"};
    }

    std::string codeset_;
    UINT codePage_;
};

}  // namespace

std::unique_ptr<NarrowConverter> NarrowConverter::Open(const std::string& codeset) {
    return std::make_unique<CodePageConverter>(codeset);
}

// The ANSI code page, named "CP" and its number.
NarrowCodec NarrowCodec::ForLocale() { return NarrowCodec("CP" + std::to_string(GetACP())); }

}  // namespace revuro
