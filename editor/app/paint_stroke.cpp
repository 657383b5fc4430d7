#include "editor/app/paint_stroke.h"

#include <algorithm>
#include <cstdlib>

namespace editor {
namespace {

constexpr int kCellLimit = 256;

bool OnMap(TCell cell) {
    return cell.first >= 0 && cell.second >= 0 && cell.first < kCellLimit && cell.second < kCellLimit;
}

}  // namespace

std::vector<TCell> CellsBetween(TCell from, TCell to) {
    const int dx = to.first - from.first;
    const int dy = to.second - from.second;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<TCell> cells;
    cells.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        // Rounded to the nearest cell, halves away from the start.
        const auto along = [&](int start, int delta) {
            return steps == 0 ? start : start + (2 * delta * i + (delta >= 0 ? steps : -steps)) / (2 * steps);
        };
        cells.emplace_back(along(from.first, dx), along(from.second, dy));
    }
    return cells;
}

std::vector<TCell> TPaintStroke::MoveTo(TCell cell) {
    std::vector<TCell> painted;
    if (!OnMap(cell)) {
        m_last.reset();
        return painted;
    }
    for (const TCell& passed : CellsBetween(m_last.value_or(cell), cell)) {
        if (Take(passed)) {
            painted.push_back(passed);
        }
    }
    m_last = cell;
    return painted;
}

bool TPaintStroke::Take(TCell cell) {
    const auto bit = static_cast<std::size_t>(cell.first * kCellLimit + cell.second);
    if (m_painted.test(bit)) {
        return false;
    }
    m_painted.set(bit);
    return true;
}

}  // namespace editor
