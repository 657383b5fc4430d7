#pragma once

#include "editor/document/editor_session.h"
#include "editor/document/tool_settings.h"
#include "editor/view/frustum.h"
#include "editor/view/map_drawing.h"
#include "editor/view/mesh_arrays.h"
#include "editor/view/tile_geometry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace editor {

// The map view's frame: base surface, picking, tiles, ground objects, the tool preview, special
// markers and air objects, in that order, as the editor has always drawn them, but with the
// geometry kept between frames and nothing drawn that lies outside the view. The tiles are
// vertex arrays per block of cells, rebuilt only where the map changed; each mesh is one array;
// objects keep their array order, so translucency and depth ties come out as before.
class TMapRenderer {
public:
    // The map changed (an edit, an undo, a load): the next frame brings the geometry up to it.
    void MapChanged();
    // One frame, without clearing; the context must be current. Picking updates the cursor cell.
    // Without the tool preview while a click would not add what it shows (a selection, a paste).
    void Draw(TEditorSession& session, const TToolSettings& tools, bool toolPreview = true);
    // The map alone under the current modelview and projection, as a picture of it shows it: the
    // same layers without the picking and the tool preview.
    void DrawMap(const TMapData& map, const TKindCatalogues& kinds, std::uint32_t baseTexture);

private:
    // What the pointer adds to the frame: the cell under it, and there the tool's preview.
    struct TPointer {
        TViewCamera& Camera;
        const TToolSettings& Tools;
        bool ToolPreview;
    };
    void DrawLayers(const TMapData& map, const TKindCatalogues& kinds, std::uint32_t baseTexture,
                    const TPointer* pointer);
    void Update(const TMapData& map, const TKindCatalogues& kinds);
    // Where an object of the kind can show; no box for a kind that draws nothing. Each mesh's own
    // box is found once, so an edit does not walk every vertex of every object again.
    TBox ObjectBox(const TKindLookup& kind, const TObjectPlacement& placement, std::int32_t angle);
    // Whether the object must be drawn: it may show, or it lies outside the view with a mesh whose
    // leftover state only drawing it gives. One that is not drawn leaves that state all the same.
    bool MustDraw(const TBox& box, const TKindLookup& kind, const TFrustum& frustum);
    TTileGeometry m_tiles;
    TMeshArrays m_meshes;
    std::vector<TBox> m_groundBoxes;
    std::vector<TBox> m_airBoxes;
    std::map<int, std::optional<TBox>> m_meshBoxes;
    bool m_changed = true;
};

}  // namespace editor
