#include "engine/platform/logical_screen.h"

#include <algorithm>
#include <cstdint>

namespace engine {
namespace {

// offset x (to - 1) / (from - 1), rounded: the first and last pixels of one grid map to those of the
// other at any scale, so the screen edges stay reachable even on a display smaller than the screen.
int MapEnds(int offset, int from, int to) {
    if (from < 2) {
        return 0;
    }
    const std::int64_t span = from - 1;
    return static_cast<int>((2 * std::int64_t{offset} * (to - 1) + span) / (2 * span));
}

}  // namespace

LogicalScreen::LogicalScreen(int logicalWidth, int logicalHeight, int outerWidth, int outerHeight)
    : m_logicalWidth(std::max(logicalWidth, 1)),
      m_logicalHeight(std::max(logicalHeight, 1)),
      m_outerWidth(std::max(outerWidth, 1)),
      m_outerHeight(std::max(outerHeight, 1)) {
    const std::int64_t lw = m_logicalWidth;
    const std::int64_t lh = m_logicalHeight;
    if (std::int64_t{m_outerWidth} * lh >= std::int64_t{m_outerHeight} * lw) {
        m_box.height = m_outerHeight;
        m_box.width = static_cast<int>((m_outerHeight * lw + lh / 2) / lh);
    } else {
        m_box.width = m_outerWidth;
        m_box.height = static_cast<int>((m_outerWidth * lh + lw / 2) / lw);
    }
    m_box.width = std::clamp(m_box.width, 1, m_outerWidth);
    m_box.height = std::clamp(m_box.height, 1, m_outerHeight);
    m_box.x = (m_outerWidth - m_box.width) / 2;
    m_box.y = (m_outerHeight - m_box.height) / 2;
}

ScreenRect LogicalScreen::BoxFromBottom() const {
    return {m_box.x, m_outerHeight - m_box.y - m_box.height, m_box.width, m_box.height};
}

ScreenPoint LogicalScreen::ToLogical(int outerX, int outerY) const {
    const int x = std::clamp(outerX - m_box.x, 0, m_box.width - 1);
    const int y = std::clamp(outerY - m_box.y, 0, m_box.height - 1);
    return {MapEnds(x, m_box.width, m_logicalWidth), MapEnds(y, m_box.height, m_logicalHeight)};
}

ScreenPoint LogicalScreen::ToOuter(int logicalX, int logicalY) const {
    const int x = std::clamp(logicalX, 0, m_logicalWidth - 1);
    const int y = std::clamp(logicalY, 0, m_logicalHeight - 1);
    return {m_box.x + MapEnds(x, m_logicalWidth, m_box.width), m_box.y + MapEnds(y, m_logicalHeight, m_box.height)};
}

}  // namespace engine
