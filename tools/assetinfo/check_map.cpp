#include "tools/assetinfo/check_map.h"

#include "editor/data/map_check.h"
#include "editor/data/message_reporter.h"
#include "platform/paths.h"
#include "tools/assetinfo/info_kinds.h"

#include <exception>

namespace tools {
namespace {

nlohmann::json NullWhenNone(int value) {
    return value < 0 ? nlohmann::json(nullptr) : nlohmann::json(value);
}

}  // namespace

editor::TCatalogueSizes QuietlyReadCatalogueSizes(const std::filesystem::path& folder) {
    struct Silence {
        editor::MessageReporter Previous =
            editor::SetMessageReporter([](const std::string&, const std::string&) {});
        ~Silence() { editor::SetMessageReporter(Previous); }
    } silence;
    return editor::ReadCatalogueSizes(folder);
}

std::vector<nlohmann::json> CheckMapFileLines(const std::string& path, const editor::TCatalogueSizes& catalogues) {
    std::optional<std::vector<editor::TMapProblem>> problems;
    try {
        problems = editor::CheckMapFile(platform::ReadWholeFile(path), catalogues);
    } catch (const std::exception& error) {
        return {{{"file", path}, {"error", error.what()}}};
    }
    if (!problems) {
        return {{{"file", path}, {"error", kNotAMap}}};
    }
    std::vector<nlohmann::json> lines;
    for (const editor::TMapProblem& problem : *problems) {
        lines.push_back({{"file", path},
                         {"problem", editor::ProblemName(problem.Problem)},
                         {"layer", editor::LayerName(problem.Layer)},
                         {"index", NullWhenNone(problem.Index)},
                         {"x", NullWhenNone(problem.X)},
                         {"y", NullWhenNone(problem.Y)},
                         {"message", problem.Message}});
    }
    return lines;
}

}  // namespace tools
