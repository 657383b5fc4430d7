#include "tools/synth/loop.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tools::synth {

Signal SeamlessLoop(const Signal& render, std::size_t length, std::size_t fade, Crossfade shape) {
    if (fade > length || render.size() < length + fade) {
        throw std::invalid_argument("a loop needs a render longer than itself by the fade");
    }
    Signal loop(render.begin(), render.begin() + static_cast<std::ptrdiff_t>(length));
    for (std::size_t i = 0; i < fade; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(fade);
        const double in = shape == Crossfade::Linear ? t : std::sin(0.5 * std::numbers::pi * t);
        const double out = shape == Crossfade::Linear ? 1.0 - t : std::cos(0.5 * std::numbers::pi * t);
        loop[i] = static_cast<float>(in * render[i] + out * render[length + i]);
    }
    return loop;
}

}  // namespace tools::synth
