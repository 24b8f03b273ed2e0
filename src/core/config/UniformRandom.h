#pragma once

namespace revuro {

// A pseudo-random source of r with 0 <= r < 1.
class UniformRandom {
  public:
    virtual ~UniformRandom() = default;
    // Starts a new sequence from the time of day (seconds since midnight, with the fraction).
    virtual void Seed(double secondsSinceMidnight) = 0;
    virtual double Next() = 0;
};

}  // namespace revuro
