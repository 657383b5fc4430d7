#include "editor/view/map_renderer.h"

#include "editor/data/mesh_table.h"
#include "editor/view/draw3d.h"
#include "editor/view/map_drawing.h"
#include "editor/view/map_shapes.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace editor {
namespace {

// A box that contains nothing, so no frustum shows it.
TBox EmptyBox() {
    constexpr double kFar = std::numeric_limits<double>::max();
    return {{kFar, kFar, kFar}, {kFar, kFar, kFar}};
}

// The mesh's first object after its own scaling, boxed; none for a mesh without vertices.
std::optional<TBox> MeshBox(int slot) {
    const TGLMultyMesh* mesh = MeshTable().Mesh(slot);
    if (mesh == nullptr || mesh->Objects().empty() || mesh->Objects().front()->Vertices.empty()) {
        return std::nullopt;
    }
    const TGLMesh& object = *mesh->Objects().front();
    TBox box;
    box.Min.fill(std::numeric_limits<double>::max());
    box.Max.fill(std::numeric_limits<double>::lowest());
    for (const QzmVector& v : object.Vertices) {
        const std::array<double, 3> p = {double{v.X} * object.Scale.X, double{v.Y} * object.Scale.Y,
                                         double{v.Z} * object.Scale.Z};
        for (int i = 0; i < 3; ++i) {
            box.Min[i] = std::min(box.Min[i], p[i]);
            box.Max[i] = std::max(box.Max[i], p[i]);
        }
    }
    return box;
}

// The mesh's box turned about -Z by the angle, stretched by the placement and moved to its
// centre: the corners, boxed again.
TBox PlacedBox(const TBox& mesh, const TObjectPlacement& placement, std::int32_t angle) {
    // RotateZ turns about (0, 0, -1), that is clockwise seen from above.
    const double radians = -angle * std::numbers::pi / 180;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    TBox box;
    box.Min.fill(std::numeric_limits<double>::max());
    box.Max.fill(std::numeric_limits<double>::lowest());
    for (int corner = 0; corner < 8; ++corner) {
        const double x = corner & 1 ? mesh.Max[0] : mesh.Min[0];
        const double y = corner & 2 ? mesh.Max[1] : mesh.Min[1];
        const double z = corner & 4 ? mesh.Max[2] : mesh.Min[2];
        const std::array<double, 3> world = {placement.X + placement.ScaleX * (c * x - s * y),
                                             placement.Y + placement.ScaleY * (s * x + c * y),
                                             placement.Z + placement.ScaleZ * z};
        for (int i = 0; i < 3; ++i) {
            box.Min[i] = std::min(box.Min[i], world[i]);
            box.Max[i] = std::max(box.Max[i], world[i]);
        }
    }
    // A little room for the rounding of the matrices the frame really uses.
    for (int i = 0; i < 3; ++i) {
        const double room = 1e-3 * (1 + std::abs(box.Max[i] - box.Min[i]));
        box.Min[i] -= room;
        box.Max[i] += room;
    }
    return box;
}

TBox CellBox(std::uint8_t x, std::uint8_t y) {
    return {{static_cast<double>(x), static_cast<double>(y), kMarkerLift}, {x + 1.0, y + 1.0, kMarkerLift}};
}

TFrustum CurrentFrustum() {
    std::array<double, 16> modelview{};
    std::array<double, 16> projection{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    return TFrustum(modelview, projection);
}

// The markers that may show, as one batch in array order: translucent blue squares under the tiles.
void DrawSpecialMarkers(const std::vector<TSpecialObject>& specials, const TFrustum& frustum) {
    BindTexture(0);
    SetColor(colours::kBlue, colours::kMarkerAlpha);
    glBegin(GL_QUADS);
    for (const TSpecialObject& object : specials) {
        if (!frustum.MayShow(CellBox(object.X, object.Y))) {
            continue;
        }
        const float x = object.X;
        const float y = object.Y;
        glTexCoord2f(0, 1);
        glVertex3f(x, y, kMarkerLift);
        glTexCoord2f(1, 1);
        glVertex3f(x + 1, y, kMarkerLift);
        glTexCoord2f(1, 0);
        glVertex3f(x + 1, y + 1, kMarkerLift);
        glTexCoord2f(0, 0);
        glVertex3f(x, y + 1, kMarkerLift);
    }
    glEnd();
    if (!specials.empty()) {
        // Each marker's quad ends on the texture corner (0, 0), shown or not.
        glTexCoord2f(0, 0);
    }
    SetColor(colours::kWhite, colours::kOpaque);
}

}  // namespace

TBox TMapRenderer::ObjectBox(const TKindLookup& kind, const TObjectPlacement& placement, std::int32_t angle) {
    if (!kind.Found || kind.Mesh == -1) {
        return EmptyBox();
    }
    auto [entry, made] = m_meshBoxes.try_emplace(kind.Mesh);
    if (made) {
        entry->second = MeshBox(kind.Mesh);
    }
    return entry->second ? PlacedBox(*entry->second, placement, angle) : EmptyBox();
}

bool TMapRenderer::MustDraw(const TBox& box, const TKindLookup& kind, const TFrustum& frustum) {
    return frustum.MayShow(box) || (kind.Found && kind.Mesh != -1 && !m_meshes.Skip(kind.Mesh));
}

void TMapRenderer::MapChanged() {
    m_changed = true;
}

void TMapRenderer::Update(const TMapData& map, const TKindCatalogues& kinds) {
    m_tiles.Update(map.Tiles, kinds);
    m_groundBoxes.clear();
    for (const TGroundObject& object : map.Ground) {
        m_groundBoxes.push_back(ObjectBox(kinds.FindGroundKind(object.Kind), GroundPlacement(object), object.Angle));
    }
    m_airBoxes.clear();
    for (const TAirObject& object : map.Air) {
        m_airBoxes.push_back(ObjectBox(kinds.FindAirKind(object.Kind), AirPlacement(object), object.Angle));
    }
    m_changed = false;
}

void TMapRenderer::Draw(TEditorSession& session, const TToolSettings& tools, bool toolPreview) {
    glPushMatrix();
    ApplyCamera(session.Camera);
    const TPointer pointer{session.Camera, tools, toolPreview};
    DrawLayers(session.Map.Data(), session.Kinds, session.BaseTexture, &pointer);
    glPopMatrix();
}

void TMapRenderer::DrawMap(const TMapData& map, const TKindCatalogues& kinds, std::uint32_t baseTexture) {
    glPushMatrix();
    DrawLayers(map, kinds, baseTexture, nullptr);
    glPopMatrix();
}

void TMapRenderer::DrawLayers(const TMapData& map, const TKindCatalogues& kinds, std::uint32_t baseTexture,
                              const TPointer* pointer) {
    const TMeshDraw drawMesh = [this](int slot) { m_meshes.Draw(slot); };
    DrawBaseSurface(map.Header, baseTexture);
    if (pointer != nullptr) {
        PickCell(pointer->Camera, map.Header.SizeX, map.Header.SizeY);
    }
    if (m_changed) {
        Update(map, kinds);
    }
    const TFrustum frustum = CurrentFrustum();

    m_tiles.Draw(frustum);
    SetColor(colours::kWhite, colours::kOpaque);
    if (!map.Tiles.empty()) {
        // Where immediate mode leaves it: the last corner of the last tile.
        glTexCoord2f(kTileQuads.back().back().s, kTileQuads.back().back().t);
    }
    BeginGroundLighting();
    for (std::size_t i = 0; i < map.Ground.size(); ++i) {
        if (MustDraw(m_groundBoxes[i], kinds.FindGroundKind(map.Ground[i].Kind), frustum)) {
            DrawLitGroundObject(map.Ground[i], kinds, drawMesh);
        }
    }
    EndGroundLighting();
    if (pointer != nullptr && pointer->ToolPreview && pointer->Camera.HasCursor()) {
        const TViewCamera& camera = pointer->Camera;
        DrawToolPreview(pointer->Tools, kinds, camera.CursorX, camera.CursorY, drawMesh);
    }
    DrawSpecialMarkers(map.Specials, frustum);
    for (std::size_t i = 0; i < map.Air.size(); ++i) {
        if (MustDraw(m_airBoxes[i], kinds.FindAirKind(map.Air[i].Kind), frustum)) {
            DrawAirObject(map.Air[i], kinds, drawMesh);
        }
    }
}

}  // namespace editor
