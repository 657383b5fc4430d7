#include "editor/data/special_param.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

TEST(SpecialParamTest, StoredInWindows1251TwentyCharactersAtMost) {
    const struct {
        const char* typed;
        const char* stored;  // the file's bytes
        const char* readBack;
        bool cut;
        bool replaced;
    } cases[] = {
        {"12|3|Script1", "12|3|Script1", "12|3|Script1", false, false},
        {"абвгдеёжзийклмн", "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED", "абвгдеёжзийклмн", false,
         false},
        {"12|3|abcdefghijklmnopqrst", "12|3|abcdefghijklmno", "12|3|abcdefghijklmno", true, false},
        {"Ровно двадцать знаков", "\xD0\xEE\xE2\xED\xEE \xE4\xE2\xE0\xE4\xF6\xE0\xF2\xFC \xE7\xED\xE0\xEA\xEE",
         "Ровно двадцать знако", true, false},
        {"№5 €", "\xB9" "5 \x88", "№5 €", false, false},
        {"flag 😀 日", "flag ? ?", "flag ? ?", false, true},
        {"", "", "", false, false},
    };
    for (const auto& c : cases) {
        const TStoredParam stored = StoreSpecialParam(c.typed);
        EXPECT_EQ(stored.Param.Text(), c.stored) << c.typed;
        EXPECT_EQ(SpecialParamText(stored.Param), c.readBack) << c.typed;
        EXPECT_EQ(stored.Cut, c.cut) << c.typed;
        EXPECT_EQ(stored.Replaced, c.replaced) << c.typed;
        for (std::size_t i = stored.Param.Length; i < stored.Param.Chars.size(); ++i) {
            EXPECT_EQ(stored.Param.Chars[i], 0) << c.typed << ": zeros after the text";
        }
    }
}

}  // namespace
}  // namespace editor
