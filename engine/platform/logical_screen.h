#pragma once

namespace engine {

// A rectangle in pixels, origin at the top-left corner.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The game always draws and thinks in one fixed logical screen (800 x 600); a window or display of
// another size shows it scaled to the largest rectangle of the same aspect, centred, with black bars
// on the two remaining sides. This maps between the outer pixels and the logical ones.
class LogicalScreen {
public:
    LogicalScreen(int logicalWidth, int logicalHeight, int outerWidth, int outerHeight);

    int LogicalWidth() const { return m_logicalWidth; }
    int LogicalHeight() const { return m_logicalHeight; }
    int OuterWidth() const { return m_outerWidth; }
    int OuterHeight() const { return m_outerHeight; }

    // Where the logical screen lies in the outer area.
    const ScreenRect& Box() const { return m_box; }
    // The same rectangle with its y counted from the bottom edge, as glViewport and glScissor take it.
    ScreenRect BoxFromBottom() const;

    // The logical pixel under an outer pixel; points on a bar or outside clamp to the nearest edge,
    // so that the screen edges stay reachable for edge scrolling.
    ScreenPoint ToLogical(int outerX, int outerY) const;
    // The outer pixel nearest a logical pixel; ToLogical of it gives the pixel back wherever the
    // logical screen is not shrunk.
    ScreenPoint ToOuter(int logicalX, int logicalY) const;

private:
    int m_logicalWidth;
    int m_logicalHeight;
    int m_outerWidth;
    int m_outerHeight;
    ScreenRect m_box;
};

}  // namespace engine
