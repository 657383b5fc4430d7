#include "engine/timing/tick_source.h"

#include <chrono>

namespace engine {

TTickSource TTickSource::SteadyClock() {
    using Clock = std::chrono::steady_clock;
    return {[] {
                return static_cast<std::int64_t>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count());
            },
            std::int64_t{1'000'000'000}};
}

}  // namespace engine
