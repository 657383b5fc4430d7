#include "platform/data_folder.h"

#include "platform/paths.h"

#include <system_error>

namespace platform {
namespace {

bool Holds(const std::filesystem::path& folder, std::string_view marker) {
    std::error_code ignored;
    return std::filesystem::exists(ResolvePath((folder / marker).string()), ignored);
}

}  // namespace

std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder, std::string_view program,
                                     std::string_view marker) {
    if (Holds(programFolder, marker)) {
        return programFolder;
    }
    const std::filesystem::path installed = (programFolder / ".." / "share" / program).lexically_normal();
    if (Holds(installed, marker)) {
        return installed;
    }
    return programFolder;
}

}  // namespace platform
