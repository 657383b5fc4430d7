#include "editor/app/overlay_drawing.h"

#include "editor/view/draw3d.h"
#include "editor/view/map_drawing.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>

namespace editor {
namespace {

// Above the tiles (0.015), so the lines and blocks show over every surface.
constexpr float kOverlayLift = 0.02f;

struct TRgba {
    std::uint8_t R, G, B, A;
};
constexpr TRgba kGridColour = {0, 0, 0, 110};
constexpr TRgba kSelectionFill = {60, 160, 255, 60};
constexpr TRgba kSelectionEdge = {60, 160, 255, 255};
constexpr TRgba kDragFill = {255, 220, 40, 60};
constexpr TRgba kDragEdge = {255, 220, 40, 255};
constexpr TRgba kPasteEdge = {255, 255, 255, 255};
constexpr TRgba kPasteObject = {255, 120, 40, 110};
constexpr std::uint8_t kPasteTileAlpha = 170;

void Colour(TRgba colour) {
    glColor4ub(colour.R, colour.G, colour.B, colour.A);
}

void Rectangle(GLenum mode, float x0, float y0, float x1, float y1) {
    glBegin(mode);
    glVertex3f(x0, y0, kOverlayLift);
    glVertex3f(x1, y0, kOverlayLift);
    glVertex3f(x1, y1, kOverlayLift);
    glVertex3f(x0, y1, kOverlayLift);
    glEnd();
}

void Block(const TCellRect& rect, TRgba fill, TRgba edge) {
    const auto x0 = static_cast<float>(rect.X);
    const auto y0 = static_cast<float>(rect.Y);
    const auto x1 = static_cast<float>(rect.X + rect.Length);
    const auto y1 = static_cast<float>(rect.Y + rect.Width);
    if (fill.A > 0) {
        Colour(fill);
        Rectangle(GL_QUADS, x0, y0, x1, y1);
    }
    Colour(edge);
    Rectangle(GL_LINE_LOOP, x0, y0, x1, y1);
}

void Grid(int sizeX, int sizeY) {
    Colour(kGridColour);
    glBegin(GL_LINES);
    for (int x = 0; x <= sizeX; ++x) {
        glVertex3f(static_cast<float>(x), 0, kOverlayLift);
        glVertex3f(static_cast<float>(x), static_cast<float>(sizeY), kOverlayLift);
    }
    for (int y = 0; y <= sizeY; ++y) {
        glVertex3f(0, static_cast<float>(y), kOverlayLift);
        glVertex3f(static_cast<float>(sizeX), static_cast<float>(y), kOverlayLift);
    }
    glEnd();
}

template <typename Object>
void ObjectBlocks(const std::vector<Object>& objects, int x, int y) {
    for (const Object& object : objects) {
        Block({x + object.X, y + object.Y, object.Length, object.Width}, kPasteObject, kPasteObject);
    }
}

// The clipboard's tiles in their surfaces' textures, see-through, its objects as orange blocks and
// the whole block framed in white.
void PastePreview(const TMapClipboard& clipboard, int x, int y, const TKindCatalogues& kinds) {
    for (const TSurfaceTile& tile : clipboard.Tiles) {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(kinds.FindSurfaceTexture(tile.Kind)));
        glColor4ub(255, 255, 255, kPasteTileAlpha);
        glPushMatrix();
        glTranslatef(static_cast<float>(x + tile.X) + 0.5f, static_cast<float>(y + tile.Y) + 0.5f, kOverlayLift);
        DrawQuad(1, 1);
        glPopMatrix();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    ObjectBlocks(clipboard.Ground, x, y);
    ObjectBlocks(clipboard.Air, x, y);
    for (const TSpecialObject& object : clipboard.Specials) {
        Block({x + object.X, y + object.Y, 1, 1}, kPasteObject, kPasteObject);
    }
    Block({x, y, clipboard.Length, clipboard.Width}, {0, 0, 0, 0}, kPasteEdge);
}

}  // namespace

void DrawMapOverlays(const TMapOverlays& overlays, const TViewCamera& camera, const TKindCatalogues& kinds) {
    glPushMatrix();
    ApplyCamera(camera);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (overlays.Grid) {
        Grid(overlays.SizeX, overlays.SizeY);
    }
    if (overlays.Selection) {
        Block(*overlays.Selection, kSelectionFill, kSelectionEdge);
    }
    if (overlays.Drag) {
        Block(*overlays.Drag, kDragFill, kDragEdge);
    }
    if (overlays.Paste != nullptr && (overlays.CursorX != -1 || overlays.CursorY != -1)) {
        PastePreview(*overlays.Paste, overlays.CursorX, overlays.CursorY, kinds);
    }
    glColor4ub(255, 255, 255, 255);
    glPopMatrix();
}

}  // namespace editor
