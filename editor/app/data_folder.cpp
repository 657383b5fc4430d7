#include "editor/app/data_folder.h"

#include "platform/paths.h"

namespace editor {
namespace {

bool HasSystemFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    // The data names the folder "System"; a case-insensitive match counts as well.
    const std::filesystem::path resolved = platform::ResolvePath((folder / "System").string());
    return std::filesystem::is_directory(resolved, ignored);
}

}  // namespace

std::filesystem::path ChooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& programFolder) {
    if (!HasSystemFolder(current) && !programFolder.empty() && HasSystemFolder(programFolder)) {
        return programFolder;
    }
    return current;
}

}  // namespace editor
