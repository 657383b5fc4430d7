#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/pcm.h"

#include <algorithm>
#include <numeric>

namespace tools::assetgen {

using namespace synth;

namespace {

void SubtractMean(Signal& signal) {
    if (signal.empty()) {
        return;
    }
    const double mean = std::accumulate(signal.begin(), signal.end(), 0.0) / static_cast<double>(signal.size());
    for (float& sample : signal) {
        sample -= static_cast<float>(mean);
    }
}

}  // namespace

void AddLayer(Signal& mix, Signal layer, float peak, double at) {
    NormalisePeak(layer, peak);
    MixInto(mix, layer, 1.0f, at);
}

platform::PcmSound FinishOneShot(Signal signal, float peak, double fadeOut) {
    RemoveDc(signal);
    FadeEdges(signal, 0.001, fadeOut);
    NormalisePeak(signal, peak);
    return ToPcm(signal);
}

platform::PcmSound FinishLoop(Signal signal, float peak) {
    SubtractMean(signal);
    NormalisePeak(signal, peak);
    return ToPcm(signal);
}

platform::PcmSound FinishLoop(Signal left, Signal right, float peak) {
    SubtractMean(left);
    SubtractMean(right);
    const float scale = peak / std::max({Peak(left), Peak(right), 1e-9f});
    Scale(left, scale);
    Scale(right, scale);
    return ToPcm(left, right);
}

}  // namespace tools::assetgen
