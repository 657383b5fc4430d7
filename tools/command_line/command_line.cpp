#include "tools/command_line/command_line.h"

#include <algorithm>
#include <iostream>

namespace tools {

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
    if (std::any_of(arguments.begin(), arguments.end(),
                    [](const std::string& argument) { return argument == "--help" || argument == "-h"; })) {
        std::cout << usage;
        return 0;
    }
    try {
        return run(arguments);
    } catch (const UsageError& error) {
        std::cerr << program << ": " << error.what() << '\n' << usage;
        return 2;
    }
}

}  // namespace tools
