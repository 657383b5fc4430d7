#include "engine/effects/animated_sprite.h"
#include "engine/effects/sprite_animation_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace engine {
namespace {

void Fill(TSpriteAnimation& animation, const std::string& name, int base) {
    animation.SetName(name);
    animation.SetLibMaterialName("boom" + name);
    animation.SetCurrentFrame(base + 1);
    animation.SetStartFrame(base);
    animation.SetEndFrame(base + 64);
    animation.SetFrameWidth(128);
    animation.SetFrameHeight(96);
    animation.SetInterval(33 + base);
    animation.SetMargins(TSpriteAnimMargins{1, 2, 3, base});
}

void ExpectSame(const TSpriteAnimation& a, const TSpriteAnimation& b) {
    EXPECT_EQ(a.Name(), b.Name());
    EXPECT_EQ(a.LibMaterialName(), b.LibMaterialName());
    EXPECT_EQ(a.CurrentFrame(), b.CurrentFrame());
    EXPECT_EQ(a.StartFrame(), b.StartFrame());
    EXPECT_EQ(a.EndFrame(), b.EndFrame());
    EXPECT_EQ(a.FrameWidth(), b.FrameWidth());
    EXPECT_EQ(a.FrameHeight(), b.FrameHeight());
    EXPECT_EQ(a.Dimensions(), b.Dimensions());
    EXPECT_EQ(a.Interval(), b.Interval());
    EXPECT_EQ(a.Margins(), b.Margins());
    ASSERT_EQ(a.Frames().Count(), b.Frames().Count());
    for (int i = 0; i < a.Frames().Count(); ++i) {
        const TSpriteAnimFrame& fa = a.Frames().Items(i);
        const TSpriteAnimFrame& fb = b.Frames().Items(i);
        EXPECT_EQ(fa.Name(), fb.Name());
        EXPECT_EQ(fa.OffsetX(), fb.OffsetX());
        EXPECT_EQ(fa.OffsetY(), fb.OffsetY());
        EXPECT_EQ(fa.Width(), fb.Width());
        EXPECT_EQ(fa.Height(), fb.Height());
    }
}

// A stored list of one animation of the given format version with the fields that version has.
std::vector<std::uint8_t> OneAnimation(std::int32_t version) {
    TTypedValueWriter writer;
    writer.WriteInteger(1);
    writer.WriteString("TSpriteAnimation");
    WriteItemHeader(writer, "old");
    writer.WriteInteger(version);
    writer.WriteInteger(0);  // no frames
    writer.WriteString("boom");
    for (int field : {3, 0, 64, 128, 128, 0}) {
        writer.WriteInteger(field);
    }
    if (version >= 1) {
        writer.WriteInteger(33);
    }
    if (version >= 2) {
        for (int margin : {5, 6, 7, 8}) {
            writer.WriteInteger(margin);
        }
    }
    return writer.Data();
}

class SpriteAnimationsStream : public ::testing::Test {
protected:
    SpriteAnimationsStream() {
        Fill(source.Animations().Add(), "first", 0);
        TSpriteAnimation& manual = source.Animations().Add();
        Fill(manual, "second", 7);
        manual.SetDimensions(sfdManual);
        for (int i = 0; i < 3; ++i) {
            TSpriteAnimFrame& frame = manual.Frames().Add();
            frame.SetName("f" + std::to_string(i));
            frame.SetOffsetX(10 * i);
            frame.SetOffsetY(-i);
            frame.SetWidth(100000 + i);
            frame.SetHeight(i);
        }
        Fill(target.Animations().Add(), "kept", 3);
    }

