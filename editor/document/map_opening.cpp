#include "editor/document/map_opening.h"

#include "editor/document/editor_texts.h"
#include "platform/paths.h"

#include <filesystem>

namespace editor {
namespace {

// A file that fails the version check: another version of our map ("v2_47"), or no map at all.
std::string VersionRefusal(std::span<const std::uint8_t> bytes) {
    TShortString<5> version;
    version.Length = bytes[20];
    std::copy(bytes.begin() + 21, bytes.begin() + 26, version.Chars.begin());
    const std::string text = version.Text();
    if (text.size() == 5 && text[0] == 'v' && text[2] == '_') {
        return texts::kOpenWrongVersion + text + "\"";
    }
    return texts::kOpenNotAMap;
}

}  // namespace

TMapData ReadMapFile(const std::string& path) {
    if (!platform::ExactFileExists(path)) {
        std::error_code ignored;
        const bool folder = std::filesystem::is_directory(path, ignored);
        throw MapOpenError(folder ? texts::kOpenFolder : texts::kOpenMissing);
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = platform::ReadExactFile(path);
    } catch (const platform::FileError& error) {
        throw MapOpenError(texts::kOpenUnreadable + std::string(error.what()));
    }
    if (bytes.size() < map_layout::kHeaderSize) {
        throw MapOpenError(texts::kOpenNotAMap);
    }
    std::optional<TMapData> map;
    try {
        map = DecodeMap(bytes);
    } catch (const MapFileError& error) {
        throw MapOpenError(texts::kOpenDamaged + std::string(error.what()));
    }
    if (!map) {
        throw MapOpenError(VersionRefusal(bytes));
    }
    return std::move(*map);
}

std::string OpenFailureMessage(const std::string& fileName, const std::string& reason) {
    return texts::kOpenFailed + fileName + "\":\n" + reason;
}

}  // namespace editor
