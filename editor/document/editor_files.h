#pragma once

#include <filesystem>

namespace editor {

// The folder the editor writes its own files to: the autosave, its lock and its backups. It is the
// current folder; every own file is named from here, so this is the one place to move them.
std::filesystem::path EditorFilesFolder();

}  // namespace editor
