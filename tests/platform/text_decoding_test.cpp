#include "platform/text_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

TEST(TextDecoding, RecognisesWellFormedUtf8Only) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xD0\xA2\xD1\x80\xD0\xB0\xD0\xB2\xD0\xB0"));  // Трава
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));                          // U+1F600
    EXPECT_FALSE(IsValidUtf8("\xD2\xF0\xE0\xE2\xE0"));                     // Трава in Windows-1251
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF")) << "overlong";
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")) << "surrogate";
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")) << "past U+10FFFF";
    EXPECT_FALSE(IsValidUtf8("\xD0")) << "cut short";
    EXPECT_FALSE(IsValidUtf8("\x80"));
}

TEST(TextDecoding, Windows1251CoversTheWholeHighHalf) {
    EXPECT_EQ(DecodeWindows1251("\xD2\xF0\xE0\xE2\xE0 1"), "\xD0\xA2\xD1\x80\xD0\xB0\xD0\xB2\xD0\xB0 1");
    EXPECT_EQ(DecodeWindows1251("\xC0\xFF"), "\xD0\x90\xD1\x8F");              // А я
    EXPECT_EQ(DecodeWindows1251("\xA8\xB8"), "\xD0\x81\xD1\x91");              // Ё ё
    EXPECT_EQ(DecodeWindows1251("\x88\xB9"), "\xE2\x82\xAC\xE2\x84\x96");      // € №
    EXPECT_EQ(DecodeWindows1251("\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeWindows1251("\xA0"), "\xC2\xA0");
}

TEST(TextDecoding, Windows1251EncodingInvertsTheDecoding) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        everyByte += static_cast<char>(byte);
    }
    EXPECT_EQ(EncodeWindows1251(DecodeWindows1251(everyByte)), everyByte);
    EXPECT_EQ(EncodeWindows1251("\xEF\xBF\xBD"), "\x98");
    EXPECT_EQ(EncodeWindows1251("\xF0\x9F\x98\x80"), std::nullopt) << "no such character in the code page";
    EXPECT_EQ(EncodeWindows1251("\xD2\xF0"), std::nullopt) << "not UTF-8";
}

TEST(TextDecoding, LossyEncodingReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(EncodeWindows1251Replacing("\xD0\xA2\xD1\x80 \xE2\x84\x96"), "\xD2\xF0 \xB9");  // Тр №
    EXPECT_EQ(EncodeWindows1251Replacing("a\xF0\x9F\x98\x80" "b\xE6\x97\xA5"), "a?b?") << "one '?' a character";
    EXPECT_EQ(EncodeWindows1251Replacing("x\xD2\xF0y"), "x??y") << "one '?' a byte that is no UTF-8";
}

TEST(TextDecoding, EachLineIsDecodedOnItsOwn) {
    const std::string text = "\xEF\xBB\xBFgrass\r\n\xD2\xF0\xE0\xE2\xE0\n\xD0\xA2\r\rlast";
    EXPECT_EQ(DecodeCatalogueText(text),
              (std::vector<std::string>{"grass", "\xD0\xA2\xD1\x80\xD0\xB0\xD0\xB2\xD0\xB0", "\xD0\xA2", "", "last"}));
}

TEST(TextDecoding, LinesSplitAtCrLfOrCrLfAndKeepTheirSpaces) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(" a \n\n"), (std::vector<std::string_view>{" a ", ""}));
    EXPECT_EQ(SplitLines("a\n\r"), (std::vector<std::string_view>{"a", ""})) << "LF CR is two breaks";
    EXPECT_EQ(SplitLines("a\r"), (std::vector<std::string_view>{"a"}));
    EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace platform
