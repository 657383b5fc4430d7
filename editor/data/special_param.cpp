#include "editor/data/special_param.h"

#include "platform/text_decoding.h"

namespace editor {

TStoredParam StoreSpecialParam(std::string_view utf8) {
    TStoredParam stored;
    const std::string codePage = platform::EncodeWindows1251Replacing(utf8);
    const std::size_t limit = stored.Param.Chars.size();
    stored.Cut = codePage.size() > limit;
    stored.Replaced = platform::DecodeWindows1251(codePage) != utf8;
    stored.Param.Assign(codePage);
    return stored;
}

std::string SpecialParamText(const TShortString<20>& param) {
    return platform::DecodeWindows1251(param.Text());
}

}  // namespace editor
