#include "platform/data_folder.h"
#include "platform/paths.h"
#include "platform/write_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

class DataFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("data_folders_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path m_root;
};

// Each layout is a fresh prefix with the program in bin/ and the folders listed made under it.
TEST_F(DataFoldersTest, DataIsFoundBesideTheProgramElseInTheInstalledShareFolder) {
    const struct {
        const char* layout;
        std::vector<const char*> folders;
        const char* marker;
        const char* expected;  // relative to the prefix
    } cases[] = {
        {"build tree", {"bin/models"}, "models", "bin"},
        {"installed", {"share/skirmish/models"}, "models", "share/skirmish"},
        {"both: the program's own copy wins", {"bin/models", "share/skirmish/models"}, "models", "bin"},
        {"nowhere: the program's folder", {}, "models", "bin"},
        {"another program's share only", {"share/atlas/models"}, "models", "bin"},
        {"a share folder without the marker", {"share/skirmish/textures"}, "models", "bin"},
        {"the marker in other letters", {"share/skirmish/system"}, "System", "share/skirmish"},
    };
    for (const auto& c : cases) {
        const fs::path prefix = m_root / c.layout;
        fs::create_directories(prefix / "bin");
        for (const char* folder : c.folders) {
            fs::create_directories(prefix / folder);
        }
        EXPECT_EQ(FindDataFolder(prefix / "bin", "skirmish", c.marker), prefix / c.expected) << c.layout;
    }
}

TEST_F(DataFoldersTest, OwnFilesGoToTheCurrentFolderElseToTheUsersDataFolder) {
    const fs::path current = m_root / "here";
    const fs::path gone = m_root / "deleted";
    const fs::path file = m_root / "a file";
    const fs::path home = m_root / "home";
    fs::create_directories(current);
    std::ofstream(file) << "not a folder";
    const std::string dataHome = (m_root / "xdg").string();
    const struct {
        const char* situation;
        fs::path current;
        TUserFolders user;
        fs::path expected;
    } cases[] = {
        {"writable current folder", current, {dataHome, home.string()}, current},
        {"current folder gone", gone, {dataHome, home.string()}, m_root / "xdg" / "atlas"},
        {"current is no folder", file, {dataHome, home.string()}, m_root / "xdg" / "atlas"},
        {"no current folder known", {}, {dataHome, home.string()}, m_root / "xdg" / "atlas"},
        {"no XDG_DATA_HOME", gone, {"", home.string()}, home / ".local" / "share" / "atlas"},
        {"a relative XDG_DATA_HOME counts as none", gone, {"xdg", home.string()}, home / ".local" / "share" / "atlas"},
    };
    for (const auto& c : cases) {
        const fs::path chosen = ChooseWriteFolder(c.current, "atlas", c.user);
        EXPECT_EQ(chosen, c.expected) << c.situation;
        EXPECT_TRUE(fs::is_directory(chosen)) << c.situation;
    }
    EXPECT_THROW(ChooseWriteFolder(gone, "atlas", {"", ""}), FileError) << "no home and no XDG_DATA_HOME";
    EXPECT_THROW(ChooseWriteFolder(gone, "atlas", {(file / "xdg").string(), ""}), FileError)
        << "a data folder that cannot be made";
}

}  // namespace
}  // namespace platform
