#include "tools/synth/reverb.h"

#include <array>
#include <cstddef>

namespace tools::synth {
namespace {

// Delay lengths in samples at 44.1 kHz, mutually prime so that the echoes never line up.
constexpr std::array<std::size_t, 8> kCombLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllpassLengths{556, 441, 341, 225};
constexpr float kInputGain = 0.015f;

class Comb {
public:
    Comb(std::size_t length, float feedback, float damping)
        : m_buffer(length, 0.0f), m_feedback(feedback), m_damping(damping) {}

    float Process(float input) {
        const float out = m_buffer[m_index];
        m_filtered = out * (1.0f - m_damping) + m_filtered * m_damping;
        m_buffer[m_index] = input + m_filtered * m_feedback;
        m_index = (m_index + 1) % m_buffer.size();
        return out;
    }

private:
    std::vector<float> m_buffer;
    std::size_t m_index = 0;
    float m_feedback;
    float m_damping;
    float m_filtered = 0;
};

class Allpass {
public:
    explicit Allpass(std::size_t length) : m_buffer(length, 0.0f) {}

    float Process(float input) {
        const float delayed = m_buffer[m_index];
        m_buffer[m_index] = input + delayed * 0.5f;
        m_index = (m_index + 1) % m_buffer.size();
        return delayed - input;
    }

private:
    std::vector<float> m_buffer;
    std::size_t m_index = 0;
};

}  // namespace

Signal Reverb(const Signal& dry, float size, float damping, double tail) {
    std::vector<Comb> combs;
    for (const std::size_t length : kCombLengths) {
        combs.emplace_back(length, 0.7f + 0.28f * size, 0.4f * damping);
    }
    std::vector<Allpass> allpasses;
    for (const std::size_t length : kAllpassLengths) {
        allpasses.emplace_back(length);
    }
    Signal wet(dry.size() + SamplesFor(tail));
    for (std::size_t i = 0; i < wet.size(); ++i) {
        const float input = (i < dry.size() ? dry[i] : 0.0f) * kInputGain;
        float sum = 0;
        for (Comb& comb : combs) {
            sum += comb.Process(input);
        }
        for (Allpass& allpass : allpasses) {
            sum = allpass.Process(sum);
        }
        wet[i] = sum;
    }
    return wet;
}

}  // namespace tools::synth
