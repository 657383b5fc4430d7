#pragma once

#include <filesystem>

namespace fuzz {

// Models name their texture files; the targets run in an empty folder of their own, so that a
// name made up by the fuzzer finds nothing instead of whatever lies in the folder they started in.
inline void EnterEmptyFolder() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "fuzz-empty-folder";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
}

}  // namespace fuzz
