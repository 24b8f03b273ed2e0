#include "platform/NarrowCodec.h"

#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>

#include "platform/Utf8.h"

namespace revuro {

namespace {
const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

void* Open(const std::string& to, const std::string& from) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    return cd == kInvalid ? nullptr : cd;
}
}  // namespace

void NarrowCodec::IconvCloser::operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }

NarrowCodec NarrowCodec::ForLocale() {
    std::string codeset = nl_langinfo(CODESET);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII") codeset = "UTF-8";
    return NarrowCodec(codeset);
}

NarrowCodec::NarrowCodec(std::string codeset)
    : codeset_(std::move(codeset)),
      identity_(codeset_ == "UTF-8"),
      toNarrow_(Open(codeset_, "UTF-8")),
      toUtf8_(Open("UTF-8", codeset_)) {}

Result<std::string> NarrowCodec::Encode(std::string_view utf8) const {
    // Invalid text still goes to iconv, which names the failing byte.
    if (identity_ && toNarrow_ && IsValidUtf8(utf8)) return std::string(utf8);
    return Convert(toNarrow_, utf8, ErrorKind::NotEncodable, "cannot be written in", codeset_);
}

Result<std::string> NarrowCodec::Decode(std::string_view narrow) const {
    if (identity_ && toUtf8_ && IsValidUtf8(narrow)) return std::string(narrow);
    Result<std::string> text =
        Convert(toUtf8_, narrow, ErrorKind::NotDecodable, "is not valid text in", codeset_);
    if (!text) return text;
    // glibc's UTF-8 reader lets some sequences beyond U+10FFFF through unchanged: no text either.
    if (!IsValidUtf8(text.value()))
        return Error{ErrorKind::NotDecodable, "text is not valid text in " + codeset_};
    // Some character sets read two byte sequences as one character (BIG5 F9F9 and A2A4 are both
    // U+2550). Such text would be written back as the other bytes, naming another file.
    Result<std::string> back =
        Convert(toNarrow_, text.value(), ErrorKind::NotDecodable, "cannot be written in", codeset_);
    if (!back || back.value() != narrow) {
        const std::string_view again = back ? std::string_view(back.value()) : std::string_view();
        std::size_t at = 0;
        while (at < narrow.size() && at < again.size() && narrow[at] == again[at]) ++at;
        return Error{ErrorKind::NotDecodable, "text would not be written back the same in " +
                                                  codeset_ + " (at byte " + std::to_string(at) +
                                                  ")"};
    }
    return text;
}

std::string NarrowCodec::DecodeReplacing(std::string_view narrow) const {
    if (identity_ || !toUtf8_) return ReplaceInvalidUtf8(narrow);
    const auto cd = static_cast<iconv_t>(toUtf8_.get());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(narrow.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(narrow.data());
    size_t inLeft = narrow.size();
    size_t written = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A byte that starts no character (or only part of one): show it and go on after it.
        out.resize(std::max(out.size(), written + 3));
        out.replace(written, 3, "\xEF\xBF\xBD");
        written += 3;
        ++inPtr;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(written);
    // glibc's UTF-8 reader lets some sequences beyond U+10FFFF through.
    return ReplaceInvalidUtf8(out);
}

Result<std::string> NarrowCodec::Convert(const Iconv& cd, std::string_view in, ErrorKind failure,
                                         const char* direction, const std::string& codeset) {
    if (!cd) return Error{"the character set " + codeset + " is not supported"};
    iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);  // reset shift state

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t written = 0;
    while (true) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        size_t rc = iconv(static_cast<iconv_t>(cd.get()), &inPtr, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1)) {
            if (rc > 0) {  // iconv substituted something: as bad as an unconvertible character
                return Error{failure, "text " + std::string(direction) + " " + codeset};
            }
            // Flush any final shift sequence of stateful character sets.
            iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, &outPtr, &outLeft);
            written = out.size() - outLeft;
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        const std::size_t at = in.size() - inLeft;
        return Error{failure, "text " + std::string(direction) + " " + codeset + " (at byte " +
                                  std::to_string(at) + ")"};
    }
    out.resize(written);
    return out;
}

}  // namespace revuro
