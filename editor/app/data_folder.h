#pragma once

#include <filesystem>

namespace editor {

// The folder the editor reads its catalogues and packages from and writes "Temp.map" to: the
// current folder, unless it has no "System" folder and the program's own folder has one.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& programFolder);

}  // namespace editor
