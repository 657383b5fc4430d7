// The WAV reader over any bytes, and the round trip of what it reads: a sound read is written as
// the writers write it and read again, and must come back with the same rate, channels and samples.
#include "fuzz/fuzz_check.h"
#include "platform/wav_decoder.h"
#include "platform/wav_writer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::PcmSound sound;
    try {
        sound = platform::DecodeWav({data, size});
    } catch (const platform::SoundError&) {
        return 0;
    }
    platform::PcmSound again;
    try {
        again = platform::DecodeWav(platform::EncodeWav(sound));
    } catch (const platform::SoundError&) {
        fuzz::Require(false, "a written sound does not read again");
    }
    fuzz::Require(again.SampleRate == sound.SampleRate && again.Channels == sound.Channels, "the format changed");
    fuzz::Require(again.Samples == sound.Samples, "the samples changed");
    return 0;
}
