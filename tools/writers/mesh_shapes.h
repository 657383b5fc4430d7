#pragma once

#include "tools/writers/mesh.h"

#include <optional>
#include <span>

// Primitive shapes for the object models, each textured from one region of the skin. Build a
// shape at the origin, Transform it into place, Append it to the model.
namespace tools {

// Four corners counter-clockwise seen from the front (bottom-left, bottom-right, top-right,
// top-left); the region is mapped with its top edge to the quad's top.
Mesh MakeQuad(const std::array<Vec3, 4>& corners, UvRect skin);

// A box between two corners; every face shows the whole region upright (sides with z up).
Mesh MakeBox(Vec3 min, Vec3 max, UvRect skin);

// A box whose faces repeat the whole picture `repeatsPerUnit` times per unit of their size, for
// skins that tile (the editor's textures repeat outside 0..1).
Mesh MakeTiledBox(Vec3 min, Vec3 max, float repeatsPerUnit);

// A frustum around the z axis from zBottom to zTop; a top radius of 0 makes a cone. The side
// wraps the region once around (u) from bottom to top (v upwards); caps, when given a region,
// show a disc inscribed in it.
Mesh MakeCylinder(float bottomRadius, float topRadius, float zBottom, float zTop, int segments, UvRect side,
                  std::optional<UvRect> caps = std::nullopt);

// A round bar of the given radius from a to b, textured like a cylinder side. Throws
// std::invalid_argument when a and b coincide.
Mesh MakeStrut(Vec3 a, Vec3 b, float radius, int segments, UvRect skin);

// An ellipsoid around the origin: u runs once around, v from the top pole (region top) to the
// bottom pole.
Mesh MakeEllipsoid(Vec3 radii, int segments, int rings, UvRect skin);

// A convex outline in the xy plane (counter-clockwise seen from +z) extruded from zBottom to
// zTop. The sides wrap the side region along the outline; both caps show the cap region
// stretched over the outline's bounding box. Throws std::invalid_argument for fewer than three points.
Mesh MakeExtrusion(std::span<const Vec2> outline, float zBottom, float zTop, UvRect side, UvRect cap);

// Maps each axis independently onto -1..1, as the editor's mesh table expects: its far side at 1
// gives the object a unit scale. Throws std::invalid_argument for a mesh flat on some axis.
void NormaliseToUnitBox(Mesh& mesh);

}  // namespace tools
