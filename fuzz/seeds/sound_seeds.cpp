#include "fuzz/seeds/seed_folder.h"
#include "platform/wav_writer.h"
#include "tests/platform/wav_builder.h"

namespace fuzz {

void WriteSoundSeeds(const SeedFolder& seeds) {
    using namespace test_sounds;
    seeds.Write("wav", "mono16.wav", platform::EncodeWav({44100, 1, {0, 1000, -1000, 32767, -32768}}));
    seeds.Write("wav", "stereo16.wav", platform::EncodeWav({22050, 2, {1, -1, 2, -2}}));
    seeds.Write("wav", "mono8.wav", Wav({.rate = 8000, .bits = 8}, {128, 0, 255, 7, 9}));
    seeds.Write("wav", "stereo8.wav", Wav({.channels = 2, .rate = 11025, .bits = 8}, {1, 2, 3, 4}));
    seeds.Write("wav", "list-and-fact.wav",
                Riff({Chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), FormatChunk({}), Chunk("fact", {2, 0, 0, 0}),
                      Chunk("data", Samples16({5, -5}))}));
    seeds.Write("wav", "empty.wav", Wav({}, {}));
}

}  // namespace fuzz
