#include "platform/binary_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace platform {
namespace {

const std::vector<std::uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 'a', 'b', 0, 'c', 0xff, 0xff};

TEST(BinaryReader, ReadsLittleEndianValues) {
    BinaryReader reader(kBytes);
    EXPECT_EQ(reader.U16(), 0x0201);
    reader.Seek(0);
    EXPECT_EQ(reader.U32(), 0x04030201u);
    reader.Seek(8);
    EXPECT_EQ(reader.I16(), -1);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(BinaryReader, RefusesEveryReadPastTheEnd) {
    BinaryReader reader(kBytes);
    reader.Seek(7);
    EXPECT_THROW(reader.U32(), ReadError);
    EXPECT_EQ(reader.Position(), 7u) << "a failed read consumes nothing";
    EXPECT_THROW(reader.Skip(4), ReadError);
    EXPECT_THROW(reader.Bytes(4), ReadError);
    EXPECT_THROW(reader.Seek(11), ReadError);
    EXPECT_NO_THROW(reader.Seek(10));
    EXPECT_THROW(reader.U8(), ReadError);
}

TEST(BinaryReader, SubRangesCheckStartAndEndWithoutOverflow) {
    BinaryReader reader(kBytes);
    EXPECT_THROW(reader.SubReader(11, 0), ReadError);
    EXPECT_THROW(reader.SubReader(8, 3), ReadError);
    EXPECT_THROW(reader.SubReader(2, std::numeric_limits<std::size_t>::max()), ReadError);
    BinaryReader sub = reader.SubReader(4, 3);
    EXPECT_EQ(sub.Size(), 3u);
    EXPECT_EQ(sub.CString(10), "ab");
    EXPECT_THROW(sub.U8(), ReadError);
}

TEST(BinaryReader, TextFields) {
    BinaryReader reader(kBytes);
    reader.Seek(4);
    EXPECT_EQ(reader.FixedString(4), "ab");
    EXPECT_EQ(reader.Position(), 8u);
    reader.Seek(4);
    EXPECT_THROW(reader.CString(1), ReadError) << "no NUL within the limit";
    reader.Seek(7);
    EXPECT_THROW(reader.CString(100), ReadError) << "no NUL before the end";
}

}  // namespace
}  // namespace platform
