#include "platform/NarrowCodec.h"

#include "core/Utf8.h"
#include "platform/NarrowConverter.h"

namespace revuro {

NarrowCodec::NarrowCodec(std::string codeset)
    : codeset_(std::move(codeset)),
      identity_(codeset_ == "UTF-8"),
      converter_(NarrowConverter::Open(codeset_)) {}

NarrowCodec::~NarrowCodec() = default;
NarrowCodec::NarrowCodec(NarrowCodec&&) noexcept = default;
NarrowCodec& NarrowCodec::operator=(NarrowCodec&&) noexcept = default;

Result<std::string> NarrowCodec::Encode(std::string_view utf8) const {
    // Invalid text still goes to the converter, which names the failing byte.
    if (identity_ && IsValidUtf8(utf8)) return std::string(utf8);
    return converter_->ToNarrow(utf8);
}

Result<std::string> NarrowCodec::Decode(std::string_view narrow) const {
    if (identity_ && IsValidUtf8(narrow)) return std::string(narrow);
    Result<std::string> text = converter_->ToUtf8(narrow);
    if (!text) return text;
    // glibc's UTF-8 reader lets some sequences beyond U+10FFFF through unchanged: no text either.
    if (!IsValidUtf8(text.value()))
        return Error{ErrorKind::NotDecodable, "text is not valid text in " + codeset_};
    // Some character sets read two byte sequences as one character (BIG5 F9F9 and A2A4 are both
    // U+2550). Such text would be written back as the other bytes, naming another file.
    Result<std::string> back = converter_->ToNarrow(text.value());
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
    if (identity_) return ReplaceInvalidUtf8(narrow);
    // glibc's UTF-8 reader lets some sequences beyond U+10FFFF through.
    return ReplaceInvalidUtf8(converter_->ToUtf8Replacing(narrow));
}

}  // namespace revuro
