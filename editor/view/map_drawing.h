#pragma once

#include "editor/data/kind_catalogue.h"
#include "editor/data/map_records.h"
#include "editor/document/editor_session.h"
#include "editor/document/tool_settings.h"

#include <cstdint>
#include <functional>
#include <utility>

// The drawing operations and picking of the map view, as plain functions over the session so that
// a test can drive them on any current context.
namespace editor {

// The context's state for the whole run: black clear colour, smooth shading, depth test with
// less-or-equal, nicest perspective correction, texturing, colour material and blending with
// source alpha over the frame.
void InitialiseViewState();

// Viewport over the whole client area, 45 degree perspective from 0.01 to 100, identity modelview.
// A client area of height 0 is treated as height 1.
void SetViewProjection(int width, int height);

// The camera's turn, tilt, pan and zoom on the modelview.
void ApplyCamera(const TViewCamera& camera);

// The base surface under the whole map, its texture repeated once per two cells.
void DrawBaseSurface(const TMapHeader& header, std::uint32_t baseTexture);

// How an object's mesh is issued (its first object, flat normals): straight from the mesh table
// or from a list made of exactly that.
using TMeshDraw = std::function<void(int slot)>;

// Where an object stands: its centre and the size of its -1..1 mesh box after the halving.
struct TObjectPlacement {
    float X = 0, Y = 0, Z = 0;
    float ScaleX = 0, ScaleY = 0, ScaleZ = 0;
};
TObjectPlacement GroundPlacement(const TGroundObject& object);
TObjectPlacement AirPlacement(const TAirObject& object);

// A ground object lit by light 0 (OpenGL's default light, from the viewer); nothing for a kind
// without a catalogue entry or mesh.
void DrawGroundObject(const TGroundObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh);
// The same for a run of ground objects between one BeginGroundLighting and EndGroundLighting: the
// software renderer builds a new vertex program each time lighting is switched, which costs more
// than many an object's triangles.
void BeginGroundLighting();
void DrawLitGroundObject(const TGroundObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh);
void EndGroundLighting();
void DrawAirObject(const TAirObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh);

// The preview of what a click would add at the cursor cell, and the red frame of its cells.
void DrawToolPreview(const TToolSettings& tools, const TKindCatalogues& kinds, int cursorX, int cursorY,
                     const TMeshDraw& drawMesh);

// The cell whose inside strictly holds the map point (x, y), or (-1, -1).
std::pair<int, int> CellAt(double x, double y, int sizeX, int sizeY);

// Reads the depth of the pixel under (LastMouseX, LastMouseY), counted from the top-left, and sets
// the cursor cell of the map point there; a pixel where nothing was drawn gives (-1, -1).
void PickCell(TViewCamera& camera, int sizeX, int sizeY);

}  // namespace editor
