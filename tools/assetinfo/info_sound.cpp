#include "tools/assetinfo/info_kinds.h"

#include "platform/paths.h"
#include "platform/wav_decoder.h"

#include <cmath>
#include <cstdlib>

namespace tools {

nlohmann::json InfoSound(const std::string& path) {
    const platform::PcmSound sound = platform::DecodeWav(platform::ReadWholeFile(path));
    int peak = 0;
    double sumOfSquares = 0;
    for (const std::int16_t sample : sound.Samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
        sumOfSquares += static_cast<double>(sample) * sample;
    }
    // Full scale is 32768, which the most negative sample reaches.
    const double rms = sound.Samples.empty() ? 0.0 : std::sqrt(sumOfSquares / static_cast<double>(sound.Samples.size()));
    return {{"sampleRate", sound.SampleRate},
            {"channels", sound.Channels},
            {"frames", sound.Frames()},
            {"peak", peak / 32768.0},
            {"rms", rms / 32768.0}};
}

}  // namespace tools
