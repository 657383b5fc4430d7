#include "tools/writers/cursor_writer.h"

#include "engine/platform/cursor_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tools {
namespace {

// A frame whose colours depend on the frame number, with a transparent diagonal band.
CursorPicture Frame(int number, std::int32_t side = 32, std::int32_t hotspotX = 3, std::int32_t hotspotY = 5) {
    CursorPicture cursor{{side, side, {}}, hotspotX, hotspotY};
    for (std::int32_t y = 0; y < side; ++y) {
        for (std::int32_t x = 0; x < side; ++x) {
            const bool opaque = (x + y) % 5 != 0;
            cursor.Picture.Pixels.insert(cursor.Picture.Pixels.end(),
                                         {static_cast<std::uint8_t>(opaque ? x * 8 : 0),
                                          static_cast<std::uint8_t>(opaque ? y * 8 : 0),
                                          static_cast<std::uint8_t>(opaque ? number * 60 + 10 : 0),
                                          static_cast<std::uint8_t>(opaque ? 255 : 0)});
        }
    }
    return cursor;
}

void ExpectSamePicture(const CursorPicture& expected, const engine::CursorImage& decoded) {
    EXPECT_EQ(decoded.width, expected.Picture.Width);
    EXPECT_EQ(decoded.height, expected.Picture.Height);
    EXPECT_EQ(decoded.hotspotX, expected.HotspotX);
    EXPECT_EQ(decoded.hotspotY, expected.HotspotY);
    EXPECT_EQ(decoded.rgba, expected.Picture.Pixels);
}

TEST(CursorWriter, AnimatedCursorReadsBackWithFramesSequenceAndRates) {
    AnimatedCursor cursor{{Frame(0), Frame(1), Frame(2)}, {0, 1, 2, 1, 0}, {5, 6, 7, 8, 9}};
    const engine::CursorFile file = engine::ReadCursorFile(EncodeAni(cursor));
    ASSERT_EQ(file.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectSamePicture(cursor.Frames[i], file.frames[i]);
    }
    EXPECT_EQ(file.sequence, cursor.Sequence);
    EXPECT_EQ(file.ratesJiffies, cursor.RatesJiffies);
    EXPECT_TRUE(file.Animated());
}

TEST(CursorWriter, FramesShownInOrderNeedNoSequence) {
    using Steps = std::vector<std::uint32_t>;
    for (const Steps& sequence : {Steps{}, Steps{0, 1}}) {
        AnimatedCursor cursor{{Frame(0), Frame(1)}, sequence, {4, 4}};
        const std::vector<std::uint8_t> bytes = EncodeAni(cursor);
        EXPECT_EQ(std::search(bytes.begin(), bytes.end(), std::begin("seq "), std::begin("seq ") + 4), bytes.end());
        const engine::CursorFile file = engine::ReadCursorFile(bytes);
        EXPECT_EQ(file.sequence, (std::vector<std::uint32_t>{0, 1}));
        EXPECT_EQ(file.ratesJiffies, (std::vector<std::uint32_t>{4, 4}));
    }
}

TEST(CursorWriter, SingleCursorFileCarriesItsHotspotAndSize) {
    for (const std::int32_t side : {1, 17, 32, 48}) {
        SCOPED_TRACE(side);
        const CursorPicture cursor = Frame(1, side, side - 1, side / 2);
        ExpectSamePicture(cursor, engine::ReadIconFile(EncodeCur(cursor)));
    }
}

// The AND mask alone must say the same as the alpha: with the alpha bytes cleared, the reader
// falls back to the mask.
TEST(CursorWriter, AndMaskMarksExactlyTheTransparentPixels) {
    const CursorPicture cursor = Frame(2);
    std::vector<std::uint8_t> bytes = EncodeCur(cursor);
    constexpr std::size_t kPixels = 6 + 16 + 40;
    for (std::size_t i = 0; i < 32 * 32; ++i) {
        bytes[kPixels + i * 4 + 3] = 0;
    }
    const engine::CursorImage decoded = engine::ReadIconFile(bytes);
    for (std::size_t i = 0; i < 32 * 32; ++i) {
        ASSERT_EQ(decoded.rgba[i * 4 + 3], cursor.Picture.Pixels[i * 4 + 3]) << i;
    }
}

TEST(CursorWriter, RefusesCursorsItCannotStore) {
    EXPECT_THROW(EncodeCur(Frame(0, 32, 32, 0)), std::invalid_argument);
    EXPECT_THROW(EncodeCur(Frame(0, 32, 0, -1)), std::invalid_argument);
    EXPECT_THROW(EncodeCur(CursorPicture{}), std::invalid_argument);
    EXPECT_THROW(EncodeAni(AnimatedCursor{}), std::invalid_argument);
    EXPECT_THROW(EncodeAni(AnimatedCursor{{Frame(0)}, {0, 1}, {5, 5}}), std::invalid_argument);
    EXPECT_THROW(EncodeAni(AnimatedCursor{{Frame(0), Frame(1)}, {}, {5}}), std::invalid_argument);
}

}  // namespace
}  // namespace tools
