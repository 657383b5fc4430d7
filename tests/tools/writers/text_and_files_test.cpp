#include "tools/writers/catalogue_writer.h"
#include "tools/writers/output_folder.h"

#include "platform/paths.h"
#include "platform/text_decoding.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tools {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueWriter, RussianLinesReadBackAsTheyWereWritten) {
    const std::vector<std::string> lines{"Трава", "Потрескавшаяся земля", "road"};
    const std::string text = CatalogueText(lines);
    EXPECT_EQ(text, "Трава\r\nПотрескавшаяся земля\r\nroad\r\n");
    EXPECT_EQ(platform::DecodeCatalogueText(text), lines);
}

TEST(CatalogueWriter, RefusesLinesTheEditorWouldSplitOrMisread) {
    EXPECT_THROW(CatalogueText(std::vector<std::string>{"a\rb"}), std::invalid_argument);
    EXPECT_THROW(CatalogueText(std::vector<std::string>{"a\nb"}), std::invalid_argument);
    // Windows-1251 bytes: the editor would read them, but as a different text than meant here.
    EXPECT_THROW(CatalogueText(std::vector<std::string>{"\xD2\xF0\xE0\xE2\xE0"}), std::invalid_argument);
    EXPECT_EQ(CatalogueText(std::vector<std::string>{}), "");
}

TEST(OutputFolder, WritesIntoNewSubfoldersReplacesFilesAndCountsBytes) {
    const fs::path root = fs::temp_directory_path() / "tool_writers_output_test";
    fs::remove_all(root);
    OutputFolder output(root);
    output.WriteText("System/Surface.txt", "old");
    output.WriteText("System/Surface.txt", "newer");
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    output.Write("Data/Deep/x.bin", bytes);

    EXPECT_EQ(platform::ReadWholeFile((root / "System/Surface.txt").string()),
              (std::vector<std::uint8_t>{'n', 'e', 'w', 'e', 'r'}));
    EXPECT_EQ(platform::ReadWholeFile((root / "Data/Deep/x.bin").string()), bytes);
    ASSERT_EQ(output.Files().size(), 3u);
    EXPECT_EQ(output.Files()[2].Name, "Data/Deep/x.bin");
    EXPECT_EQ(output.Files()[2].Size, 3u);
    // Nothing but the files themselves is left behind (no temporary files).
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(count, 2u);
    fs::remove_all(root);
}

TEST(OutputFolder, AFolderThatCannotBeMadeIsAFileError) {
    const fs::path root = fs::temp_directory_path() / "tool_writers_output_blocked";
    fs::remove_all(root);
    fs::create_directories(root);
    OutputFolder output(root);
    output.WriteText("plain", "x");
    EXPECT_THROW(output.WriteText("plain/inside.txt", "y"), platform::FileError);
    fs::remove_all(root);
}

}  // namespace
}  // namespace tools
