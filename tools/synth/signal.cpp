#include "tools/synth/signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::synth {

std::size_t SamplesFor(double seconds) {
    return seconds <= 0 ? 0 : static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

double TimeOf(std::size_t sample) { return static_cast<double>(sample) / kSampleRate; }

void MixInto(Signal& target, const Signal& source, float gain, double at) {
    const std::size_t offset = SamplesFor(at);
    if (target.size() < offset + source.size()) {
        target.resize(offset + source.size(), 0.0f);
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
        target[offset + i] += gain * source[i];
    }
}

void Multiply(Signal& target, const Signal& by) {
    target.resize(std::min(target.size(), by.size()));
    for (std::size_t i = 0; i < target.size(); ++i) {
        target[i] *= by[i];
    }
}

void Scale(Signal& signal, float gain) {
    for (float& sample : signal) {
        sample *= gain;
    }
}

float Peak(const Signal& signal) {
    float peak = 0;
    for (const float sample : signal) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

void NormalisePeak(Signal& signal, float peak) {
    const float current = Peak(signal);
    if (current > 0) {
        Scale(signal, peak / current);
    }
}

void Saturate(Signal& signal, float drive) {
    const float before = Peak(signal);
    if (before <= 0) {
        return;
    }
    for (float& sample : signal) {
        sample = std::tanh(drive * sample / before);
    }
    NormalisePeak(signal, before);
}

void RemoveDc(Signal& signal) {
    const float pole = static_cast<float>(std::exp(-2.0 * std::numbers::pi * 20.0 / kSampleRate));
    float previousIn = 0;
    float previousOut = 0;
    for (float& sample : signal) {
        const float out = sample - previousIn + pole * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = out;
    }
}

void FadeEdges(Signal& signal, double fadeIn, double fadeOut) {
    const std::size_t in = std::min(SamplesFor(fadeIn), signal.size());
    for (std::size_t i = 0; i < in; ++i) {
        signal[i] *= static_cast<float>(i) / static_cast<float>(in);
    }
    const std::size_t out = std::min(SamplesFor(fadeOut), signal.size());
    for (std::size_t i = 0; i < out; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
    }
}

}  // namespace tools::synth
