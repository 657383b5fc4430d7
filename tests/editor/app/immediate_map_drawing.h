#pragma once

#include "editor/data/mesh_table.h"
#include "editor/document/editor_session.h"
#include "editor/document/tool_settings.h"
#include "editor/view/draw3d.h"
#include "editor/view/map_drawing.h"
#include "editor/view/map_shapes.h"

#include <GL/gl.h>

// The map view's frame as the editor first drew it: every vertex of every tile and object sent
// in immediate mode, each record under its own modelview, nothing kept between frames. The
// pixel comparison holds the cached drawing to it, and the benchmarks time both.
namespace editor::immediate {

inline void DrawTile(const TSurfaceTile& tile, const TKindCatalogues& kinds) {
    glPushMatrix();
    BindTexture(static_cast<std::uint32_t>(kinds.FindSurfaceTexture(tile.Kind)));
    glTranslatef(tile.X + 0.5f, tile.Y + 0.5f, kTileLift);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    for (const auto& quad : kTileQuads) {
        for (const TileVertex& vertex : quad) {
            const std::uint8_t alpha = vertex.blend < 0 ? colours::kOpaque : tile.Blend[vertex.blend];
            glColor4ub(255, 255, 255, alpha);
            glTexCoord2f(vertex.s, vertex.t);
            glVertex3f(vertex.x, vertex.y, 0);
        }
    }
    glEnd();
    SetColor(colours::kWhite, colours::kOpaque);
    glPopMatrix();
}

inline void DrawSpecialMarker(const TSpecialObject& object) {
    glPushMatrix();
    BindTexture(0);
    SetColor(colours::kBlue, colours::kMarkerAlpha);
    glTranslatef(object.X + 0.5f, object.Y + 0.5f, kMarkerLift);
    DrawQuad(1, 1);
    SetColor(colours::kWhite, colours::kOpaque);
    glPopMatrix();
}

inline void DrawMap(TEditorSession& session, const TToolSettings& tools) {
    const TMapData& map = session.Map.Data();
    TViewCamera& camera = session.Camera;
    const TMeshDraw drawMesh = [](int slot) { editor::DrawMesh(slot, 0, false); };
    glPushMatrix();
    ApplyCamera(camera);
    DrawBaseSurface(map.Header, session.BaseTexture);
    PickCell(camera, map.Header.SizeX, map.Header.SizeY);
    for (const TSurfaceTile& tile : map.Tiles) {
        DrawTile(tile, session.Kinds);
    }
    for (const TGroundObject& object : map.Ground) {
        DrawGroundObject(object, session.Kinds, drawMesh);
    }
    if (camera.HasCursor()) {
        DrawToolPreview(tools, session.Kinds, camera.CursorX, camera.CursorY, drawMesh);
    }
    for (const TSpecialObject& object : map.Specials) {
        DrawSpecialMarker(object);
    }
    for (const TAirObject& object : map.Air) {
        DrawAirObject(object, session.Kinds, drawMesh);
    }
    glPopMatrix();
}

}  // namespace editor::immediate
