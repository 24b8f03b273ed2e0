#pragma once

#include <utility>

#include "platform/NarrowCodec.h"

namespace revuro::testing {

// Big5 under the name the system knows it by. It reads both F9F9 and A2A4 as U+2550 but writes
// that back as one of them (A2A4 in glibc, F9F9 on Windows): the other pair would name another
// file once written again.
inline NarrowCodec Big5Codec() {
    NarrowCodec iconvName("BIG5");
    return iconvName.Encode("a").ok() ? std::move(iconvName) : NarrowCodec("CP950");
}

}  // namespace revuro::testing
