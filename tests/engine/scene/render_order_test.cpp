// The traversal's choices without a rendering context: objects log their geometry instead of
// drawing, and display lists are bypassed.
#include "engine/scene/custom_scene_object.h"
#include "engine/scene/dummy_cube.h"
#include "engine/scene/frustum.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace engine {
namespace {

using Log = std::vector<std::string>;

// A material object that logs its name when its geometry is emitted.
class LoggingObject : public TGLMaterialObject {
public:
    explicit LoggingObject(Log* log = nullptr) : m_log(log) {}
    void EmitGeometry(TRenderContextInfo&) override { m_log->push_back(Name()); }
    void SetStyle(std::uint8_t style) { SetObjectStyle(style); }

private:
    Log* m_log;
};

class RenderOrder : public ::testing::Test {
protected:
    RenderOrder() {
        rci.scene = &world;
        rci.bypassDisplayLists = true;
        rci.ignoreMaterials = true;
        rci.cameraPosition = NullPoint;
    }

    LoggingObject* Add(TGLBaseSceneObject& parent, const std::string& name, TVec4 position,
                       bool blended = false) {
        auto* o = parent.CreateChild<LoggingObject>(&log);
        o->SetName(name);
        o->SetPosition(position);
        if (blended) {
            o->Material().SetBlendingMode(TBlendingMode::bmTransparency);
        }
        return o;
    }

    void Render(TGLBaseSceneObject& root) {
        log.clear();
        root.RenderNode(rci);
    }

    TGLWorld world;
    TRenderContextInfo rci;
    Log log;
};

TEST_F(RenderOrder, FarthestFirstDrawsTheChildAtSquaredDistanceNineBeforeFour) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetObjectsSorting(osRenderFarthestFirst);
    Add(*group, "near", TVec4{0, 2, 0, 1});
    Add(*group, "far", TVec4{3, 0, 0, 1});
    Add(*group, "middle", TVec4{0, 0, -2.5f, 1});
    Render(*group);
    EXPECT_EQ(log, (Log{"far", "middle", "near"}));
}

TEST_F(RenderOrder, NearestFirstReversesTheDistanceOrder) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetObjectsSorting(osRenderNearestFirst);
    Add(*group, "far", TVec4{3, 0, 0, 1});
    Add(*group, "near", TVec4{0, 2, 0, 1});
    Render(*group);
    EXPECT_EQ(log, (Log{"near", "far"}));
}

TEST_F(RenderOrder, BlendedLastDrawsOpaqueInListOrderThenBlendedFarthestFirst) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    Add(*group, "blended near", TVec4{0, 0, -1, 1}, true);
    Add(*group, "opaque far", TVec4{0, 0, -9, 1});
    Add(*group, "blended far", TVec4{0, 0, -5, 1}, true);
    Add(*group, "opaque near", TVec4{0, 0, -0.5f, 1});
    Render(*group);  // the scene's default mode, inherited by the group
    EXPECT_EQ(log, (Log{"opaque far", "opaque near", "blended far", "blended near"}));
}

TEST_F(RenderOrder, NoSortingKeepsListOrderAndTheOverrideEndsWithTheRange) {
    auto* outer = world.Objects().CreateChild<TGLDummyCube>();
    auto* inner = outer->CreateChild<TGLDummyCube>();
    inner->SetObjectsSorting(osNone);
    Add(*inner, "blended", TVec4{0, 0, -1, 1}, true);
    Add(*inner, "opaque", TVec4{0, 0, -2, 1});
    Add(*outer, "blended sibling", TVec4{0, 0, -3, 1}, true);
    Add(*outer, "opaque sibling", TVec4{0, 0, -4, 1});
    Render(*outer);
    // Inside inner: list order. Back in outer: blended last again.
    EXPECT_EQ(log, (Log{"blended", "opaque", "opaque sibling", "blended sibling"}));
    EXPECT_EQ(rci.objectsSorting, osRenderBlendedLast);
}

TEST_F(RenderOrder, InvisibleChildIsSkippedWithItsSubtree) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    auto* hidden = Add(*group, "hidden", NullPoint);
    Add(*hidden, "under hidden", NullPoint);
    Add(*group, "shown", NullPoint);
    hidden->SetVisible(false);
    Render(*group);
    EXPECT_EQ(log, (Log{"shown"}));
    // A single child is drawn without sorting, and only when visible.
    hidden->SetVisible(true);
    group->ChildAt(1)->Free();
    Render(*group);
    EXPECT_EQ(log, (Log{"hidden", "under hidden"}));
}

