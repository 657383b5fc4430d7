#include "tools/writers/colour.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools {

std::uint8_t ChannelByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

ColourRamp::ColourRamp(std::initializer_list<std::pair<float, Colour>> stops) : m_stops(stops) {
    if (m_stops.empty()) {
        throw std::invalid_argument("A colour ramp needs at least one stop");
    }
    std::stable_sort(m_stops.begin(), m_stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

Colour ColourRamp::At(float t) const {
    if (t <= m_stops.front().first) {
        return m_stops.front().second;
    }
    for (std::size_t i = 1; i < m_stops.size(); ++i) {
        if (t <= m_stops[i].first) {
            const auto& [t0, c0] = m_stops[i - 1];
            const auto& [t1, c1] = m_stops[i];
            return t1 > t0 ? Mix(c0, c1, (t - t0) / (t1 - t0)) : c1;
        }
    }
    return m_stops.back().second;
}

}  // namespace tools
