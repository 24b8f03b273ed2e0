#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

// A Flash movie in its uncompressed form: the 8-byte header with the signature "FWS" and the
// length of these bytes, then the body.
struct ExpandedSwf {
    std::string bytes;
    // Every byte of the body is there; false when the file or its compressed stream ends early,
    // the stream is damaged part way, or the body would pass the limit.
    bool whole = false;
};

// Expands a movie stored plain ("FWS"), with zlib ("CWS") or with LZMA ("ZWS"), keeping at most
// `limit` bytes of body. A stream that breaks off or is damaged gives what came before.
// Fails on a file that is no Flash movie or too short for its own header.
Result<ExpandedSwf> ExpandSwf(std::string_view file, std::size_t limit);

}  // namespace revuro
