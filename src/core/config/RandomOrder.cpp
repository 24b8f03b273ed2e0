#include "core/config/RandomOrder.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "core/config/StdUniformRandom.h"

namespace revuro {

RandomOrder::RandomOrder()
    : RandomOrder(std::make_unique<StdUniformRandom>(), &RandomOrder::SecondsSinceMidnight) {}

RandomOrder::RandomOrder(std::unique_ptr<UniformRandom> generator, TimeOfDay clock)
    : generator_(std::move(generator)), clock_(std::move(clock)) {}

std::vector<std::string> RandomOrder::Draw(const std::vector<std::string>& rows) {
    std::vector<std::string> drawn;
    drawn.reserve(rows.size());
    for (std::size_t k : DrawOrder(rows.size())) drawn.push_back(rows[k]);
    return drawn;
}

std::vector<std::size_t> RandomOrder::DrawOrder(std::size_t n) {
    generator_->Seed(clock_());
    std::vector<std::size_t> drawn;
    drawn.reserve(n);
    // Taken by position, not by text: equal rows are each taken once.
    std::vector<bool> taken(n, false);
    while (drawn.size() < n) {
        const double r = generator_->Next();
        const auto k = static_cast<std::size_t>(std::floor(r * static_cast<double>(n + 1)));
        // k == n names no row; a generator straying out of [0, 1) gives nothing either.
        if (r < 0.0 || k >= n || taken[k]) continue;
        taken[k] = true;
        drawn.push_back(k);
    }
    return drawn;
}

double RandomOrder::SecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t whole = system_clock::to_time_t(now);
    // Only the UI thread asks, so the shared buffer of std::localtime is safe here.
    const std::tm* local = std::localtime(&whole);
    const double fraction = duration<double>(now - system_clock::from_time_t(whole)).count();
    if (local == nullptr) return fraction;
    return local->tm_hour * 3600.0 + local->tm_min * 60.0 + local->tm_sec + fraction;
}

}  // namespace revuro
