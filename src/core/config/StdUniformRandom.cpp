#include "core/config/StdUniformRandom.h"

#include <bit>

namespace revuro {

void StdUniformRandom::Seed(double secondsSinceMidnight) {
    // Every bit of the time counts, the fraction included, so presses a moment apart differ.
    const auto bits = std::bit_cast<std::uint64_t>(secondsSinceMidnight);
    std::seed_seq seeds{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    engine_.seed(seeds);
}

double StdUniformRandom::Next() {
    // The top 53 bits make a double in [0, 1) exactly; 1.0 itself can never come out.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace revuro
