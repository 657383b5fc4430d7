#pragma once

#include "editor/data/map_records.h"

#include <string>
#include <string_view>

namespace editor {

// A special object's text as a map file keeps it: Windows-1251, one byte a character, at most 20
// characters, as the packages keep their names; and whether storing the text lost some of it.
struct TStoredParam {
    TShortString<20> Param;
    // Characters after the 20th were dropped.
    bool Cut = false;
    // Characters the code page lacks became '?'.
    bool Replaced = false;
};

// The stored form of a text typed in the editor (UTF-8).
TStoredParam StoreSpecialParam(std::string_view utf8);

// The stored text as UTF-8.
std::string SpecialParamText(const TShortString<20>& param);

}  // namespace editor
