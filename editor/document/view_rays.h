#pragma once

#include "editor/document/view_camera.h"

#include <array>
#include <optional>

// Where the view's rays meet the map plane, worked out from the camera alone, so the overview, the
// zoom towards the pointer and the jumps to a cell need no frame drawn and no depth read back.
namespace editor {

namespace view_limits {
// The view's far plane: what lies farther is not drawn.
constexpr double kFarDistance = 100;
}  // namespace view_limits

struct TMapPoint {
    double X = 0;
    double Y = 0;
};

// The map point (z = 0) under the window point (x from the left, y from the bottom, in the pixels
// of a view width x height); nothing when the ray runs above the horizon.
std::optional<TMapPoint> MapPointAt(const TViewCamera& camera, int width, int height, double x, double y);

// The part of the map plane the view shows: where its four corner rays meet the plane, from the
// lower-left corner counter-clockwise; a ray that meets the plane beyond the far plane, or never,
// is cut where it leaves the view, and that point is dropped on the plane.
std::array<TMapPoint, 4> ViewFootprint(const TViewCamera& camera, int width, int height);

// Pans so the view's centre shows the map point; tilt, spin and zoom stay.
void CentreViewOn(TViewCamera& camera, int width, int height, TMapPoint point);

// Moves the camera straight towards the map point (away for negative notches), so the point stays
// under the pointer: each notch takes a tenth of the distance, within the zoom's limits.
void ZoomTowards(TViewCamera& camera, TMapPoint point, int notches);

}  // namespace editor
