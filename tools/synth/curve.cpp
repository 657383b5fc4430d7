#include "tools/synth/curve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::synth {

Curve::Curve(float value) : m_points{{0, value}}, m_shape(Shape::Linear) {}

Curve::Curve(std::initializer_list<Point> points, Shape shape) : m_points(points), m_shape(shape) {
    if (m_points.empty()) {
        throw std::invalid_argument("a curve needs a point");
    }
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        if (m_points[i].Time < m_points[i - 1].Time) {
            throw std::invalid_argument("a curve's points run forward in time");
        }
    }
    if (shape == Shape::Exponential &&
        std::any_of(m_points.begin(), m_points.end(), [](const Point& p) { return p.Value <= 0; })) {
        throw std::invalid_argument("an exponential curve stays above zero");
    }
}

float Curve::At(double time) const {
    if (time <= m_points.front().Time) {
        return m_points.front().Value;
    }
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        const Point& a = m_points[i - 1];
        const Point& b = m_points[i];
        if (time < b.Time) {
            const double t = (time - a.Time) / (b.Time - a.Time);
            if (m_shape == Shape::Exponential) {
                return static_cast<float>(a.Value * std::pow(static_cast<double>(b.Value) / a.Value, t));
            }
            return static_cast<float>(a.Value + (b.Value - a.Value) * t);
        }
    }
    return m_points.back().Value;
}

Signal Curve::Render(std::size_t samples) const {
    Signal out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = At(TimeOf(i));
    }
    return out;
}

Signal Percussive(double attack, double decay, double seconds) {
    Signal out(SamplesFor(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        out[i] = static_cast<float>(t < attack ? t / attack : std::exp(-(t - attack) / decay));
    }
    return out;
}

}  // namespace tools::synth