    TGLAnimatedSprite source;
    TGLAnimatedSprite target;
};

TEST_F(SpriteAnimationsStream, RoundTripsEveryField) {
    const std::vector<std::uint8_t> data = WriteSpriteAnimations(source.Animations());
    ReadSpriteAnimations(target.Animations(), data);
    ASSERT_EQ(target.Animations().Count(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ExpectSame(target.Animations().Items(i), source.Animations().Items(i));
    }
    EXPECT_EQ(WriteSpriteAnimations(target.Animations()), data);
}

TEST_F(SpriteAnimationsStream, NamesEachClassOnceThenByIndex) {
    const std::vector<std::uint8_t> data = WriteSpriteAnimations(source.Animations());
    TTypedValueReader reader(data);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadString(), "TSpriteAnimation");
    EXPECT_EQ(ReadItemHeader(reader), "first");
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 0);  // no frames
    EXPECT_EQ(reader.ReadString(), "boomfirst");
    for (int i = 0; i < 11; ++i) {
        reader.ReadInteger();
    }
    EXPECT_EQ(reader.ReadInteger(), 0);  // the second animation's class, by index
    EXPECT_EQ(ReadItemHeader(reader), "second");
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 3);
    EXPECT_EQ(reader.ReadString(), "TSpriteAnimFrame");
    EXPECT_EQ(ReadItemHeader(reader), "f0");
    EXPECT_EQ(reader.ReadInteger(), 0);  // frame format version
}

TEST_F(SpriteAnimationsStream, OlderVersionsLackIntervalAndMargins) {
    ReadSpriteAnimations(target.Animations(), OneAnimation(0));
    const TSpriteAnimation& v0 = target.Animations().Items(0);
    EXPECT_EQ(v0.Name(), "old");
    EXPECT_EQ(v0.CurrentFrame(), 3);
    EXPECT_EQ(v0.EndFrame(), 64);
    EXPECT_EQ(v0.Interval(), 0);
    EXPECT_EQ(v0.Margins(), TSpriteAnimMargins{});
    ReadSpriteAnimations(target.Animations(), OneAnimation(1));
    EXPECT_EQ(target.Animations().Items(0).Interval(), 33);
    EXPECT_EQ(target.Animations().Items(0).Margins(), TSpriteAnimMargins{});
    ReadSpriteAnimations(target.Animations(), OneAnimation(2));
    EXPECT_EQ(target.Animations().Items(0).Margins(), (TSpriteAnimMargins{5, 6, 7, 8}));
}

TEST_F(SpriteAnimationsStream, NewerVersionIsRefusedAndTheListKept) {
    EXPECT_THROW(ReadSpriteAnimations(target.Animations(), OneAnimation(3)), ETypedValueStreamError);
    ASSERT_EQ(target.Animations().Count(), 1);
    EXPECT_EQ(target.Animations().Items(0).Name(), "kept");
}

TEST_F(SpriteAnimationsStream, EveryTruncationIsRefusedAndTheListKept) {
    const std::vector<std::uint8_t> data = WriteSpriteAnimations(source.Animations());
    for (std::size_t length = 0; length < data.size(); ++length) {
        SCOPED_TRACE(length);
        const std::span<const std::uint8_t> part(data.data(), length);
        EXPECT_THROW(ReadSpriteAnimations(target.Animations(), part), ETypedValueStreamError);
    }
    ASSERT_EQ(target.Animations().Count(), 1);
    EXPECT_EQ(target.Animations().Items(0).Name(), "kept");
}

TEST_F(SpriteAnimationsStream, ForeignClassesAndDimensionsAreRefused) {
    TTypedValueWriter foreign;
    foreign.WriteInteger(1);
    foreign.WriteString("TGLSourcePFXEffect");
    EXPECT_THROW(ReadSpriteAnimations(target.Animations(), foreign.Data()), ETypedValueStreamError);
    std::vector<std::uint8_t> data = OneAnimation(0);
    // The last value is Dimensions, a small integer: make it 2.
    ASSERT_EQ(data[data.size() - 1], 0);
    data.back() = 2;
    EXPECT_THROW(ReadSpriteAnimations(target.Animations(), data), ETypedValueStreamError);
    EXPECT_EQ(target.Animations().Items(0).Name(), "kept");
}

TEST_F(SpriteAnimationsStream, AnEmptyListReadsAsEmpty) {
    TGLAnimatedSprite empty;
    ReadSpriteAnimations(target.Animations(), WriteSpriteAnimations(empty.Animations()));
    EXPECT_EQ(target.Animations().Count(), 0);
}

}  // namespace
}  // namespace engine
