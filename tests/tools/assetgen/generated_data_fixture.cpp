#include "generated_data_fixture.h"

#include "editor/data/message_reporter.h"
#include "editor/data/package.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tools::assetgen {

std::filesystem::path GeneratedData::s_folder;

void GeneratedData::SetUpTestSuite() {
    // Per process, so two builds' tests running at once never share a folder.
    s_folder = std::filesystem::temp_directory_path() / ("assetgen_test_data_" + std::to_string(::getpid()));
    std::filesystem::remove_all(s_folder);
    ASSERT_EQ(RunGenerator(s_folder), 0);
}

void GeneratedData::TearDownTestSuite() { std::filesystem::remove_all(s_folder); }

int GeneratedData::RunGenerator(const std::filesystem::path& folder) {
    const std::string command = std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + folder.string() + "\" > /dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> GeneratedData::CatalogueLines(const std::string& relative) {
    const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(PathOf(relative));
    return platform::DecodeCatalogueText(std::string(bytes.begin(), bytes.end()));
}

std::vector<std::string> GeneratedData::PackageCatalogueLines(const std::string& package, const std::string& record) {
    const std::vector<std::uint8_t> bytes = Record(package, record);
    return platform::DecodeCatalogueText(std::string(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> GeneratedData::Record(const std::string& package, const std::string& record) {
    std::vector<std::string> messages;
    const editor::MessageReporter previous = editor::SetMessageReporter(
        [&](const std::string&, const std::string& text) { messages.push_back(text); });
    auto extracted = editor::ExtractRecord(PathOf(package), record);
    editor::SetMessageReporter(previous);
    EXPECT_TRUE(extracted.has_value()) << record << " in " << package;
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
    return extracted.value_or(std::vector<std::uint8_t>{});
}

}  // namespace tools::assetgen
