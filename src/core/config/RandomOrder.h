#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/config/UniformRandom.h"

namespace revuro {

// Draws a new random order of the movie list: every order equally likely, each row taken
// exactly once whatever its text.
class RandomOrder {
  public:
    using TimeOfDay = std::function<double()>;

    // The standard generator, seeded from the local time of day.
    RandomOrder();
    RandomOrder(std::unique_ptr<UniformRandom> generator, TimeOfDay clock);

    // Seeds the generator afresh and returns the rows in a new order.
    std::vector<std::string> Draw(const std::vector<std::string>& rows);
    // The same draw as positions: a new order of 0 .. rows - 1.
    std::vector<std::size_t> DrawOrder(std::size_t rows);

    // Local time of day in seconds since midnight, with the fraction.
    static double SecondsSinceMidnight();

  private:
    std::unique_ptr<UniformRandom> generator_;
    TimeOfDay clock_;
};

}  // namespace revuro
