#include "editor/app/command_line.h"

#include "editor/document/editor_texts.h"

namespace editor {

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine line;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnd && (argument == "--help" || argument == "-h")) {
            line.Help = true;
        } else if (!optionsEnd && argument == "--version") {
            line.Version = true;
        } else if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && argument.size() > 1 && argument.front() == '-') {
            line.Error = texts::kUnknownOption + argument;
        } else if (line.MapFile) {
            line.Error = texts::kTooManyFiles;
        } else {
            line.MapFile = argument;
        }
    }
    return line;
}

}  // namespace editor
