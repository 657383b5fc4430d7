#include "engine/effects/typed_value_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace engine {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

TEST(TypedValueStream, ValuesRoundTripWithTheirTags) {
    TTypedValueWriter w;
    const std::int32_t integers[] = {
        0, -128, 127, 128, -129, 32767, -32768, 40000, std::numeric_limits<std::int32_t>::min()};
    for (std::int32_t i : integers) {
        w.WriteInteger(i);
    }
    const double floats[] = {0.0, -0.0, 1.0, -2.5, 0.1, 1e-310, 1e300, 3.141592653589793};
    for (double f : floats) {
        w.WriteFloat(f);
    }
    w.WriteString("");
    w.WriteString("GLPerlinPFXManager1");
    w.WriteString(std::string(300, 'x'));
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    const float vector[4] = {2.5f, 0.0f, -3.5f, 1.0f};
    w.WriteRawVector(vector);

    TTypedValueReader r(w.Data());
    for (std::int32_t i : integers) {
        EXPECT_EQ(r.ReadInteger(), i);
    }
    for (double f : floats) {
        const double back = r.ReadFloat();
        EXPECT_EQ(back, f);
        EXPECT_EQ(std::signbit(back), std::signbit(f));
    }
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.ReadString(), "GLPerlinPFXManager1");
    EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    float back[4];
    r.ReadRawVector(back);
    EXPECT_EQ(back[0], 2.5f);
    EXPECT_EQ(back[2], -3.5f);
    EXPECT_EQ(back[3], 1.0f);
    EXPECT_TRUE(r.AtEnd());
}

TEST(TypedValueStream, IntegersTakeTheSmallestTagAndFloatsAreExtended) {
    TTypedValueWriter w;
    w.WriteInteger(6);
    w.WriteInteger(300);
    w.WriteInteger(70000);
    w.WriteFloat(1.0);
    EXPECT_EQ(w.Data(), Bytes({2, 6, 3, 0x2C, 0x01, 4, 0x70, 0x11, 0x01, 0x00,
                               // 1.0 as extended: mantissa 0x8000000000000000, exponent 0x3FFF
                               5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
}

TEST(TypedValueStream, AFloatFieldAcceptsAStoredInteger) {
    TTypedValueWriter w;
    w.WriteInteger(-7);
    TTypedValueReader r(w.Data());
    EXPECT_EQ(r.ReadFloat(), -7.0);
}

TEST(TypedValueStream, WrongTagsAreRefusedWithTheirNames) {
    TTypedValueWriter w;
    w.WriteString("name");
    TTypedValueReader r(w.Data());
    try {
        r.ReadInteger();
        FAIL() << "a string was read as an integer";
    } catch (const ETypedValueStreamError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream format: expected integer, found string (tag 6)");
    }
    EXPECT_THROW(TTypedValueReader(Bytes({2, 1})).ReadBoolean(), ETypedValueStreamError);
    EXPECT_THROW(TTypedValueReader(Bytes({9})).ReadString(), ETypedValueStreamError);
    EXPECT_THROW(TTypedValueReader(Bytes({0x77, 0})).ReadFloat(), ETypedValueStreamError);
}

TEST(TypedValueStream, TruncatedValuesNeverReadPastTheData) {
    TTypedValueWriter w;
    w.WriteInteger(70000);
    w.WriteFloat(2.0);
    w.WriteString("abc");
    w.WriteString(std::string(400, 'y'));
    const std::vector<std::uint8_t>& full = w.Data();
    // Every prefix shorter than the whole must fail cleanly on one of the four reads.
    for (std::size_t length = 0; length < full.size(); ++length) {
        const std::vector<std::uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        TTypedValueReader r(prefix);
        EXPECT_THROW(
            {
                r.ReadInteger();
                r.ReadFloat();
                r.ReadString();
                r.ReadString();
            },
            ETypedValueStreamError)
            << "prefix of " << length << " bytes";
    }
}

TEST(TypedValueStream, AStringLengthBeyondTheDataIsRefused) {
    EXPECT_THROW(TTypedValueReader(Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})).ReadString(), ETypedValueStreamError);
    EXPECT_THROW(TTypedValueReader(Bytes({6, 5, 'a', 'b'})).ReadString(), ETypedValueStreamError);
}

TEST(TypedValueStream, NonFiniteExtendedFloatsAreRefused) {
    const auto infinity = Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F});
    EXPECT_THROW(TTypedValueReader(infinity).ReadFloat(), ETypedValueStreamError);
    // 2^16000 fits an extended float but no double.
    const auto huge = Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x7E});
    EXPECT_THROW(TTypedValueReader(huge).ReadFloat(), ETypedValueStreamError);
}

