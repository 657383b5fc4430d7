#include "platform/wav_decoder.h"
#include "platform/wav_writer.h"

#include "platform/paths.h"
#include "tests/platform/wav_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

using namespace test_sounds;

TEST(WavDecoder, SixteenBitStereoAndEightBitMono) {
    const PcmSound stereo = DecodeWav(Wav({.channels = 2, .rate = 44100}, Samples16({1, -2, 32767, -32768})));
    EXPECT_EQ(stereo.SampleRate, 44100);
    EXPECT_EQ(stereo.Channels, 2);
    EXPECT_EQ(stereo.Frames(), 2u);
    EXPECT_EQ(stereo.Samples, (std::vector<std::int16_t>{1, -2, 32767, -32768}));

    // Unsigned around 128, widened: 0 is full negative scale, 255 just under full positive.
    const PcmSound mono = DecodeWav(Wav({.rate = 8000, .bits = 8}, {128, 0, 255, 129, 7}));
    EXPECT_EQ(mono.Channels, 1);
    EXPECT_EQ(mono.Samples, (std::vector<std::int16_t>{0, -32768, 32512, 256, -30976}));
}

TEST(WavDecoder, SkipsOtherChunksHonoursPaddingAndIgnoresBytesPastTheRiffSize) {
    const Bytes list = Chunk("LIST", {'I', 'N', 'F', 'O', 'x'});  // odd: a pad byte follows
    Bytes file = Riff({list, FormatChunk({}), Chunk("fact", {1, 0, 0, 0}), Chunk("data", Samples16({5, 6}))});
    file.insert(file.end(), {'j', 'u', 'n', 'k'});
    EXPECT_EQ(DecodeWav(file).Samples, (std::vector<std::int16_t>{5, 6}));

    // An odd last chunk whose pad byte the writer left out, and an empty sound.
    const Bytes unpadded = Riff({FormatChunk({.bits = 8}), Bytes{'d', 'a', 't', 'a', 1, 0, 0, 0, 128}});
    EXPECT_EQ(DecodeWav(unpadded).Samples, (std::vector<std::int16_t>{0}));
    EXPECT_EQ(DecodeWav(Wav({}, {})).Frames(), 0u);
}

TEST(WavDecoder, EveryMalformedFileAnswersItsOwnError) {
    const Bytes format = FormatChunk({});
    const Bytes data = Chunk("data", Samples16({1, 2}));
    Bytes truncated = Wav({}, Samples16({1, 2, 3}));
    truncated.resize(truncated.size() - 1);
    const struct {
        const char* name;
        Bytes file;
        const char* message;
    } cases[] = {
        {"empty", {}, "not a RIFF/WAVE file"},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a RIFF/WAVE file"},
        {"not WAVE", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "not a RIFF/WAVE file"},
        {"RIFF size past the end", truncated, "WAV file is cut short: its RIFF size announces 42 bytes, 41 follow"},
        {"RIFF size too small", Riff({format, data}, 3), "WAV file is cut short: its RIFF size announces 3 bytes"},
        {"chunk past its parent", Riff({format, Chunk("data", Samples16({1}), 4)}),
         "WAV chunk \"data\" of 4 bytes passes the end of the RIFF data (2 bytes left)"},
        {"huge chunk", Riff({Chunk("LIST", {}, 0xFFFFFFFF)}), "WAV chunk \"LIST\" of 4294967295 bytes passes"},
        {"partial chunk header", Riff({format, data, Bytes{'L', 'I'}}), "WAV file ends inside a chunk header"},
        {"data before fmt", Riff({data}), "WAV data chunk comes before its fmt chunk"},
        {"no data", Riff({format}), "WAV file has no data chunk"},
        {"nothing", Riff({}), "WAV file has no fmt chunk"},
        {"two fmt", Riff({format, format, data}), "WAV file has two fmt chunks"},
        {"two data", Riff({format, data, data}), "WAV file has two data chunks"},
        {"short fmt", Riff({Chunk("fmt ", Bytes(14, 1)), data}), "WAV fmt chunk of 14 bytes is shorter than 16"},
        {"float", Wav({.tag = 3, .bits = 32}, {}), "unsupported WAV encoding: format tag 3"},
        {"extensible", Wav({.tag = 0xFFFE}, {}), "unsupported WAV encoding: format tag 65534"},
        {"no channels", Wav({.channels = 0}, {}), "unsupported WAV channel count 0"},
        {"six channels", Wav({.channels = 6}, {}), "unsupported WAV channel count 6"},
        {"24 bits", Wav({.bits = 24}, {}), "unsupported WAV sample size of 24 bits"},
        {"rate 0", Wav({.rate = 0}, {}), "WAV sample rate 0 Hz is out of range"},
        {"rate too high", Wav({.rate = 400000}, {}), "WAV sample rate 400000 Hz is out of range"},
        {"block size lies", Wav({.channels = 2, .blockAlign = 1}, {}), "WAV block size 1 does not match 2 channels"},
        {"zero block size", Wav({.bits = 8, .blockAlign = 0}, {}), "WAV block size 0 does not match"},
        {"partial frame", Wav({.channels = 2}, Samples16({1, 2, 3})), "WAV data of 6 bytes is not a whole number"},
    };
    for (const auto& c : cases) {
        try {
            DecodeWav(c.file);
            ADD_FAILURE() << c.name << ": decoded";
        } catch (const SoundError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.name << ": " << error.what();
        }
        // Every prefix of a malformed file is refused as cleanly, never read past.
        for (std::size_t length = 0; length < c.file.size(); ++length) {
            EXPECT_THROW(DecodeWav(std::span(c.file).first(length)), SoundError) << c.name << " cut at " << length;
        }
    }
}

TEST(WavWriter, WritesTheCanonicalHeaderAndReadsBack) {
    const PcmSound sound{44100, 2, {0, -1, 32767, -32768, 100, -100}};
    const std::vector<std::uint8_t> bytes = EncodeWav(sound);
    const Bytes expected = Wav({.channels = 2, .rate = 44100}, Samples16(sound.Samples));
    EXPECT_EQ(bytes, expected);
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(bytes[28], 0x10) << "bytes per second: 44100 * 4 = 0x2B110";
    EXPECT_EQ(bytes[30], 0x02);

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "wav_writer_test.wav";
    WriteWav(path.string(), sound);
    const PcmSound back = DecodeWav(ReadWholeFile(path.string()));
    std::filesystem::remove(path);
    EXPECT_EQ(back.SampleRate, sound.SampleRate);
    EXPECT_EQ(back.Channels, sound.Channels);
    EXPECT_EQ(back.Samples, sound.Samples);
}

TEST(WavWriter, RefusesSoundsNoReaderCouldTakeBack) {
    EXPECT_THROW(EncodeWav({0, 1, {}}), std::invalid_argument);
    EXPECT_THROW(EncodeWav({44100, 3, {1, 2, 3}}), std::invalid_argument);
    EXPECT_THROW(EncodeWav({44100, 2, {1, 2, 3}}), std::invalid_argument);
    EXPECT_THROW(WriteWav("/no/such/folder/x.wav", {44100, 1, {1}}), FileError);
}

}  // namespace
}  // namespace platform
