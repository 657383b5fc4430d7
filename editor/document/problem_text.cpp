#include "editor/document/problem_text.h"

#include "editor/document/editor_texts.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace editor {
namespace {

const char* LayerWord(TMapLayer layer) {
    switch (layer) {
    case TMapLayer::Header: return texts::kProblemHeader;
    case TMapLayer::Tiles: return texts::kProblemTile;
    case TMapLayer::Ground: return texts::kProblemGround;
    case TMapLayer::Special: return texts::kProblemSpecial;
    case TMapLayer::Air: return texts::kProblemAir;
    }
    return "";
}

template <typename Record>
std::optional<std::int64_t> KindIn(const std::vector<Record>& records, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
        return std::nullopt;
    }
    return records[static_cast<std::size_t>(index)].Kind;
}

std::optional<std::int64_t> KindOf(const TMapProblem& problem, const TMapData& map) {
    switch (problem.Layer) {
    case TMapLayer::Header: return map.Header.Surface;
    case TMapLayer::Tiles: return KindIn(map.Tiles, problem.Index);
    case TMapLayer::Ground: return KindIn(map.Ground, problem.Index);
    case TMapLayer::Special: return KindIn(map.Specials, problem.Index);
    case TMapLayer::Air: return KindIn(map.Air, problem.Index);
    }
    return std::nullopt;
}

std::string WhatIsWrong(const TMapProblem& problem, const TMapData& map) {
    switch (problem.Problem) {
    case TProblem::Outside:
        return texts::kProblemOutside + std::to_string(map.Header.SizeX) + " x " + std::to_string(map.Header.SizeY);
    case TProblem::Kind: {
        const std::optional<std::int64_t> kind = KindOf(problem, map);
        return kind ? texts::kProblemKind + std::to_string(*kind) + texts::kProblemKindMissing
                    : std::string(texts::kProblemKindUnknown);
    }
    case TProblem::Duplicate: return texts::kProblemDuplicate;
    case TProblem::Header: return texts::kProblemCounts;
    }
    return {};
}

}  // namespace

std::string ProblemText(const TMapProblem& problem, const TMapData& map) {
    std::string text = LayerWord(problem.Layer);
    if (problem.Index >= 0) {
        // Counted from 1, as a person counts records.
        text += texts::kProblemNumber + std::to_string(problem.Index + 1);
    }
    if (problem.X >= 0 && problem.Y >= 0) {
        text += texts::kProblemCell + std::to_string(problem.X) + ", " + std::to_string(problem.Y) + ")";
    }
    return text + ": " + WhatIsWrong(problem, map);
}

}  // namespace editor
