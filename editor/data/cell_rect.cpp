#include "editor/data/cell_rect.h"

#include <algorithm>
#include <cstdlib>

namespace editor {

TCellRect CellRectBetween(int x0, int y0, int x1, int y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

bool InMap(const TMapHeader& header, std::int64_t x, std::int64_t y) {
    return x >= 0 && x < header.SizeX && y >= 0 && y < header.SizeY;
}

TCellRect ClipToMap(const TCellRect& rect, const TMapHeader& header) {
    const std::int64_t left = std::max<std::int64_t>(rect.X, 0);
    const std::int64_t bottom = std::max<std::int64_t>(rect.Y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{rect.X} + rect.Length, header.SizeX);
    const std::int64_t top = std::min<std::int64_t>(std::int64_t{rect.Y} + rect.Width, header.SizeY);
    if (right <= left || top <= bottom) {
        return {};
    }
    // Within the map, so every value fits an int.
    return {static_cast<int>(left), static_cast<int>(bottom), static_cast<int>(right - left),
            static_cast<int>(top - bottom)};
}

}  // namespace editor
