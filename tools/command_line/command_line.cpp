#include "tools/command_line/command_line.h"

#include "platform/version.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>
#include <string_view>

namespace tools {
namespace {

constexpr char kCommonOptions[] =
    "  --help     show this text\n"
    "  --version  print the version and exit\n";

}  // namespace

void RejectUnknownOptions(const std::vector<std::string>& arguments, const std::vector<std::string>& known) {
    for (const std::string& argument : arguments) {
        if (argument.size() > 1 && argument.front() == '-' &&
            std::find(known.begin(), known.end(), argument) == known.end()) {
            throw UsageError("unknown option " + argument);
        }
    }
}

int RunTool(const std::string& program, const std::string& usage, int argc, char** argv,
            const std::function<int(const std::vector<std::string>& arguments)>& run) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto given = [&](std::initializer_list<std::string_view> names) {
        return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
            return std::find(names.begin(), names.end(), argument) != names.end();
        });
    };
    const std::string help = usage + kCommonOptions;
    if (given({"--help", "-h"})) {
        std::cout << help;
        return 0;
    }
    if (given({"--version"})) {
        std::cout << platform::VersionLine(program);
        return 0;
    }
    try {
        return run(arguments);
    } catch (const UsageError& error) {
        std::cerr << program << ": " << error.what() << '\n' << help;
        return 2;
    }
}

}  // namespace tools
