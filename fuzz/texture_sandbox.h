#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

// Models name their texture files; the targets run in an empty folder of their own, so that a
// name made up by the fuzzer finds nothing instead of whatever lies in the folder they started in.
inline void EnterEmptyFolder() {
    std::string folder = (std::filesystem::temp_directory_path() / "fuzz-textures-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::abort();
    }
    std::filesystem::current_path(folder);
}

}  // namespace fuzz
