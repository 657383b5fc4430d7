#include "platform/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
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

// A program's own files are another case's file no more: only the exact name counts.
TEST_F(PathsTest, ExactReadsSkipTheCaseInsensitiveLookUp) {
    Touch("temp.map", "other");
    EXPECT_TRUE(FileExists(Root() + "/Temp.map"));
    EXPECT_FALSE(ExactFileExists(Root() + "/Temp.map"));
    EXPECT_TRUE(ExactFileExists(Root() + "\\temp.map"));
    EXPECT_FALSE(ExactFileExists(Root() + "/Data")) << "a folder is not a file";
    EXPECT_THROW(ReadExactFile(Root() + "/Temp.map"), FileError);
    const std::vector<std::uint8_t> bytes = ReadExactFile(Root() + "/temp.map");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "other");
}

TEST_F(PathsTest, AtomicWriteReplacesTheExactNameAndLeavesNoTemporary) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ::chmod((m_root / "Data/Textures.qzp").c_str(), 0640);
    WriteFileAtomically(Root() + "\\Data\\Textures.qzp", bytes);
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Textures.qzp"), bytes);
    EXPECT_EQ(fs::status(m_root / "Data/Textures.qzp").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Another case is another file: reading finds the data's own spelling, writing never does.
    WriteFileAtomically(Root() + "/Data/textures.QZP", std::vector<std::uint8_t>{9});
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Textures.qzp"), bytes);
    WriteFileAtomically(Root() + "/Data/new.bin", {});
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_root / "Data")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Sub", "Textures.qzp", "new.bin", "textures.QZP"}));
}

TEST_F(PathsTest, FailedWriteKeepsThePreviousFile) {
    try {
        WriteFileAtomically(Root() + "/Data/Sub", std::vector<std::uint8_t>{1});
        FAIL() << "a folder cannot be replaced by a file";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("Is a directory"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::is_directory(m_root / "Data/Sub/"));
    EXPECT_THROW(WriteFileAtomically(Root() + "/Nowhere/x.bin", std::vector<std::uint8_t>{1}), FileError);
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Sub/firebase.3DS").size(), 5u);
}

// Links stay links and their files are replaced whole; a FIFO (as a device would be) is written
// through instead of being replaced by a regular file.
TEST_F(PathsTest, WritesThroughLinksAndSpecialFiles) {
    const std::vector<std::uint8_t> bytes = {4, 5, 6};
    fs::create_symlink("Sub/firebase.3DS", m_root / "Data/relative.lnk");
    fs::create_symlink(m_root / "Data/relative.lnk", m_root / "chain.lnk");
    fs::create_symlink("Sub/later.bin", m_root / "Data/dangling.lnk");
    for (const char* link : {"/chain.lnk", "/Data/dangling.lnk"}) {
        WriteFileAtomically(Root() + link, bytes);
        EXPECT_TRUE(fs::is_symlink(m_root / fs::path(link).relative_path())) << link;
        EXPECT_EQ(ReadWholeFile(Root() + link), bytes) << link;
    }
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Sub/firebase.3DS"), bytes);
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Sub/later.bin"), bytes);
    fs::create_symlink("loop.lnk", m_root / "loop.lnk");
    EXPECT_THROW(WriteFileAtomically(Root() + "/loop.lnk", bytes), FileError);

    const fs::path fifo = m_root / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::uint8_t> received;
    std::thread reader([&] { received = ReadWholeFile(fifo.string()); });
    WriteFileAtomically(fifo.string(), bytes);
    reader.join();
    EXPECT_EQ(received, bytes);
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

// What an atomic write would refuse is refused before anything is made; what it would write is let be.
TEST_F(PathsTest, TellsBeforehandWhetherAWriteCanSucceed) {
    fs::create_symlink("Gone/x.bin", m_root / "lost.lnk");
    fs::create_symlink("Data/later.bin", m_root / "dangling.lnk");
    const std::pair<std::string, const char*> cases[] = {
        {"/Data/Sub", "Is a directory"},
        {"/Data/Sub/", "Is a directory"},
        {"/Nowhere/x.bin", "No such file or directory"},
        {"/Data/Textures.qzp/x.bin", "Not a directory"},
        {"/lost.lnk", "No such file or directory"},
        {"/Data/new.bin", nullptr},
        {"/Data/Textures.qzp", nullptr},
        {"/dangling.lnk", nullptr},
    };
    for (const auto& [relative, reason] : cases) {
        SCOPED_TRACE(relative);
        if (!reason) {
            EXPECT_NO_THROW(CheckWritable(Root() + relative));
            continue;
        }
        try {
            CheckWritable(Root() + relative);
            ADD_FAILURE() << "accepted";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
    EXPECT_NO_THROW(CheckWritable("/dev/null"));
    EXPECT_FALSE(fs::exists(m_root / "Data/new.bin"));
    EXPECT_FALSE(fs::exists(m_root / "Data/later.bin"));
}

TEST_F(PathsTest, ReadsRefuseFilesBeyondTheirLimit) {
    EXPECT_EQ(ReadWholeFile(Root() + "/Data/Sub/firebase.3DS", 5).size(), 5u);
    EXPECT_THROW(ReadWholeFile(Root() + "/Data/Sub/firebase.3DS", 4), FileError);
    // A stream has no size to look at first: it is refused once it has given too much.
    EXPECT_THROW(ReadWholeFile("/dev/zero", 1 << 20), FileError);
}

}  // namespace
}  // namespace platform