TEST_F(RenderOrder, DummyCubeSortsByTheMeanOfItsChildren) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetObjectsSorting(osRenderFarthestFirst);
    // At the origin itself, but its children average to 10 units away.
    auto* cluster = group->CreateChild<TGLDummyCube>();
    Add(*cluster, "cluster a", TVec4{0, 0, -8, 1});
    Add(*cluster, "cluster b", TVec4{0, 0, -12, 1});
    Add(*group, "single", TVec4{0, 0, -6, 1});
    test::ExpectVec(cluster->SortPosition(), TVec4{0, 0, -10, 1});
    Render(*group);
    EXPECT_EQ(log, (Log{"cluster b", "cluster a", "single"}));
}

// The view volume of identity matrices: the cube -1..1.
class Culling : public RenderOrder {
protected:
    Culling() {
        const TFrustumPlanes planes = ExtractFrustumPlanes(IdentityMatrix, IdentityMatrix);
        std::copy(planes.begin(), planes.end(), std::begin(rci.rcci.frustumPlanes));
    }
};

TEST_F(Culling, ObjectBasedSkipsAnObjectOutsideButStillVisitsItsChildren) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetVisibilityCulling(vcObjectBased);
    auto* outside = Add(*group, "outside", TVec4{5, 0, 0, 1});
    Add(*outside, "back inside", TVec4{-5, 0, 0, 1});
    Add(*group, "inside", TVec4{0, 0, 0, 1});
    Add(*group, "touching", TVec4{1.5f, 0, 0, 1});  // radius 0.87 reaches into the volume
    Render(*group);
    EXPECT_EQ(log, (Log{"back inside", "inside", "touching"}));
}

TEST_F(Culling, HierarchicalSkipsTheWholeSubtreeUnlessNeverCulled) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetVisibilityCulling(vcHierarchical);
    auto* away = Add(*group, "away", TVec4{0, 10, 0, 1});
    Add(*away, "child of away", TVec4{0, 1, 0, 1});
    // A box stretched by a child that reaches back into the view keeps its parent.
    auto* reaching = Add(*group, "reaching", TVec4{0, -10, 0, 1});
    Add(*reaching, "child in view", TVec4{0, 10, 0, 1});
    Render(*group);
    EXPECT_EQ(log, (Log{"reaching", "child in view"}));

    away->SetStyle(NeverCulled);
    Render(*group);
    EXPECT_EQ(log, (Log{"away", "reaching", "child in view"}));
}

TEST(Frustum, PlanesOfAPerspectiveBoundTheViewVolume) {
    // glFrustum(-1, 1, -1, 1, 1, 10) for row vectors (OpenGL's column-major array read as rows).
    TMat4 p{};
    p[0] = TVec4{1, 0, 0, 0};
    p[1] = TVec4{0, 1, 0, 0};
    p[2] = TVec4{0, 0, -11.0f / 9.0f, -1};
    p[3] = TVec4{0, 0, -20.0f / 9.0f, 0};
    const TFrustumPlanes planes = ExtractFrustumPlanes(IdentityMatrix, p);
    EXPECT_FALSE(SphereOutsideFrustum(planes, TVec4{0, 0, -5, 1}, 0.1f));
    EXPECT_TRUE(SphereOutsideFrustum(planes, TVec4{0, 0, -0.5f, 1}, 0.1f));  // before the near plane
    EXPECT_TRUE(SphereOutsideFrustum(planes, TVec4{0, 0, -11, 1}, 0.5f));    // beyond the far plane
    EXPECT_TRUE(SphereOutsideFrustum(planes, TVec4{3, 0, -2, 1}, 0.5f));     // right of the cone
    EXPECT_FALSE(SphereOutsideFrustum(planes, TVec4{2.5f, 0, -2, 1}, 0.5f)); // grazing it

    TAxisBox box;
    EXPECT_TRUE(BoxOutsideFrustum(planes, box));  // nothing in it
    box.Add(TVec4{-3, -3, -0.5f, 1});
    box.Add(TVec4{3, 3, -0.2f, 1});
    EXPECT_TRUE(BoxOutsideFrustum(planes, box));
    box.Add(TVec4{0, 0, -3, 1});
    EXPECT_FALSE(BoxOutsideFrustum(planes, box));
}

}  // namespace
}  // namespace engine
