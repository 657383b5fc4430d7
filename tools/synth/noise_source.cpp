#include "tools/synth/noise_source.h"

namespace tools::synth {

Signal WhiteNoise(SeededRandom& random, double seconds) {
    Signal out(SamplesFor(seconds));
    for (float& sample : out) {
        sample = random.Range(-1.0f, 1.0f);
    }
    return out;
}

Signal BrownNoise(SeededRandom& random, double seconds) {
    Signal out(SamplesFor(seconds));
    float level = 0;
    for (float& sample : out) {
        level = 0.997f * level + 0.03f * random.Range(-1.0f, 1.0f);
        sample = level;
    }
    RemoveDc(out);
    NormalisePeak(out, 1.0f);
    return out;
}

Signal Crackle(SeededRandom& random, const Curve& density, double seconds) {
    Signal out(SamplesFor(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (random.NextFloat() < density.At(TimeOf(i)) / kSampleRate) {
            out[i] = random.Range(0.3f, 1.0f) * (random.NextFloat() < 0.5f ? -1.0f : 1.0f);
        }
    }
    return out;
}

}  // namespace tools::synth
