#pragma once

#include "platform/pcm_sound.h"
#include "tools/synth/signal.h"

namespace tools::synth {

// The signal as 16-bit samples at the synthesiser's rate, rounded and held inside full scale.
platform::PcmSound ToPcm(const Signal& mono);
// Two signals of equal length as one stereo sound.
platform::PcmSound ToPcm(const Signal& left, const Signal& right);

}  // namespace tools::synth
