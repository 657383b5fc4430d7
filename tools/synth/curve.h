#pragma once

#include "tools/synth/signal.h"

#include <initializer_list>
#include <vector>

namespace tools::synth {

// A value over time through breakpoints, held before the first and after the last: amplitude
// envelopes, pitch slides, moving filter cutoffs.
class Curve {
public:
    struct Point {
        double Time = 0;
        float Value = 0;
    };
    // How a segment runs between two points. Exponential moves by equal ratios, as the ear hears
    // pitch and cutoff; it needs values above zero.
    enum class Shape { Linear, Exponential };

    // A constant.
    Curve(float value);  // NOLINT(google-explicit-constructor): a number is a flat curve
    Curve(std::initializer_list<Point> points, Shape shape = Shape::Linear);

    float At(double time) const;
    Signal Render(std::size_t samples) const;

private:
    std::vector<Point> m_points;
    Shape m_shape;
};

// The envelope of a struck or fired sound: a linear rise over `attack`, then an exponential fall
// with the time constant `decay`, for `seconds` in all.
Signal Percussive(double attack, double decay, double seconds);

}  // namespace tools::synth
