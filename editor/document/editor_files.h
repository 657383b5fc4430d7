#pragma once

#include <filesystem>

namespace editor {

// The folder the editor writes its own files to: the autosave, its lock and its backups. It is the
// current folder, which start-up moves to a writable one (the user's data folder when the folder the
// editor was started from is read-only); every own file is named from here.
std::filesystem::path EditorFilesFolder();

}  // namespace editor
