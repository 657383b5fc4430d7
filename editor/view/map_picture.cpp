#include "editor/view/map_picture.h"

#include "editor/view/map_drawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace editor {

void DrawMapPicture(TMapRenderer& renderer, const TMapData& map, const TKindCatalogues& kinds,
                    std::uint32_t baseTexture, int width, int height) {
    const int sizeX = map.Header.SizeX;
    const int sizeY = map.Header.SizeY;
    if (sizeX == 0 || sizeY == 0) {
        throw std::invalid_argument("the map has no cells (" + std::to_string(sizeX) + " x " + std::to_string(sizeY) +
                                    ")");
    }
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a picture needs pixels");
    }
    InitialiseViewState();
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double pixelsPerCell = std::min(static_cast<double>(width) / sizeX, static_cast<double>(height) / sizeY);
    const double halfWidth = width / pixelsPerCell / 2;
    const double halfHeight = height / pixelsPerCell / 2;
    glOrtho(sizeX / 2.0 - halfWidth, sizeX / 2.0 + halfWidth, sizeY / 2.0 - halfHeight, sizeY / 2.0 + halfHeight,
            -map_picture::kDepthReach, map_picture::kDepthReach);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderer.MapChanged();
    renderer.DrawMap(map, kinds, baseTexture);
}

}  // namespace editor
