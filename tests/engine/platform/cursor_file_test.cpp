#include "engine/platform/cursor_file.h"

#include "tests/engine/platform/cursor_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace engine {
namespace {

using tests::Bytes;

constexpr std::uint32_t kRed = 0xff0000;
constexpr std::uint32_t kBlue = 0x0000ff;

std::uint32_t RgbaAt(const CursorImage& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// Left half red, right half blue, top-left pixel masked (8-bit palette).
tests::DibDesc PaletteDib(int bits) {
    tests::DibDesc desc;
    desc.width = 8;
    desc.height = 4;
    desc.bits = bits;
    desc.palette = bits == 1 ? std::vector<std::uint32_t>{kRed, kBlue} : std::vector<std::uint32_t>{0, kRed, kBlue};
    const std::uint32_t red = bits == 1 ? 0 : 1;
    desc.pixel = [red](int x, int) { return x < 4 ? red : red + 1; };
    desc.masked = [](int x, int y) { return x == 0 && y == 0; };
    return desc;
}

std::string ErrorOf(const Bytes& file) {
    try {
        ReadCursorFile(file);
    } catch (const ECursorError& error) {
        return error.what();
    }
    return "";
}

TEST(CursorFile, ReadsA32BitCursorWithItsAlphaAndHotspot) {
    tests::DibDesc desc;
    desc.width = 3;
    desc.height = 2;
    desc.pixel = [](int x, int y) { return y == 0 ? 0x80102030u + x : 0xff405060u; };
    desc.masked = [](int, int) { return true; };  // ignored: the alpha channel rules
    const CursorFile cursor = ReadCursorFile(tests::Cursor(desc, 2, 1));
    ASSERT_EQ(cursor.frames.size(), 1u);
    EXPECT_FALSE(cursor.Animated());
    EXPECT_EQ(cursor.sequence, std::vector<std::uint32_t>{0});
    const CursorImage& image = cursor.frames[0];
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.hotspotX, 2);
    EXPECT_EQ(image.hotspotY, 1);
    EXPECT_EQ(RgbaAt(image, 0, 0), 0x10203080u) << "top row first";
    EXPECT_EQ(RgbaAt(image, 2, 0), 0x10203280u);
    EXPECT_EQ(RgbaAt(image, 1, 1), 0x405060ffu);
}

TEST(CursorFile, A32BitPictureWithoutAlphaTakesTransparencyFromTheMask) {
    tests::DibDesc desc;
    desc.pixel = [](int, int) { return 0x00000000u; };
    desc.masked = [](int x, int) { return x >= 2; };
    const CursorImage image = ReadCursorFile(tests::Cursor(desc)).frames[0];
    EXPECT_EQ(RgbaAt(image, 1, 0), 0x000000ffu);
    EXPECT_EQ(RgbaAt(image, 2, 0), 0x00000000u);
}

TEST(CursorFile, PalettePicturesOfEveryDepthUseTheirMask) {
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const CursorImage image = ReadCursorFile(tests::Cursor(PaletteDib(bits))).frames[0];
        EXPECT_EQ(RgbaAt(image, 1, 0), 0xff0000ffu);
        EXPECT_EQ(RgbaAt(image, 5, 3), 0x0000ffffu);
        // A masked pixel over a colour would invert the screen: shown black, not transparent.
        EXPECT_EQ(RgbaAt(image, 0, 0), 0x000000ffu);
    }
    tests::DibDesc desc = PaletteDib(8);
    desc.pixel = [](int, int) { return 0u; };  // black
    const CursorImage image = ReadCursorFile(tests::Cursor(desc)).frames[0];
    EXPECT_EQ(RgbaAt(image, 0, 0), 0x00000000u) << "masked over black: transparent";
    EXPECT_EQ(RgbaAt(image, 1, 0), 0x000000ffu);
}

TEST(CursorFile, A24BitPictureIsOpaqueOutsideItsMask) {
    tests::DibDesc desc;
    desc.bits = 24;
    desc.width = 5;  // rows padded to four bytes
    desc.pixel = [](int x, int) { return 0x112233u + x; };
    desc.masked = [](int x, int) { return x == 4; };
    const CursorImage image = ReadCursorFile(tests::Cursor(desc)).frames[0];
    EXPECT_EQ(RgbaAt(image, 3, 2), 0x112236ffu);
    EXPECT_EQ(RgbaAt(image, 4, 2), 0x000000ffu);
}

