#pragma once

#include <filesystem>

namespace editor {

// Whether the folder holds the editor's catalogues: a "System" folder, in any case.
bool HasSystemFolder(const std::filesystem::path& folder);

// The folder the editor reads its catalogues and packages from: the current folder, unless it has
// no "System" folder and the program's data folder has one (beside the program, or
// ../share/atlas/ when installed).
std::filesystem::path ChooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& programFolder);

}  // namespace editor
