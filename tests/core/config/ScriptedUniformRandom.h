#pragma once

#include <cstddef>
#include <vector>

#include "core/config/UniformRandom.h"

namespace revuro::testing {

// Hands out the given values in turn, and remembers every seed it was given.
class ScriptedUniformRandom : public UniformRandom {
  public:
    explicit ScriptedUniformRandom(std::vector<double> values) : values_(std::move(values)) {}

    void Seed(double secondsSinceMidnight) override { seeds.push_back(secondsSinceMidnight); }
    double Next() override {
        ++draws;
        return values_.empty() ? 0.0 : values_[next_++ % values_.size()];
    }

    std::vector<double> seeds;
    int draws = 0;

  private:
    std::vector<double> values_;
    std::size_t next_ = 0;
};

}  // namespace revuro::testing
