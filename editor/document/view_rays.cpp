#include "editor/document/view_rays.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace editor {
namespace {

constexpr double kZoomNotchFactor = 0.9;

struct TVector {
    double X = 0, Y = 0, Z = 0;
};

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// The eye's direction turned back into map axes: the view turns the map by Tilt about (-1, 0, 0)
// and then by Spin about (0, 0, -1), so the inverse undoes the tilt first, then the spin.
TVector ToMapAxes(const TViewCamera& camera, TVector eye) {
    const double ct = std::cos(Radians(camera.Tilt));
    const double st = std::sin(Radians(camera.Tilt));
    const TVector untilted = {eye.X, ct * eye.Y - st * eye.Z, st * eye.Y + ct * eye.Z};
    const double cs = std::cos(Radians(camera.Spin));
    const double ss = std::sin(Radians(camera.Spin));
    return {cs * untilted.X - ss * untilted.Y, ss * untilted.X + cs * untilted.Y, untilted.Z};
}

// The ray through the window point, in map axes, one unit long along the view's axis.
TVector RayThrough(const TViewCamera& camera, int width, int height, double x, double y) {
    const double halfHeight = std::tan(Radians(camera_limits::kFieldOfView) / 2);
    const double safeHeight = height > 0 ? height : 1;
    const double aspect = width / safeHeight;
    const double ndcX = 2 * x / (width > 0 ? width : 1) - 1;
    const double ndcY = 2 * y / safeHeight - 1;
    return ToMapAxes(camera, {ndcX * halfHeight * aspect, ndcY * halfHeight, -1});
}

// How far along the ray (in view-axis units) the map plane lies; negative or infinite when the ray
// does not come down to it. The eye stands at (-PanX, -PanY, -Zoom).
double DistanceToPlane(const TViewCamera& camera, const TVector& ray) {
    return ray.Z < 0 ? camera.Zoom / ray.Z : -1;
}

TMapPoint PointAlong(const TViewCamera& camera, const TVector& ray, double distance) {
    return {-camera.PanX + ray.X * distance, -camera.PanY + ray.Y * distance};
}

}  // namespace

std::optional<TMapPoint> MapPointAt(const TViewCamera& camera, int width, int height, double x, double y) {
    const TVector ray = RayThrough(camera, width, height, x, y);
    const double distance = DistanceToPlane(camera, ray);
    if (distance <= 0) {
        return std::nullopt;
    }
    return PointAlong(camera, ray, distance);
}

std::array<TMapPoint, 4> ViewFootprint(const TViewCamera& camera, int width, int height) {
    const std::array<std::array<double, 2>, 4> corners = {
        {{0, 0}, {static_cast<double>(width), 0}, {static_cast<double>(width), static_cast<double>(height)},
         {0, static_cast<double>(height)}}};
    std::array<TMapPoint, 4> footprint;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const TVector ray = RayThrough(camera, width, height, corners[i][0], corners[i][1]);
        const double distance = DistanceToPlane(camera, ray);
        footprint[i] = PointAlong(camera, ray,
                                  distance > 0 ? std::min(distance, view_limits::kFarDistance) : view_limits::kFarDistance);
    }
    return footprint;
}

void CentreViewOn(TViewCamera& camera, int width, int height, TMapPoint point) {
    // Tilted at most 85 degrees, the centre ray always comes down to the plane.
    const std::optional<TMapPoint> centre = MapPointAt(camera, width, height, width / 2.0, height / 2.0);
    if (!centre) {
        return;
    }
    camera.PanX += static_cast<float>(centre->X - point.X);
    camera.PanY += static_cast<float>(centre->Y - point.Y);
}

void ZoomTowards(TViewCamera& camera, TMapPoint point, int notches) {
    const float zoom = std::clamp(static_cast<float>(camera.Zoom * std::pow(kZoomNotchFactor, notches)),
                                  camera_limits::kZoomFarthest, camera_limits::kZoomNearest);
    // The eye moves along its line to the point by the share of its height it gives up.
    const double share = 1 - static_cast<double>(zoom) / camera.Zoom;
    camera.PanX -= static_cast<float>(share * (point.X + camera.PanX));
    camera.PanY -= static_cast<float>(share * (point.Y + camera.PanY));
    camera.Zoom = zoom;
}

}  // namespace editor