TEST(CursorFile, PicksThePictureNearestTheDefaultSizeAndCentresAnIconsHotspot) {
    tests::DibDesc small;
    small.width = small.height = 16;
    tests::DibDesc right;
    right.width = right.height = 32;
    tests::DibDesc large;
    large.width = large.height = 48;
    const Bytes file = tests::IconFile(1, {{tests::Dib(small), 16, 16}, {tests::Dib(right), 32, 32},
                                           {tests::Dib(large), 48, 48}});
    const CursorImage image = ReadCursorFile(file).frames[0];
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.hotspotX, 16);
    EXPECT_EQ(image.hotspotY, 16);
}

TEST(CursorFile, ReadsTheFramesRatesAndSequenceOfAnAnimatedCursor) {
    tests::DibDesc desc = PaletteDib(8);
    const Bytes first = tests::Cursor(desc, 1, 2);
    desc.pixel = [](int, int) { return 2u; };
    const Bytes second = tests::Cursor(desc, 3, 0);
    tests::AniDesc ani{2, 4, 10, 3, tests::Words({5, 6, 7, 8}), tests::Words({0, 1, 1, 0}), {first, second}};
    const CursorFile cursor = ReadCursorFile(tests::Ani(ani));
    ASSERT_EQ(cursor.frames.size(), 2u);
    EXPECT_TRUE(cursor.Animated());
    EXPECT_EQ(cursor.sequence, (std::vector<std::uint32_t>{0, 1, 1, 0}));
    EXPECT_EQ(cursor.ratesJiffies, (std::vector<std::uint32_t>{5, 6, 7, 8}));
    EXPECT_EQ(cursor.frames[0].hotspotX, 1);
    EXPECT_EQ(cursor.frames[1].hotspotX, 3);
    EXPECT_EQ(RgbaAt(cursor.frames[1], 1, 0), 0x0000ffffu);
}

