#pragma once

#include <cstdint>
#include <random>

#include "core/config/UniformRandom.h"

namespace revuro {

// UniformRandom on the standard 64-bit Mersenne twister.
class StdUniformRandom : public UniformRandom {
  public:
    void Seed(double secondsSinceMidnight) override;
    double Next() override;

  private:
    std::mt19937_64 engine_;
};

}  // namespace revuro
