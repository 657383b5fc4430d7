#include "tools/synth/filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tools::synth {
namespace {

struct Coefficients {
    double B0 = 0, B1 = 0, B2 = 0, A1 = 0, A2 = 0;
};

Coefficients Design(FilterKind kind, double cutoff, double q) {
    // Kept below the Nyquist frequency, where the design breaks down.
    const double f = std::clamp(cutoff, 10.0, 0.45 * kSampleRate);
    const double w = 2.0 * std::numbers::pi * f / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    Coefficients k;
    switch (kind) {
        case FilterKind::LowPass:
            k.B0 = (1.0 - c) / 2.0;
            k.B1 = 1.0 - c;
            k.B2 = k.B0;
            break;
        case FilterKind::HighPass:
            k.B0 = (1.0 + c) / 2.0;
            k.B1 = -(1.0 + c);
            k.B2 = k.B0;
            break;
        case FilterKind::BandPass:  // peak gain 1 at the centre
            k.B0 = alpha;
            k.B1 = 0.0;
            k.B2 = -alpha;
            break;
    }
    k.B0 /= a0;
    k.B1 /= a0;
    k.B2 /= a0;
    k.A1 = -2.0 * c / a0;
    k.A2 = (1.0 - alpha) / a0;
    return k;
}

// Coefficients follow a moving cutoff this often: fine enough for any slide, far cheaper than every sample.
constexpr std::size_t kUpdateInterval = 16;

}  // namespace

void Filter(Signal& signal, FilterKind kind, const Signal& cutoff, float q) {
    if (!signal.empty() && cutoff.empty()) {
        throw std::invalid_argument("a filter needs a cutoff");
    }
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Coefficients k;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        if (i % kUpdateInterval == 0) {
            k = Design(kind, cutoff[std::min(i, cutoff.size() - 1)], q);
        }
        const double x = signal[i];
        const double y = k.B0 * x + k.B1 * x1 + k.B2 * x2 - k.A1 * y1 - k.A2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        signal[i] = static_cast<float>(y);
    }
}

void Filter(Signal& signal, FilterKind kind, const Curve& cutoff, float q) {
    Filter(signal, kind, cutoff.Render(signal.size()), q);
}

Signal Filtered(Signal signal, FilterKind kind, const Curve& cutoff, float q) {
    Filter(signal, kind, cutoff, q);
    return signal;
}

}  // namespace tools::synth
