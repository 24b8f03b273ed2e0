#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>

#include "core/Utf8.h"
#include "platform/NarrowCodec.h"
#include "platform/NarrowConverter.h"

namespace revuro {

namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

// One direction of iconv, closed when it goes.
class IconvDirection {
  public:
    IconvDirection(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~IconvDirection() {
        if (cd_ != kInvalid) iconv_close(cd_);
    }
    IconvDirection(const IconvDirection&) = delete;
    IconvDirection& operator=(const IconvDirection&) = delete;

    Result<std::string> Convert(std::string_view in, ErrorKind failure, const char* direction,
                                const std::string& codeset) const;
    std::string ConvertReplacing(std::string_view in) const;

  private:
    iconv_t cd_;
};

Result<std::string> IconvDirection::Convert(std::string_view in, ErrorKind failure,
                                            const char* direction,
                                            const std::string& codeset) const {
    if (cd_ == kInvalid) return Error{"the character set " + codeset + " is not supported"};
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t written = 0;
    while (true) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1)) {
            if (rc > 0) {  // iconv substituted something: as bad as an unconvertible character
                return Error{failure, "text " + std::string(direction) + " " + codeset};
            }
            // Flush any final shift sequence of stateful character sets.
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
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

std::string IconvDirection::ConvertReplacing(std::string_view in) const {
    if (cd_ == kInvalid) return ReplaceInvalidUtf8(in);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t written = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
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
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(written);
    return out;
}

// The conversion of glibc's iconv.
class IconvConverter : public NarrowConverter {
  public:
    explicit IconvConverter(std::string codeset)
        : codeset_(std::move(codeset)), toNarrow_(codeset_, "UTF-8"), toUtf8_("UTF-8", codeset_) {}

    Result<std::string> ToNarrow(std::string_view utf8) const override {
        return toNarrow_.Convert(utf8, ErrorKind::NotEncodable, "cannot be written in", codeset_);
    }
    Result<std::string> ToUtf8(std::string_view narrow) const override {
        return toUtf8_.Convert(narrow, ErrorKind::NotDecodable, "is not valid text in", codeset_);
    }
    std::string ToUtf8Replacing(std::string_view narrow) const override {
        return toUtf8_.ConvertReplacing(narrow);
    }

  private:
    std::string codeset_;
    IconvDirection toNarrow_;
    IconvDirection toUtf8_;
};

}  // namespace

std::unique_ptr<NarrowConverter> NarrowConverter::Open(const std::string& codeset) {
    return std::make_unique<IconvConverter>(codeset);
}

NarrowCodec NarrowCodec::ForLocale() {
    std::string codeset = nl_langinfo(CODESET);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII") codeset = "UTF-8";
    return NarrowCodec(codeset);
}

}  // namespace revuro
