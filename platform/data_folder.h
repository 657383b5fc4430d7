#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The folder a program reads its data from: its own folder when the data lies beside it, as in
// the build tree, else <its folder>/../share/<program>/, as installed. The data is recognised by
// `marker`, an entry it always holds ("models", "System"; the case of its letters does not
// matter). When neither folder holds it the program's own folder is the answer, so that what fails
// to load is reported where the data is looked for first.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder, std::string_view program,
                                     std::string_view marker);

}  // namespace platform