TEST(CursorFile, WithoutRateOrSequenceEveryFrameShowsOnceAtTheHeadersRate) {
    const Bytes frame = tests::Cursor(PaletteDib(4));
    Bytes file = tests::Ani({3, 3, 12, 1, std::nullopt, std::nullopt, {frame, frame, frame}});
    // Extra chunks of other kinds, also inside the RIFF body, are skipped.
    const Bytes info = tests::Chunk("LIST", {'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 'c', 0});
    file.insert(file.begin() + 12, info.begin(), info.end());
    const std::uint32_t riffSize = static_cast<std::uint32_t>(file.size() - 8);
    for (int i = 0; i < 4; ++i) {
        file[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    }
    const CursorFile cursor = ReadCursorFile(file);
    EXPECT_EQ(cursor.sequence, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(cursor.ratesJiffies, (std::vector<std::uint32_t>{12, 12, 12}));
}

TEST(CursorFile, RefusesFilesWhoseCountsLie) {
    const Bytes frame = tests::Cursor(PaletteDib(8));
    const auto error = [&](tests::AniDesc desc) { return ErrorOf(tests::Ani(desc)); };
    EXPECT_NE(error({3, 3, 10, 1, std::nullopt, std::nullopt, {frame, frame}}).find("holds 2"), std::string::npos);
    EXPECT_NE(error({0xffffffff, 1, 10, 1, std::nullopt, std::nullopt, {frame}}).find("frame count"), std::string::npos);
    EXPECT_NE(error({1, 0xffffffff, 10, 1, std::nullopt, std::nullopt, {frame}}).find("step count"), std::string::npos);
    EXPECT_NE(error({1, 0, 10, 1, std::nullopt, std::nullopt, {frame}}).find("step count"), std::string::npos);
    EXPECT_NE(error({1, 3, 10, 1, tests::Words({1, 2}), tests::Words({0, 0, 0}), {frame}}).find("\"rate\""),
              std::string::npos);
    EXPECT_NE(error({2, 2, 10, 3, std::nullopt, tests::Words({0, 2}), {frame, frame}}).find("frame 2"), std::string::npos);
    EXPECT_NE(error({1, 2, 10, 1, std::nullopt, std::nullopt, {frame}}).find("more steps"), std::string::npos);
    EXPECT_NE(error({1, 1, 10, 0, std::nullopt, std::nullopt, {frame}}).find("bare bitmaps"), std::string::npos);
}

TEST(CursorFile, RefusesChunksAndPicturesThatLie) {
    const Bytes frame = tests::Cursor(PaletteDib(8));
    const Bytes good = tests::Ani({1, 1, 10, 1, std::nullopt, std::nullopt, {frame}});

    Bytes riffTooLong = good;
    riffTooLong[4] += 2;
    EXPECT_NE(ErrorOf(riffTooLong).find("RIFF size"), std::string::npos);

    Bytes chunkTooLong = good;
    chunkTooLong[16] = 0xff;  // "anih" claims more than the RIFF body holds
    EXPECT_NE(ErrorOf(chunkTooLong).find("\"anih\" runs past"), std::string::npos);

    Bytes noHeader = good;
    noHeader[12] = 'x';
    EXPECT_NE(ErrorOf(noHeader).find("\"anih\" header is missing"), std::string::npos);

    Bytes notAcon = good;
    notAcon[8] = 'W';
    EXPECT_NE(ErrorOf(notAcon).find("not an animated cursor"), std::string::npos);

    Bytes badIndex = frame;
    tests::DibDesc desc = PaletteDib(8);
    desc.pixel = [](int, int) { return 7u; };  // the palette has three colours
    EXPECT_NE(ErrorOf(tests::Cursor(desc)).find("past the palette"), std::string::npos);

    Bytes manyEntries = frame;
    manyEntries[4] = 0xff;
    manyEntries[5] = 0xff;
    EXPECT_NE(ErrorOf(manyEntries).find("directory"), std::string::npos);

    Bytes offsetOutside = frame;
    offsetOutside[18] = 0xff;
    offsetOutside[19] = 0xff;
    EXPECT_NE(ErrorOf(offsetOutside).find("outside the file"), std::string::npos);

    tests::DibDesc huge;
    huge.width = 1000;
    huge.height = 1;
    EXPECT_NE(ErrorOf(tests::Cursor(huge)).find("is not a cursor's"), std::string::npos);

    tests::DibDesc noMask = PaletteDib(8);
    noMask.withMask = false;
    EXPECT_NE(ErrorOf(tests::Cursor(noMask)).find("mask is missing"), std::string::npos);

    Bytes png = tests::IconFile(2, {{{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, 32, 32}});
    EXPECT_NE(ErrorOf(png).find("PNG"), std::string::npos);

    EXPECT_NE(ErrorOf({'M', 'Z', 0, 0}).find("not an icon or cursor"), std::string::npos);
}

TEST(CursorFile, A32BitPictureMayLeaveOutItsMask) {
    tests::DibDesc desc;
    desc.withMask = false;
    desc.pixel = [](int, int) { return 0xff00ff00u; };
    EXPECT_EQ(RgbaAt(ReadCursorFile(tests::Cursor(desc)).frames[0], 0, 0), 0x00ff00ffu);
}

TEST(CursorFile, EveryTruncationFailsCleanly) {
    const Bytes frame = tests::Cursor(PaletteDib(4), 1, 1);
    const Bytes file =
        tests::Ani({2, 3, 10, 3, tests::Words({1, 2, 3}), tests::Words({1, 0, 1}), {frame, frame}});
    ASSERT_NO_THROW(ReadCursorFile(file));
    for (std::size_t length = 0; length < file.size() - 1; ++length) {
        const Bytes cut(file.begin(), file.begin() + length);
        EXPECT_THROW(ReadCursorFile(cut), ECursorError) << "length " << length;
    }
    for (std::size_t length = 0; length < frame.size(); ++length) {
        const Bytes cut(frame.begin(), frame.begin() + length);
        EXPECT_THROW(ReadCursorFile(cut), ECursorError) << "length " << length;
    }
}

TEST(CursorFile, CorruptedBytesNeverEscapeAsAnythingButACursorError) {
    const Bytes frame = tests::Cursor(PaletteDib(1), 1, 1);
    const Bytes file = tests::Ani({1, 2, 10, 3, tests::Words({1, 2}), tests::Words({0, 0}), {frame}});
    std::uint32_t seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        Bytes bad = file;
        for (int flips = 0; flips < 3; ++flips) {
            seed = seed * 1664525u + 1013904223u;
            bad[(seed >> 8) % bad.size()] = static_cast<std::uint8_t>(seed >> 24);
        }
        try {
            ReadCursorFile(bad);
        } catch (const ECursorError&) {
        }
    }
}

TEST(CursorFile, ReportsAFileThatCannotBeRead) {
    EXPECT_THROW(LoadCursorFile("no/such/cursor.ani"), ECursorError);
}

}  // namespace
}  // namespace engine
