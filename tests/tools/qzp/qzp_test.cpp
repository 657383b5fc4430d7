#include "editor/data/package.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tools {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class QzpTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("qzp_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "in" / "deeper");
        WriteText("in/Grass.bmp", std::string(5000, 'g'));
        WriteText("in/deeper/info_ground.txt", "tree.qzm\r\ntree.bmp\r\n");
        WriteText("in/empty.txt", "");
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void WriteText(const std::string& relative, const std::string& text) const {
        std::ofstream(m_folder / relative, std::ios::binary) << text;
    }
    std::string ReadText(const std::string& relative) const {
        std::ifstream in(m_folder / relative, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string PathOf(const std::string& relative) const { return (m_folder / relative).string(); }

    Result Run(const std::string& arguments) const {
        const std::string command = std::string(QZP_PROGRAM) + " " + arguments + " >" + PathOf("stdout") + " 2>" +
                                    PathOf("stderr");
        Result result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadText("stdout");
        result.err = ReadText("stderr");
        return result;
    }

    fs::path m_folder;
};

TEST_F(QzpTest, PacksListsAndExtractsByBaseName) {
    const std::string package = PathOf("Objects.qzp");
    const Result pack = Run("pack " + package + " " + PathOf("in/Grass.bmp") + " " +
                            PathOf("in/deeper/info_ground.txt") + " " + PathOf("in/empty.txt"));
    ASSERT_EQ(pack.status, 0) << pack.err;

    const Result list = Run("list " + package);
    ASSERT_EQ(list.status, 0) << list.err;
    const std::vector<editor::PackageEntry> entries =
        editor::ReadPackageDirectory(platform::ReadWholeFile(package), package);
    ASSERT_EQ(entries.size(), 3u);
    std::string expected;
    for (const editor::PackageEntry& entry : entries) {
        expected += entry.Name + "\t" + std::to_string(entry.StoredSize) + "\t" + std::to_string(entry.UnpackedSize) +
                    "\t" + std::to_string(entry.DataOffset) + "\n";
    }
    EXPECT_EQ(list.out, expected);
    EXPECT_EQ(entries[0].Name, "Grass.bmp");
    EXPECT_EQ(entries[1].Name, "info_ground.txt");
    EXPECT_EQ(entries[1].UnpackedSize, 20u);

    ASSERT_EQ(Run("extract " + package + " GRASS.BMP " + PathOf("out.bmp")).status, 0);
    EXPECT_EQ(ReadText("out.bmp"), std::string(5000, 'g'));
    ASSERT_EQ(Run("extract " + package + " empty.txt " + PathOf("out.txt")).status, 0);
    EXPECT_TRUE(fs::exists(PathOf("out.txt")));
    EXPECT_EQ(ReadText("out.txt"), "");
}

TEST_F(QzpTest, FailuresSayWhatWentWrongAndExitWithOne) {
    const std::string package = PathOf("p.qzp");
    ASSERT_EQ(Run("pack " + package + " " + PathOf("in/Grass.bmp")).status, 0);

    const Result missingRecord = Run("extract " + package + " nothing.bmp " + PathOf("x"));
    EXPECT_EQ(missingRecord.status, 1);
    EXPECT_EQ(missingRecord.err, "qzp: Record \"nothing.bmp\" not found in \"" + package + "\"\n");
    EXPECT_FALSE(fs::exists(PathOf("x")));

    const Result missingPackage = Run("extract " + PathOf("none.qzp") + " a " + PathOf("x"));
    EXPECT_EQ(missingPackage.status, 1);
    EXPECT_EQ(missingPackage.err, "qzp: Package file not found \"" + PathOf("none.qzp") + "\"\n");

    WriteText("bad.qzp", "QZPX and more than twenty-six bytes of nothing");
    const Result invalid = Run("list " + PathOf("bad.qzp"));
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.err, "qzp: Invalid QZP or file corrupted \"" + PathOf("bad.qzp") + "\"\n");

    const Result missingInput = Run("pack " + PathOf("q.qzp") + " " + PathOf("in/absent.bmp"));
    EXPECT_EQ(missingInput.status, 1);
    EXPECT_NE(missingInput.err.find("absent.bmp"), std::string::npos) << missingInput.err;
    EXPECT_FALSE(fs::exists(PathOf("q.qzp")));

    // Usage errors leave an existing package as it was: no files, or two names the package could
    // not tell apart.
    WriteText("Grass.bmp", "other");
    WriteText("GRASS.BMP", "upper");
    const std::vector<std::uint8_t> before = platform::ReadWholeFile(package);
    for (const std::string& arguments :
         {std::string(), std::string("list"), std::string("unpack x"), "extract " + package + " a", "pack " + package,
          "pack " + package + " " + PathOf("in/Grass.bmp") + " " + PathOf("Grass.bmp"),
          "pack " + package + " " + PathOf("Grass.bmp") + " " + PathOf("GRASS.BMP")}) {
        const Result usage = Run(arguments);
        EXPECT_EQ(usage.status, 2) << arguments;
        EXPECT_NE(usage.err.find("usage: qzp"), std::string::npos) << arguments;
    }
    EXPECT_EQ(platform::ReadWholeFile(package), before);
}

}  // namespace
}  // namespace tools
