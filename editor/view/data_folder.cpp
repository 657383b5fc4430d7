#include "editor/view/data_folder.h"

#include "platform/data_folder.h"
#include "platform/paths.h"

#include <system_error>

namespace editor {
namespace {

constexpr char kSystemFolder[] = "System";

}  // namespace

bool HasSystemFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    // The data names the folder "System"; a case-insensitive match counts as well.
    const std::filesystem::path resolved = platform::ResolvePath((folder / kSystemFolder).string());
    return std::filesystem::is_directory(resolved, ignored);
}

std::filesystem::path ChooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& programFolder) {
    if (HasSystemFolder(current) || programFolder.empty()) {
        return current;
    }
    const std::filesystem::path programData = platform::FindDataFolder(programFolder, "atlas", kSystemFolder);
    return HasSystemFolder(programData) ? programData : current;
}

}  // namespace editor