// Found by fuzzing: 1e300 read into a float field became infinity, which the next save wrote as a
// value no reader accepts, so a scene read and saved again could not be read any more.
TEST(TypedValueStream, AFloat32FieldRefusesAValueOnlyADoubleHolds) {
    TTypedValueWriter w;
    w.WriteFloat(1e300);
    w.WriteFloat(-1e39);
    w.WriteFloat(3.0e38);
    TTypedValueReader r(w.Data());
    EXPECT_THROW(r.ReadFloat32(), ETypedValueStreamError);
    EXPECT_THROW(r.ReadFloat32(), ETypedValueStreamError);
    EXPECT_EQ(r.ReadFloat32(), 3.0e38f);
}

TEST(TypedValueStream, CountsThatCannotBeTrueAreRefused) {
    TTypedValueWriter w;
    w.WriteInteger(3);
    w.WriteBoolean(true);
    w.WriteBoolean(true);
    w.WriteBoolean(true);
    EXPECT_EQ(TTypedValueReader(w.Data()).ReadCount(), 3);
    EXPECT_THROW(TTypedValueReader(Bytes({2, 0xFF})).ReadCount(), ETypedValueStreamError);
    EXPECT_THROW(TTypedValueReader(Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F, 9})).ReadCount(), ETypedValueStreamError);
}

TEST(TypedValueStream, VersionsAboveTheHighestKnownAreRefused) {
    EXPECT_EQ(TTypedValueReader(Bytes({2, 6})).ReadVersion("source effect", 6), 6);
    try {
        TTypedValueReader(Bytes({2, 7})).ReadVersion("source effect", 6);
        FAIL() << "version 7 accepted";
    } catch (const ETypedValueStreamError& e) {
        EXPECT_STREQ(e.what(), "Unknown source effect format version 7 (this program reads up to 6)");
    }
    EXPECT_THROW(TTypedValueReader(Bytes({2, 0xFF})).ReadVersion("item", 6), ETypedValueStreamError);
}

TEST(TypedValueStream, ClassesAreNamedOnceThenIndexed) {
    TTypedValueWriter w;
    TClassNameWriter classes;
    classes.WriteClass(w, "TGLSourcePFXEffect");
    classes.WriteClass(w, "TOther");
    classes.WriteClass(w, "TGLSourcePFXEffect");
    classes.WriteClass(w, "TOther");
    TTypedValueReader r(w.Data());
    EXPECT_EQ(r.ReadString(), "TGLSourcePFXEffect");
    EXPECT_EQ(r.ReadString(), "TOther");
    EXPECT_EQ(r.ReadInteger(), 0);
    EXPECT_EQ(r.ReadInteger(), 1);

    TTypedValueReader again(w.Data());
    TClassNameReader names;
    EXPECT_EQ(names.ReadClass(again), "TGLSourcePFXEffect");
    EXPECT_EQ(names.ReadClass(again), "TOther");
    EXPECT_EQ(names.ReadClass(again), "TGLSourcePFXEffect");
    EXPECT_EQ(names.ReadClass(again), "TOther");
}

TEST(TypedValueStream, AClassIndexNotYetNamedIsRefused) {
    TTypedValueWriter w;
    w.WriteString("TA");
    w.WriteInteger(1);
    TTypedValueReader r(w.Data());
    TClassNameReader names;
    EXPECT_EQ(names.ReadClass(r), "TA");
    EXPECT_THROW(names.ReadClass(r), ETypedValueStreamError);
    const auto indexFirst = Bytes({2, 0});
    TTypedValueReader fresh(indexFirst);
    EXPECT_THROW(TClassNameReader().ReadClass(fresh), ETypedValueStreamError);
}

TEST(TypedValueStream, ItemHeadersCarryVersionZeroAndTheName) {
    TTypedValueWriter w;
    WriteItemHeader(w, "Animation");
    EXPECT_EQ(w.Data(), Bytes({2, 0, 6, 9, 'A', 'n', 'i', 'm', 'a', 't', 'i', 'o', 'n'}));
    TTypedValueReader r(w.Data());
    EXPECT_EQ(ReadItemHeader(r), "Animation");
    const auto versionOne = Bytes({2, 1, 6, 0});
    TTypedValueReader newer(versionOne);
    EXPECT_THROW(ReadItemHeader(newer), ETypedValueStreamError);
}

}  // namespace
}  // namespace engine
