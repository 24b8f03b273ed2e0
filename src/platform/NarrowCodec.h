#pragma once

#include <iconv.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace revuro {

// Converts between the program's UTF-8 text and the system's narrow character set, the
// bytes that files such as the playlist hold. Conversion never substitutes: a character the
// character set cannot hold is an error, because a '?' in a path silently names another file.
class NarrowCodec {
  public:
    // The character set of the current locale (LC_CTYPE). The bare "C" locale reports
    // ASCII, which no real file name fits in; UTF-8 is taken instead, as on every modern Linux.
    static NarrowCodec ForLocale();

    explicit NarrowCodec(std::string codeset);

    const std::string& codeset() const { return codeset_; }

    Result<std::string> Encode(std::string_view utf8) const;
    // Only text that encodes back to exactly the same bytes decodes: anything else would
    // change a path when it is written again.
    Result<std::string> Decode(std::string_view narrow) const;
    // Text to show for bytes that may not decode: every byte that starts no character of the
    // set becomes U+FFFD. Never fails; only for showing, never for writing back.
    std::string DecodeReplacing(std::string_view narrow) const;

  private:
    struct IconvCloser {
        void operator()(void* cd) const;
    };
    using Iconv = std::unique_ptr<void, IconvCloser>;

    // A failure is of kind `failure`, except a character set iconv does not know.
    static Result<std::string> Convert(const Iconv& cd, std::string_view in, ErrorKind failure,
                                       const char* direction, const std::string& codeset);

    std::string codeset_;
    // UTF-8 on both sides: valid text passes unchanged, without a trip through iconv.
    bool identity_;
    Iconv toNarrow_;
    Iconv toUtf8_;
};

}  // namespace revuro
