#include "platform/data_folder.h"
#include "platform/paths.h"
#include "tools/assetinfo/check_map.h"
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
// assetinfo --check FILE.map...: one JSON object per problem found in the maps.
// Exit status 1 when any file failed (or, with --check, had a problem).
namespace {

constexpr char kUsage[] =
    "usage: assetinfo FILE...\n"
    "       assetinfo --png OUT FILE\n"
    "       assetinfo --check FILE.map...\n"
    "--check prints one JSON object per problem of each map, with the keys file, problem (outside,\n"
    "kind, duplicate, header), layer (header, tiles, ground, special, air), index, x, y and message,\n"
    "and exits with 1 when there are any. Kinds are checked against the editor's catalogues when its\n"
    "System and Data folders lie beside assetinfo (or, installed, in ../share/atlas/).\n";

void Print(const nlohmann::json& description) {
    // File names need not be UTF-8; bad bytes must not stop the output.
    std::cout << description.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int Check(const std::vector<std::string>& files, const std::string& programPath) {
    if (files.empty()) {
        throw tools::UsageError("--check needs at least one FILE.map");
    }
    const editor::TCatalogueSizes catalogues = tools::QuietlyReadCatalogueSizes(
        platform::FindDataFolder(platform::ProgramFolder(programPath), "atlas", "System"));
    bool anyLine = false;
    for (const std::string& path : files) {
        for (const nlohmann::json& line : tools::CheckMapFileLines(path, catalogues)) {
            Print(line);
            anyLine = true;
        }
    }
    return anyLine ? 1 : 0;
}

int Describe(const std::vector<std::string>& args, const std::string& programPath) {
    tools::RejectUnknownOptions(args, {"--png", "--check"});
    if (args.empty()) {
        throw tools::UsageError("missing FILE");
    }
    if (args[0] == "--check") {
        if (std::find(args.begin() + 1, args.end(), "--png") != args.end()) {
            throw tools::UsageError("--check and --png do not go together");
        }
        return Check(std::vector<std::string>(args.begin() + 1, args.end()), programPath);
    }
    if (std::find(args.begin(), args.end(), "--check") != args.end()) {
        throw tools::UsageError("--check comes first: assetinfo --check FILE.map...");
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
    const std::string programPath = argc > 0 ? argv[0] : "";
    return tools::RunTool("assetinfo", kUsage, argc, argv,
                          [&](const std::vector<std::string>& args) { return Describe(args, programPath); });
}
