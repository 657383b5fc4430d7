#include "engine/viewer/performance_clock.h"

#include <chrono>

namespace engine {
namespace {

class TSteadyPerformanceClock final : public TPerformanceClock {
public:
    std::int64_t Counter() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    std::int64_t Frequency() const override { return 1'000'000'000; }
};

}  // namespace

TPerformanceClock& SteadyPerformanceClock() {
    static TSteadyPerformanceClock clock;
    return clock;
}

}  // namespace engine
