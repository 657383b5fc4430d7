#pragma once

#include "editor/data/cell_rect.h"
#include "editor/data/kind_catalogue.h"
#include "editor/data/map_clipboard.h"
#include "editor/document/view_camera.h"

#include <optional>

// What the block tools and the grid draw over the map, after the map itself; the context must be
// current and the modelview as the frame left it.
namespace editor {

struct TMapOverlays {
    bool Grid = false;
    int SizeX = 0;
    int SizeY = 0;
    std::optional<TCellRect> Selection;
    // The block a rectangle fill or a selection is being dragged over.
    std::optional<TCellRect> Drag;
    // A paste following the pointer: the clipboard drawn with its lower-left cell on the cursor.
    const TMapClipboard* Paste = nullptr;
    int CursorX = -1;
    int CursorY = -1;
};

void DrawMapOverlays(const TMapOverlays& overlays, const TViewCamera& camera, const TKindCatalogues& kinds);

}  // namespace editor
