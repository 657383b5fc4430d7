#include "tools/command_line/command_line.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace tools {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs a program in an empty folder of its own, so that nothing it might write stays behind.
Result RunProgram(const std::string& program, const std::string& arguments) {
    const fs::path folder = fs::temp_directory_path() / "command_line_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string command = "cd " + folder.string() + " && " + program + " " + arguments + " >stdout 2>stderr";
    const int raw = std::system(command.c_str());
    Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(folder / "stdout"), ReadText(folder / "stderr")};
    const bool wroteNothingElse = std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 2;
    EXPECT_TRUE(wroteNothingElse) << program << " " << arguments;
    fs::remove_all(folder);
    return result;
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct Tool {
    const char* name;
    const char* program;
    std::string missingArgument;  // arguments that leave out a required one
};

TEST(ToolCommandLines, HelpUnknownOptionsAndMissingArguments) {
    const Tool tools[] = {
        {"assetgen", ASSETGEN_PROGRAM, ""},
        {"assetinfo", ASSETINFO_PROGRAM, "--png out.png"},
        {"assetview", ASSETVIEW_PROGRAM, "model.3ds"},
        {"qzp", QZP_PROGRAM, "extract some.qzp"},
    };
    for (const Tool& tool : tools) {
        const std::string usage = "usage: " + std::string(tool.name);

        const Result help = RunProgram(tool.program, "--help");
        EXPECT_EQ(help.status, 0) << tool.name;
        EXPECT_EQ(help.out.rfind(usage, 0), 0u) << tool.name << ": " << help.out;
        EXPECT_NE(help.out.find("\n  --version  "), std::string::npos) << tool.name << ": " << help.out;
        EXPECT_EQ(help.err, "") << tool.name;

        // Anywhere on the line, as --help is; the version is the project's x.y.z.
        const Result version = RunProgram(tool.program, "some-file --version");
        EXPECT_EQ(version.status, 0) << tool.name;
        EXPECT_TRUE(std::regex_match(version.out, std::regex(std::string(tool.name) + " [0-9]+\\.[0-9]+\\.[0-9]+\n")))
            << version.out;
        EXPECT_EQ(version.err, "") << tool.name;

        for (const std::string& arguments : {std::string("--frobnicate"), tool.missingArgument}) {
            const Result wrong = RunProgram(tool.program, arguments);
            EXPECT_EQ(wrong.status, 2) << tool.name << " " << arguments;
            EXPECT_EQ(wrong.out, "") << tool.name << " " << arguments;
            // One line naming the tool and the fault, then the usage and nothing else.
            const std::string first = wrong.err.substr(0, wrong.err.find('\n') + 1);
            EXPECT_EQ(first.rfind(std::string(tool.name) + ": ", 0), 0u) << wrong.err;
            EXPECT_EQ(wrong.err.substr(first.size()), help.out) << tool.name << " " << arguments;
            EXPECT_EQ(LineCount(first), 1u);
        }
    }
    EXPECT_NE(RunProgram(ASSETINFO_PROGRAM, "--frobnicate").err.find("unknown option --frobnicate"), std::string::npos);
}

TEST(ToolCommandLines, OptionLikeArgumentsAreRefusedUnlessKnown) {
    EXPECT_NO_THROW(RejectUnknownOptions({"file.bmp", "-", "--png"}, {"--png"}));
    EXPECT_THROW(RejectUnknownOptions({"file.bmp", "-x"}), UsageError);
    EXPECT_THROW(RejectUnknownOptions({"--png"}), UsageError);
}

}  // namespace
}  // namespace tools
