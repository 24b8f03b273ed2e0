#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

class NarrowConverter;

// Converts between the program's UTF-8 text and the system's narrow character set, the
// bytes that files such as the playlist hold. Conversion never substitutes: a character the
// character set cannot hold is an error, because a '?' in a path silently names another file.
class NarrowCodec {
  public:
    // The system's narrow character set. On POSIX systems that of the current locale (LC_CTYPE);
    // the bare "C" locale reports ASCII, which no real file name fits in, so UTF-8 is taken
    // instead, as on every modern Linux. On Windows the ANSI code page, named "CP" and its number.
    static NarrowCodec ForLocale();

    explicit NarrowCodec(std::string codeset);
    ~NarrowCodec();
    NarrowCodec(NarrowCodec&&) noexcept;
    NarrowCodec& operator=(NarrowCodec&&) noexcept;

    const std::string& codeset() const { return codeset_; }

    Result<std::string> Encode(std::string_view utf8) const;
    // Only text that encodes back to exactly the same bytes decodes: anything else would
    // change a path when it is written again.
    Result<std::string> Decode(std::string_view narrow) const;
    // Text to show for bytes that may not decode: every byte that starts no character of the
    // set becomes U+FFFD. Never fails; only for showing, never for writing back.
    std::string DecodeReplacing(std::string_view narrow) const;

  private:
    std::string codeset_;
    // UTF-8 on both sides: valid text passes unchanged, without a trip through the system.
    bool identity_;
    std::unique_ptr<NarrowConverter> converter_;  // the system's own conversion
};

}  // namespace revuro
