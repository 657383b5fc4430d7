#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The variables of the XDG base folders that decide where a program's own files go.
struct TUserFolders {
    std::string DataHome;  // $XDG_DATA_HOME
    std::string Home;      // $HOME, else the home of the user's account
};

// The running user's folders from the environment.
TUserFolders CurrentUserFolders();

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; throws FileError when neither is
// known.
std::filesystem::path UserDataHome(const TUserFolders& user);

// The folder a program writes its own files to (the editor's autosave, for one): `current` when the
// program may write there, else $XDG_DATA_HOME/<program>/, else ~/.local/share/<program>/, created
// when missing. An installed data folder is read-only, and a program started from the desktop may
// find itself anywhere. A relative or empty $XDG_DATA_HOME is ignored, as the XDG rules ask.
// Throws FileError when the folder cannot be made.
std::filesystem::path ChooseWriteFolder(const std::filesystem::path& current, std::string_view program,
                                        const TUserFolders& user);

}  // namespace platform
