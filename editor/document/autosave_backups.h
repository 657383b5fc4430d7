#pragma once

#include <cstddef>
#include <filesystem>

namespace editor {

namespace autosave_files {
// Declined autosaves kept beside the autosave; older ones are removed.
constexpr std::size_t kKeptBackups = 5;
}  // namespace autosave_files

// Moves the autosave aside as its next numbered backup, "Temp.bak1.map", "Temp.bak2.map", ... (the
// highest number is the newest; "Temp-2.map" gives "Temp-2.bak1.map"), never over an existing
// file, and removes all but the newest `kept` backups of that autosave. Names are compared
// exactly: "temp.bak1.map" is another file. Returns the backup; throws
// std::filesystem::filesystem_error when the autosave cannot be moved.
std::filesystem::path KeepAutosaveAside(const std::filesystem::path& autosave, std::size_t kept);

}  // namespace editor
