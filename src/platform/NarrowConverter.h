#pragma once

#include <string>
#include <string_view>

#include <memory>
#include "core/Result.h"

namespace revuro {

// The system's conversion between UTF-8 and one narrow character set, behind NarrowCodec; one
// implementation per platform. Both directions fail, naming the byte, at the first character
// the other side cannot hold; nothing is substituted.
class NarrowConverter {
  public:
    virtual ~NarrowConverter() = default;
    // The converter for `codeset`; one the system does not know fails every conversion.
    static std::unique_ptr<NarrowConverter> Open(const std::string& codeset);

    virtual Result<std::string> ToNarrow(std::string_view utf8) const = 0;
    virtual Result<std::string> ToUtf8(std::string_view narrow) const = 0;
    // Never fails: every byte that starts no character of the set becomes U+FFFD.
    virtual std::string ToUtf8Replacing(std::string_view narrow) const = 0;
};

}  // namespace revuro
