#include "tools/synth/pcm.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::synth {
namespace {

std::int16_t Quantise(float sample) {
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

platform::PcmSound ToPcm(const Signal& mono) {
    platform::PcmSound sound{kSampleRate, 1, {}};
    sound.Samples.reserve(mono.size());
    for (const float sample : mono) {
        sound.Samples.push_back(Quantise(sample));
    }
    return sound;
}

platform::PcmSound ToPcm(const Signal& left, const Signal& right) {
    if (left.size() != right.size()) {
        throw std::invalid_argument("the channels of a stereo sound have one length");
    }
    platform::PcmSound sound{kSampleRate, 2, {}};
    sound.Samples.reserve(2 * left.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        sound.Samples.push_back(Quantise(left[i]));
        sound.Samples.push_back(Quantise(right[i]));
    }
    return sound;
}

}  // namespace tools::synth
