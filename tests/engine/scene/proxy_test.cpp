#include "engine/scene/custom_scene_object.h"
#include "engine/scene/dummy_cube.h"
#include "engine/scene/proxy_object.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

using test::ExpectVec;

// Counts how often its geometry is emitted.
class CountingObject : public TGLMaterialObject {
public:
    void EmitGeometry(TRenderContextInfo&) override { ++emitted; }
    int emitted = 0;
};

class ProxyDrawing : public ::testing::Test {
protected:
    ProxyDrawing() {
        rci.scene = &world;
        rci.bypassDisplayLists = true;
        rci.ignoreMaterials = true;
    }
    TGLWorld world;
    TRenderContextInfo rci;
};

TEST_F(ProxyDrawing, DrawsAnInvisibleMastersContentsAndChildren) {
    auto* master = world.Objects().CreateChild<CountingObject>();
    auto* masterChild = master->CreateChild<CountingObject>();
    master->SetVisible(false);
    auto* proxy = world.Objects().CreateChild<TGLProxyObject>();
    proxy->SetMasterObject(master);
    world.Objects().DrawContents(rci, false, true);
    EXPECT_EQ(master->emitted, 1);
    EXPECT_EQ(masterChild->emitted, 1);
    EXPECT_FALSE(rci.proxySubObject);  // restored after the master

    proxy->SetProxyOptions(TGLProxyObjectOptions{pooEffects});
    world.Objects().DrawContents(rci, false, true);
    EXPECT_EQ(master->emitted, 1);
}

TEST_F(ProxyDrawing, ProxyOfItselfDrawsOnceAndDoesNotRecurse) {
    auto* proxy = world.Objects().CreateChild<TGLProxyObject>();
    auto* child = proxy->CreateChild<CountingObject>();
    proxy->SetMasterObject(proxy);
    proxy->RenderNode(rci);
    EXPECT_EQ(child->emitted, 1);
}

TEST_F(ProxyDrawing, ProxyBelowItsOwnMasterDrawsTheMasterOnce) {
    auto* master = world.Objects().CreateChild<CountingObject>();
    auto* proxy = master->CreateChild<TGLProxyObject>();
    proxy->SetMasterObject(master);
    master->RenderNode(rci);
    // The master itself, then once more through the proxy, whose second visit stops.
    EXPECT_EQ(master->emitted, 2);
}

TEST(ProxyObject, MasterLinkHalfExtentsAndCopies) {
    TGLWorld world;
    auto* master = world.Objects().CreateChild<TGLDummyCube>();
    master->SetCubeSize(4);
    auto* proxy = world.Objects().CreateChild<TGLProxyObject>();
    EXPECT_EQ(proxy->HalfExtents(), TVec4{});
    EXPECT_TRUE(proxy->HasStyle(AltersRenderState));
    proxy->SetMasterObject(master);
    proxy->SetProxyOptions(TGLProxyObjectOptions{pooObjects});
    ExpectVec(proxy->HalfExtents(), TVec4{2, 2, 2, 0});

    auto* copy = world.Objects().CreateChild<TGLProxyObject>();
    copy->CopyFrom(*proxy);
    EXPECT_EQ(copy->MasterObject(), master);
    EXPECT_EQ(copy->ProxyOptions(), TGLProxyObjectOptions{pooObjects});

    master->Free();
    EXPECT_EQ(proxy->MasterObject(), nullptr);
    EXPECT_EQ(copy->MasterObject(), nullptr);
    EXPECT_EQ(proxy->HalfExtents(), TVec4{});
}

// The ray test answers for the master's geometry where the proxy draws it: at the proxy's origin,
// or with pooTransformation where the master's local transform puts it under the proxy (the
// master's parent plays no part either way).
TEST(ProxyRay, HitsTheMasterWhereTheProxyDrawsIt) {
    TGLWorld world;
    auto* group = world.Objects().CreateChild<TGLBaseSceneObject>();
    group->SetPosition(TVec4{0, 0, 3, 1});
    group->TurnBy(30);
    // The master's default ray test: its bounding sphere, radius sqrt(0.75) at scale 1.
    auto* master = group->CreateChild<TGLBaseSceneObject>();
    master->SetPosition(TVec4{10, 0, 0, 1});
    auto* proxy = world.Objects().CreateChild<TGLProxyObject>();
    EXPECT_FALSE(proxy->IntersectRay(TVec4{-5, 5, 0, 1}, TVec4{1, 0, 0, 0}, nullptr, nullptr));
    proxy->SetMasterObject(master);
    proxy->SetPosition(TVec4{0, 5, 0, 1});
    proxy->TurnBy(90);
    const TVec4 localX = proxy->LocalToWorld(XVector);
    const TVec4 atOrigin = proxy->GetWorldPosition();
    const TVec4 placed = proxy->LocalToWorld(TVec4{10, 0, 0, 1});
    const float r = std::sqrt(0.75f);
    const struct {
        TGLProxyObjectOptions options;
        TVec4 drawnAt;
        TVec4 elsewhere;
    } cases[] = {
        {TGLProxyObjectOptions{pooObjects}, atOrigin, placed},
        {TGLProxyObjectOptions{pooEffects, pooObjects, pooTransformation}, placed, atOrigin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.Contains(pooTransformation) ? "with the master's transform" : "without");
        proxy->SetProxyOptions(c.options);
        TVec4 point;
        TVec4 normal;
        // A ray along the proxy's local X axis towards the drawn centre.
        ASSERT_TRUE(proxy->IntersectRay(c.drawnAt + localX * -5.0f, localX * 3.0f, &point, &normal));
        ExpectVec(point, c.drawnAt + localX * -r);
        ExpectVec(normal, localX * -1.0f);
        EXPECT_FALSE(proxy->IntersectRay(c.elsewhere + YVector * -5.0f, YVector, nullptr, nullptr));
        EXPECT_FALSE(proxy->IntersectRay(master->GetWorldPosition() + YVector * -5.0f, YVector, nullptr, nullptr))
            << "where the master itself stands";
    }
}

}  // namespace
}  // namespace engine
