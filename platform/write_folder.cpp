#include "platform/write_folder.h"

#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace platform {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    return !folder.empty() && std::filesystem::is_directory(folder, ignored) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::filesystem::path UserDataHome(const TUserFolders& user) {
    const std::filesystem::path dataHome = user.DataHome;
    if (dataHome.is_absolute()) {
        return dataHome;
    }
    if (user.Home.empty()) {
        throw FileError("Cannot find a folder to write to: neither XDG_DATA_HOME nor a home folder is known");
    }
    return std::filesystem::path(user.Home) / ".local" / "share";
}

TUserFolders CurrentUserFolders() {
    TUserFolders user{Variable("XDG_DATA_HOME"), Variable("HOME")};
    if (user.Home.empty()) {
        if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr) {
            user.Home = account->pw_dir;
        }
    }
    return user;
}

std::filesystem::path ChooseWriteFolder(const std::filesystem::path& current, std::string_view program,
                                        const TUserFolders& user) {
    if (IsWritableFolder(current)) {
        return current;
    }
    const std::filesystem::path folder = UserDataHome(user) / program;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw FileError("Cannot create \"" + folder.string() + "\": " + error.message());
    }
    return folder;
}

}  // namespace platform
