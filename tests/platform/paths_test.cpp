#include "platform/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("paths_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "Data" / "Sub");
        Touch("Data/Textures.qzp", "tex");
        Touch("Data/Sub/firebase.3DS", "model");
    }
    void TearDown() override { fs::remove_all(m_root); }

    void Touch(const std::string& relative, const std::string& content) {
        std::ofstream(m_root / relative, std::ios::binary) << content;
    }
    std::string Root() const { return m_root.string(); }

    fs::path m_root;
};

TEST_F(PathsTest, BackslashesBecomeSlashes) {
    EXPECT_EQ(ResolvePath(Root() + "\\Data\\Textures.qzp"), Root() + "/Data/Textures.qzp");
    EXPECT_EQ(ResolvePath("no\\such\\file"), "no/such/file");
    EXPECT_EQ(ResolvePath(""), "");
}

TEST_F(PathsTest, EachComponentFallsBackToACaseInsensitiveMatch) {
    EXPECT_EQ(ResolvePath(Root() + "\\data\\textures.QZP"), Root() + "/Data/Textures.qzp");
    EXPECT_EQ(ResolvePath(Root() + "/DATA/sub/FireBase.3ds"), Root() + "/Data/Sub/firebase.3DS");
    EXPECT_TRUE(FileExists(Root() + "\\DATA\\SUB\\FIREBASE.3DS"));
}

TEST_F(PathsTest, UnmatchedComponentsStayAsWritten) {
    EXPECT_EQ(ResolvePath(Root() + "/data/Missing/firebase.3ds"), Root() + "/Data/Missing/firebase.3ds");
    EXPECT_FALSE(FileExists(Root() + "/data/textures.qzx"));
    EXPECT_FALSE(FileExists(Root() + "/data")) << "a folder is not a file";
}

TEST_F(PathsTest, AnExactNameWinsAndSeveralMatchesPickTheSmallest) {
    Touch("Data/TEXTURES.QZP", "upper");
    EXPECT_EQ(ResolvePath(Root() + "/Data/Textures.qzp"), Root() + "/Data/Textures.qzp");
    EXPECT_EQ(ResolvePath(Root() + "/Data/textures.qzp"), Root() + "/Data/TEXTURES.QZP");
}

TEST_F(PathsTest, ReadsWholeFilesAndNamesTheFileOnFailure) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(Root() + "\\data\\sub\\FIREBASE.3ds");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "model");
    try {
        ReadWholeFile(Root() + "/nothing.bin");
        FAIL() << "a missing file must raise";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("nothing.bin"), std::string::npos) << error.what();
    }
}

TEST_F(PathsTest, AtomicWriteReplacesTheResolvedFileAndLeavesNoTemporary) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ::chmod((m_root / "Data/Textures.qzp").c_str(), 0640);
    WriteFileAtomically(Root() + "\\data\\TEXTURES.qzp", bytes);
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Textures.qzp"), bytes);
    EXPECT_EQ(fs::status(m_root / "Data/Textures.qzp").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    WriteFileAtomically(Root() + "/Data/new.bin", {});
    EXPECT_TRUE(FileExists(Root() + "/Data/new.bin"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_root / "Data")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Sub", "Textures.qzp", "new.bin"}));
}

TEST_F(PathsTest, FailedWriteKeepsThePreviousFile) {
    EXPECT_THROW(WriteFileAtomically(Root() + "/Data/Sub", std::vector<std::uint8_t>{1}), FileError)
        << "a folder cannot be replaced by a file";
    EXPECT_TRUE(fs::is_directory(m_root / "Data/Sub/"));
    EXPECT_THROW(WriteFileAtomically(Root() + "/Nowhere/x.bin", std::vector<std::uint8_t>{1}), FileError);
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Sub/firebase.3DS").size(), 5u);
}

}  // namespace
}  // namespace platform
