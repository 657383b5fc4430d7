#include "tools/assetinfo/info_dispatch.h"
#include "tools/command_line/command_line.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

// assetinfo FILE...: one JSON object per file and line, the facts our readers take from it.
// assetinfo --png OUT FILE: the same for FILE, and its decoded picture written to OUT as PNG.
// Exit status 1 when any file failed.
namespace {

constexpr char kUsage[] = "usage: assetinfo FILE...\n       assetinfo --png OUT FILE\n";

void Print(const nlohmann::json& description) {
    // File names need not be UTF-8; bad bytes must not stop the output.
    std::cout << description.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int Describe(const std::vector<std::string>& args) {
    tools::RejectUnknownOptions(args, {"--png"});
    if (args.empty()) {
        throw tools::UsageError("missing FILE");
    }
    if (args[0] == "--png") {
        if (args.size() != 3) {
            throw tools::UsageError("--png needs OUT and one FILE");
        }
        nlohmann::json description = tools::DescribeFile(args[2]);
        if (!tools::IsFailure(description)) {
            try {
                tools::WritePicture(args[2], args[1]);
            } catch (const std::exception& error) {
                description = {{"file", args[2]}, {"error", error.what()}};
            }
        }
        Print(description);
        return tools::IsFailure(description) ? 1 : 0;
    }
    if (std::find(args.begin(), args.end(), "--png") != args.end()) {
        throw tools::UsageError("--png comes first: assetinfo --png OUT FILE");
    }
    bool failed = false;
    for (const std::string& path : args) {
        const nlohmann::json description = tools::DescribeFile(path);
        failed = failed || tools::IsFailure(description);
        Print(description);
    }
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    return tools::RunTool("assetinfo", kUsage, argc, argv, Describe);
}
