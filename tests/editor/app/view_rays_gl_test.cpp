#include "editor/document/view_rays.h"
#include "editor/view/map_drawing.h"
#include "tests/support/gl_test_context.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace editor {
namespace {

// The view's own matrices, as the frame sets them up, project and unproject the points that the
// camera-only reckoning of the overview, the zoom and the jumps must agree with.
class ViewMatrices {
public:
    ViewMatrices(const TViewCamera& camera, int width, int height) {
        SetViewProjection(width, height);
        glPushMatrix();
        ApplyCamera(camera);
        glGetDoublev(GL_MODELVIEW_MATRIX, m_modelview.data());
        glGetDoublev(GL_PROJECTION_MATRIX, m_projection.data());
        glGetIntegerv(GL_VIEWPORT, m_viewport.data());
        glPopMatrix();
    }

    // Where the window point's ray meets the map plane: on the near-to-far segment when `withinFar`
    // (else the far end), anywhere in front otherwise.
    std::optional<TMapPoint> OnPlane(double x, double y, bool withinFar) const {
        const auto near = Unproject(x, y, 0);
        const auto far = Unproject(x, y, 1);
        const double t = near[2] / (near[2] - far[2]);
        if (withinFar && !(t >= 0 && t <= 1)) {
            return TMapPoint{far[0], far[1]};
        }
        if (!(t > 0)) {
            return std::nullopt;
        }
        return TMapPoint{near[0] + t * (far[0] - near[0]), near[1] + t * (far[1] - near[1])};
    }

    std::array<double, 2> Project(TMapPoint point) const {
        std::array<double, 3> window{};
        gluProject(point.X, point.Y, 0, m_modelview.data(), m_projection.data(), m_viewport.data(), &window[0],
                   &window[1], &window[2]);
        return {window[0], window[1]};
    }

private:
    std::array<double, 3> Unproject(double x, double y, double depth) const {
        std::array<double, 3> point{};
        gluUnProject(x, y, depth, m_modelview.data(), m_projection.data(), m_viewport.data(), &point[0], &point[1],
                     &point[2]);
        return point;
    }

    std::array<double, 16> m_modelview{};
    std::array<double, 16> m_projection{};
    std::array<int, 4> m_viewport{};
};

TViewCamera Camera(int tilt, int spin, float panX, float panY, float zoom) {
    TViewCamera camera;
    camera.Tilt = tilt;
    camera.Spin = spin;
    camera.PanX = panX;
    camera.PanY = panY;
    camera.Zoom = zoom;
    return camera;
}

// The unprojection of the far plane goes through the view's float matrices, with a far plane ten
// thousand times the near one: points far out agree to a few parts in ten thousand.
void ExpectSamePoint(const TMapPoint& actual, const TMapPoint& expected) {
    const double tolerance = 1e-3 + 3e-4 * (std::abs(expected.X) + std::abs(expected.Y));
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

// Straight down, tilted, turned, zoomed far and near, with corner rays above the horizon and past
// the far plane; wide and tall views.
TEST(ViewRaysGLTest, FootprintPointsJumpsAndZoomAgreeWithTheViewsMatrices) {
    tests::GLTestContext context(64, 64);
    const std::vector<TViewCamera> cameras = {
        Camera(0, 0, -2, -2, -6),        Camera(30, 45, -10, -3, -12),  Camera(60, -120, -100, -50, -25),
        Camera(85, 200, -5, -5, -1),     Camera(70, 0, -128, -128, -30), Camera(12, 360, -250, -3, -2.5f),
    };
    const std::vector<std::array<int, 2>> sizes = {{320, 240}, {200, 300}};
    for (const auto& [width, height] : sizes) {
        for (const TViewCamera& camera : cameras) {
            SCOPED_TRACE(testing::Message() << width << "x" << height << " tilt " << camera.Tilt << " spin "
                                            << camera.Spin << " zoom " << camera.Zoom);
            const ViewMatrices view(camera, width, height);
            const std::array<TMapPoint, 4> footprint = ViewFootprint(camera, width, height);
            const std::array<std::array<double, 2>, 4> corners = {
                {{0, 0}, {double(width), 0}, {double(width), double(height)}, {0, double(height)}}};
            for (std::size_t i = 0; i < corners.size(); ++i) {
                ExpectSamePoint(footprint[i], *view.OnPlane(corners[i][0], corners[i][1], true));
            }
            for (const auto& [x, y] : {std::array<double, 2>{width * 0.3, height * 0.7}, {width * 0.9, height * 0.1}}) {
                const std::optional<TMapPoint> expected = view.OnPlane(x, y, false);
                const std::optional<TMapPoint> actual = MapPointAt(camera, width, height, x, y);
                ASSERT_EQ(actual.has_value(), expected.has_value());
                if (actual) {
                    ExpectSamePoint(*actual, *expected);
                }
            }

            TViewCamera centred = camera;
            CentreViewOn(centred, width, height, {17.25, 40.5});
            const std::array<double, 2> centre = ViewMatrices(centred, width, height).Project({17.25, 40.5});
            EXPECT_NEAR(centre[0], width / 2.0, 0.05);
            EXPECT_NEAR(centre[1], height / 2.0, 0.05);

            const std::optional<TMapPoint> below = MapPointAt(camera, width, height, width * 0.2, height * 0.4);
            ASSERT_TRUE(below);
            const TMapPoint target = *below;
            for (const int notches : {3, -5}) {
                TViewCamera zoomed = camera;
                ZoomTowards(zoomed, target, notches);
                const std::array<double, 2> still = ViewMatrices(zoomed, width, height).Project(target);
                EXPECT_NEAR(still[0], width * 0.2, 0.05);
                EXPECT_NEAR(still[1], height * 0.4, 0.05);
                EXPECT_GE(zoomed.Zoom, camera_limits::kZoomFarthest);
                EXPECT_LE(zoomed.Zoom, camera_limits::kZoomNearest);
            }
        }
    }
}

}  // namespace
}  // namespace editor
