#include "tools/synth/oscillator.h"

#include <cmath>
#include <numbers>

namespace tools::synth {
namespace {

// The correction that rounds off a unit step at phase 0 of a cycle advancing `step` a sample.
double PolyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Sample(Wave wave, double phase, double step) {
    switch (wave) {
        case Wave::Sine:
            return std::sin(2.0 * std::numbers::pi * phase);
        case Wave::Triangle:
            return 1.0 - 4.0 * std::fabs(phase - 0.5);
        case Wave::Saw:
            return 2.0 * phase - 1.0 - PolyBlep(phase, step);
        case Wave::Square: {
            const double half = phase < 0.5 ? 1.0 : -1.0;
            double shifted = phase + 0.5;
            shifted -= std::floor(shifted);
            return half + PolyBlep(phase, step) - PolyBlep(shifted, step);
        }
    }
    return 0.0;
}

}  // namespace

Signal Oscillate(Wave wave, const Signal& frequency, double phase) {
    Signal out(frequency.size());
    for (std::size_t i = 0; i < frequency.size(); ++i) {
        const double step = std::fabs(frequency[i]) / kSampleRate;
        out[i] = static_cast<float>(Sample(wave, phase, step));
        phase += step;
        phase -= std::floor(phase);
    }
    return out;
}

Signal Oscillate(Wave wave, const Curve& frequency, double seconds, double phase) {
    return Oscillate(wave, frequency.Render(SamplesFor(seconds)), phase);
}

Signal Wobble(double rate, float depth, std::size_t samples, double phase) {
    Signal out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = 1.0f + depth * static_cast<float>(std::sin(2.0 * std::numbers::pi * (rate * TimeOf(i) + phase)));
    }
    return out;
}

}  // namespace tools::synth
