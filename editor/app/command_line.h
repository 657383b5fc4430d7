#pragma once

#include <optional>
#include <string>
#include <vector>

namespace editor {

// What the editor was asked on its command line: `atlas [FILE.map]`, `atlas --help`,
// `atlas --version`.
struct TCommandLine {
    bool Help = false;
    bool Version = false;
    std::optional<std::string> MapFile;
    // Set when the arguments make no sense; the program prints it with the usage and fails.
    std::string Error;
};

// The arguments after the program name, with the window system's own options already taken out.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace editor
