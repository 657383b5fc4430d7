// qzp: lists, extracts and builds the editor's package archives.
#include "editor/data/message_reporter.h"
#include "editor/data/package.h"
#include "editor/data/package_writer.h"
#include "platform/paths.h"
#include "tools/command_line/command_line.h"

#include <cstdio>
#include <exception>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {
namespace {

constexpr char kUsage[] =
    "usage: qzp list PKG\n"
    "       qzp extract PKG NAME OUT\n"
    "       qzp pack PKG FILE...\n";

// Failures end the program through an exception whose message is printed once.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void List(const std::string& package) {
    const std::vector<std::uint8_t> image = platform::ReadWholeFile(package);
    for (const editor::PackageEntry& entry : editor::ReadPackageDirectory(image, package)) {
        std::printf("%s\t%u\t%u\t%u\n", entry.Name.c_str(), entry.StoredSize, entry.UnpackedSize, entry.DataOffset);
    }
}

// Keeps the text of the message box the reader shows, for the duration of one call.
class CapturedMessage {
public:
    CapturedMessage()
        : m_previous(editor::SetMessageReporter([this](const std::string&, const std::string& text) { m_text = text; })) {}
    ~CapturedMessage() { editor::SetMessageReporter(m_previous); }
    CapturedMessage(const CapturedMessage&) = delete;
    CapturedMessage& operator=(const CapturedMessage&) = delete;
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    editor::MessageReporter m_previous;
};

void Extract(const std::string& package, const std::string& name, const std::string& output) {
    CapturedMessage message;
    try {
        editor::ExtractRecordToFile(package, name, output);
    } catch (const editor::PackageError& error) {
        throw ToolError(message.Text().empty() ? error.what() : message.Text());
    }
}

// A package looks its records up without regard to case, so two names that differ only in case
// would leave the second unreadable.
void RequireDistinctNames(const std::vector<std::string>& files) {
    std::set<std::string> keys;
    for (const std::string& file : files) {
        if (!keys.insert(editor::PackageNameKey(BaseName(file))).second) {
            throw UsageError("two files are named \"" + BaseName(file) +
                             "\" (or differ only in case); a package finds only the first");
        }
    }
}

void Pack(const std::string& package, const std::vector<std::string>& files) {
    std::vector<editor::PackageRecord> records;
    for (const std::string& file : files) {
        records.push_back({BaseName(file), platform::ReadWholeFile(file)});
    }
    editor::WritePackage(package, records);
}

// The arguments a command takes after its name: exactly `count`, or at least `count` when open.
void RequireArguments(const std::vector<std::string>& args, std::size_t count, const char* names, bool open = false) {
    const std::size_t given = args.size() - 1;
    if (given < count) {
        throw UsageError(args[0] + " needs " + names);
    }
    if (!open && given > count) {
        throw UsageError("unexpected argument " + args[count + 1]);
    }
}

int Run(const std::vector<std::string>& args) {
    RejectUnknownOptions(args);
    if (args.empty()) {
        throw UsageError("missing command");
    }
    const std::string& command = args[0];
    if (command == "list") {
        RequireArguments(args, 1, "PKG");
    } else if (command == "extract") {
        RequireArguments(args, 3, "PKG NAME OUT");
    } else if (command == "pack") {
        // An empty package would replace the one named, losing all its records.
        RequireArguments(args, 2, "PKG FILE...", true);
        RequireDistinctNames(std::vector<std::string>(args.begin() + 2, args.end()));
    } else {
        throw UsageError("unknown command " + command);
    }
    try {
        if (command == "list") {
            List(args[1]);
        } else if (command == "extract") {
            Extract(args[1], args[2], args[3]);
        } else {
            Pack(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qzp: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tools

int main(int argc, char** argv) {
    return tools::RunTool("qzp", tools::kUsage, argc, argv, tools::Run);
}
