#include "editor/data/cell_rect.h"

#include <algorithm>
#include <cstdlib>

namespace editor {

TCellRect CellRectBetween(int x0, int y0, int x1, int y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

bool InMap(const TMapHeader& header, int x, int y) {
    return x >= 0 && x < header.SizeX && y >= 0 && y < header.SizeY;
}

TCellRect ClipToMap(const TCellRect& rect, const TMapHeader& header) {
    const int left = std::max(rect.X, 0);
    const int bottom = std::max(rect.Y, 0);
    const int right = std::min(rect.X + rect.Length, int{header.SizeX});
    const int top = std::min(rect.Y + rect.Width, int{header.SizeY});
    if (right <= left || top <= bottom) {
        return {};
    }
    return {left, bottom, right - left, top - bottom};
}

}  // namespace editor
