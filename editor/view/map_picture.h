#pragma once

#include "editor/data/kind_catalogue.h"
#include "editor/data/map_file.h"
#include "editor/view/map_renderer.h"

#include <cstdint>

namespace editor {

namespace map_picture {
// How far above and below the map plane the picture reaches, in cells: far beyond the tallest
// object a byte-sized height makes, and fine enough in a 24-bit depth buffer that tiles, markers
// and the base surface, a few thousandths apart, still hide one another as in the view.
constexpr double kDepthReach = 1024;
}  // namespace map_picture

// The whole map seen from straight above, without perspective, into a viewport of width x height
// pixels: square cells, the map centred and as large as the picture allows, black around it,
// drawn by the renderer as the view draws it but without the pointer's cell and preview. Clears
// the frame first; the context must be current. Throws std::invalid_argument for a map with no
// cells or a picture with no pixels.
void DrawMapPicture(TMapRenderer& renderer, const TMapData& map, const TKindCatalogues& kinds,
                    std::uint32_t baseTexture, int width, int height);

}  // namespace editor
