#include "engine/mesh/free_form.h"
#include "engine/mesh/mesh_errors.h"
#include "engine/mesh/octree.h"
#include "tests/engine/mesh/height_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using engine::TAffineVectorList;
using engine::TGLFreeForm;
using engine::TOctree;
using engine::TOctreeNode;
using engine::TVec3;
using engine::TVec4;

// A mesh object of plain triangles.
void AddTriangles(engine::TGLBaseMesh& mesh, const TAffineVectorList& vertices) {
    engine::TMeshObject& object = mesh.MeshObjects().Add();
    object.SetMode(engine::momTriangles);
    object.Vertices() = vertices;
}

// A horizontal square at height y over [x0, x1] x [z0, z1], as two triangles.
TAffineVectorList Square(float y, float x0, float x1, float z0, float z1) {
    return {{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z0}, {x1, y, z1}, {x0, y, z1}};
}

void ForEachLeaf(const TOctreeNode& node, const std::function<void(const TOctreeNode&)>& visit) {
    if (node.IsLeaf()) {
        visit(node);
        return;
    }
    for (const auto& child : node.ChildArray) {
        ForEachLeaf(*child, visit);
    }
}

bool Holds(const TOctreeNode& leaf, int firstVertex) {
    return std::find(leaf.TriArray.begin(), leaf.TriArray.end(), firstVertex) != leaf.TriArray.end();
}

TEST(Octree, DepthThreeIsCompleteWithChildrenInTheFixedOrder) {
    TOctree tree;
    tree.InitializeTree({0, 0, 0}, {8, 8, 8}, {}, 3);
    EXPECT_EQ(tree.NodeCount(), 8 + 64 + 512);
    int leaves = 0;
    ForEachLeaf(*tree.RootNode(), [&](const TOctreeNode&) { ++leaves; });
    EXPECT_EQ(leaves, 512);

    // Children 0..7 cover x/y/z halves (L, H, H), (H, H, H), (L, H, L), (H, H, L), (L, L, H), (H, L, H),
    // (L, L, L), (H, L, L).
    const char* halves[8] = {"LHH", "HHH", "LHL", "HHL", "LLH", "HLH", "LLL", "HLL"};
    for (int i = 0; i < 8; ++i) {
        const TOctreeNode& child = *tree.RootNode()->ChildArray[static_cast<std::size_t>(i)];
        const float lo[3] = {child.MinExtent.X, child.MinExtent.Y, child.MinExtent.Z};
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_EQ(lo[axis], halves[i][axis] == 'H' ? 4.0f : 0.0f) << "child " << i << " axis " << axis;
        }
    }
}

TEST(Octree, DepthZeroIsOneLeafHoldingEveryTriangle) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(0, 0, 1, 0, 1));
    mesh.PrepareOctree(0);
    const TOctreeNode& root = *mesh.Octree()->RootNode();
    EXPECT_TRUE(root.IsLeaf());
    EXPECT_EQ(root.TriArray, (engine::TIntegerList{0, 3}));
    EXPECT_EQ(mesh.Octree()->NodeCount(), 0);
    EXPECT_EQ(mesh.Octree()->TriCountOctree(), 2);
}

TEST(Octree, TriangleLandsInEveryLeafItTouches) {
    TOctree tree;
    // A triangle on the y mid-plane touches the upper and the lower leaves; a large one that
    // crosses the low corner leaf with no vertex inside it still lands there.
    const TAffineVectorList triangles{{0.5f, 4, 0.5f}, {1.5f, 4, 0.5f}, {0.5f, 4, 1.5f}, {-1, -1, 3}, {3, -1, -1},
                                      {-1, 3, -1},     {8, 8, 8},       {7, 8, 8},       {8, 7, 8}};
    tree.InitializeTree({0, 0, 0}, {8, 8, 8}, triangles, 1);
    const auto& children = tree.RootNode()->ChildArray;
    EXPECT_TRUE(Holds(*children[2], 0));  // (L, H, L)
    EXPECT_TRUE(Holds(*children[6], 0));  // (L, L, L)
    EXPECT_FALSE(Holds(*children[1], 0));
    EXPECT_TRUE(Holds(*children[6], 3));
    EXPECT_FALSE(Holds(*children[1], 3));
    EXPECT_TRUE(Holds(*children[1], 6));
    EXPECT_EQ(tree.TriCountOctree(), 3);
}

TEST(Octree, RayCastWithoutOctreeIsRefused) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(0, 0, 1, 0, 1));
    try {
        mesh.OctreeRayCast({0.5f, 1, 0.5f, 1}, {0, -1, 0, 0});
        FAIL() << "no error";
    } catch (const engine::EOctreeError& e) {
        EXPECT_STREQ(e.what(), "Octree must have been prepared and setup before use.");
    }
}

TEST(Octree, VerticalRayReturnsTheHighestSurfaceBelowItsStart) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(0, 0, 10, 0, 10));
    AddTriangles(mesh, Square(5, 0, 10, 0, 10));
    mesh.PrepareOctree(3);
    TVec4 point;
    TVec4 normal;
    ASSERT_TRUE(mesh.OctreeRayCast({3.3f, 20, 6.1f, 1}, {0, -1, 0, 0}, &point, &normal));
    EXPECT_FLOAT_EQ(point.Y, 5.0f);
    EXPECT_FLOAT_EQ(point.X, 3.3f);
    EXPECT_FLOAT_EQ(point.Z, 6.1f);
    EXPECT_EQ(point.W, 1.0f);
    EXPECT_EQ(normal.W, 0.0f);
    ASSERT_TRUE(mesh.OctreeRayCast({3.3f, 4, 6.1f, 1}, {0, -1, 0, 0}, &point, nullptr));
    EXPECT_FLOAT_EQ(point.Y, 0.0f);
    // Below everything, and on a surface itself: only hits strictly in front count.
    EXPECT_FALSE(mesh.OctreeRayCast({3.3f, -1, 6.1f, 1}, {0, -1, 0, 0}));
    EXPECT_FALSE(mesh.OctreeRayCast({3.3f, 0, 6.1f, 1}, {0, -1, 0, 0}));
}

TEST(Octree, CoincidentTrianglesReportTheFirstPlaced) {
    TGLFreeForm mesh;
    // The same triangle twice, the second wound the other way round: only the normal tells them apart.
    AddTriangles(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}});
    mesh.PrepareOctree(2);
    TVec4 normal;
    ASSERT_TRUE(mesh.OctreeRayCast({0.2f, 1, 0.2f, 1}, {0, -1, 0, 0}, nullptr, &normal));
    EXPECT_LT(normal.Y, 0.0f);  // (1,0,0) x (0,0,1) points down
    ASSERT_TRUE(mesh.IntersectRay({0.2f, 1, 0.2f, 1}, {0, -1, 0, 0}, nullptr, &normal));
    EXPECT_LT(normal.Y, 0.0f);
}

TEST(Octree, RayParallelToATriangleNeverHitsIt) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(0, 0, 1, 0, 1));
    mesh.PrepareOctree(1);
    EXPECT_FALSE(mesh.OctreeRayCast({-1, 0, 0.5f, 1}, {1, 0, 0, 0}));
    EXPECT_FALSE(mesh.IntersectRay({-1, 0, 0.5f, 1}, {1, 0, 0, 0}, nullptr, nullptr));
}

TEST(Octree, HeightFieldCastsAgreeWithTheTestOverEveryTriangle) {
    TGLFreeForm mesh;
    tests::AddHeightField(mesh, 32);
    mesh.PrepareOctree(3);
    for (float x = 0.25f; x < 32; x += 3.7f) {
        for (float z = 0.4f; z < 32; z += 2.9f) {
            TVec4 fast;
            TVec4 plain;
            ASSERT_TRUE(mesh.OctreeRayCast({x, 50, z, 1}, {0, -1, 0, 0}, &fast, nullptr)) << x << "," << z;
            ASSERT_TRUE(mesh.IntersectRay({x, 50, z, 1}, {0, -1, 0, 0}, &plain, nullptr));
            EXPECT_FLOAT_EQ(fast.Y, plain.Y);
            // The hit lies within the heights of the cell's corners.
            const float cx = std::floor(x);
            const float cz = std::floor(z);
            const float h[4] = {tests::FieldHeight(cx, cz), tests::FieldHeight(cx + 1, cz),
                                tests::FieldHeight(cx, cz + 1), tests::FieldHeight(cx + 1, cz + 1)};
            EXPECT_GE(fast.Y, *std::min_element(h, h + 4) - 1e-4f);
            EXPECT_LE(fast.Y, *std::max_element(h, h + 4) + 1e-4f);
        }
    }
    // A slanted ray, from outside the mesh's box.
    TVec4 fast;
    TVec4 plain;
    ASSERT_TRUE(mesh.OctreeRayCast({-5, 20, -3, 1}, {0.6f, -0.5f, 0.62f, 0}, &fast, nullptr));
    ASSERT_TRUE(mesh.IntersectRay({-5, 20, -3, 1}, {0.6f, -0.5f, 0.62f, 0}, &plain, nullptr));
    EXPECT_FLOAT_EQ(fast.X, plain.X);
    EXPECT_FLOAT_EQ(fast.Y, plain.Y);
}

TEST(Octree, ResultsFollowTheObjectsTransformAndNormalsOrientation) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(1, -1, 1, -1, 1));
    mesh.SetScale({0.1f, 0.1f, 0.1f, 0});
    mesh.SetPosition({10, 0, 0, 1});
    mesh.PrepareOctree(2);
    TVec4 point;
    TVec4 normal;
    ASSERT_TRUE(mesh.OctreeRayCast({10.05f, 5, 0.02f, 1}, {0, -1, 0, 0}, &point, &normal));
    EXPECT_NEAR(point.X, 10.05f, 1e-5f);
    EXPECT_NEAR(point.Y, 0.1f, 1e-6f);
    EXPECT_NEAR(point.Z, 0.02f, 1e-6f);
    // The normal goes through the scaling unnormalised: e1 x e2 of the square's triangle is (0, -4, 0)
    // locally, 0.1 of that in the world.
    EXPECT_NEAR(normal.Y, -0.4f, 1e-6f);
    mesh.SetNormalsOrientation(engine::mnoInvert);
    ASSERT_TRUE(mesh.OctreeRayCast({10.05f, 5, 0.02f, 1}, {0, -1, 0, 0}, nullptr, &normal));
    EXPECT_NEAR(normal.Y, 0.4f, 1e-6f);
}

TEST(Octree, LaterMeshChangesAreNotSeenUntilRebuilt) {
    TGLFreeForm mesh;
    AddTriangles(mesh, Square(0, 0, 1, 0, 1));
    mesh.PrepareOctree(1);
    mesh.MeshObjects()[0].Vertices() = Square(2, 0, 1, 0, 1);
    TVec4 point;
    ASSERT_TRUE(mesh.OctreeRayCast({0.5f, 5, 0.5f, 1}, {0, -1, 0, 0}, &point, nullptr));
    EXPECT_FLOAT_EQ(point.Y, 0.0f);
    mesh.PrepareOctree(1);
    ASSERT_TRUE(mesh.OctreeRayCast({0.5f, 5, 0.5f, 1}, {0, -1, 0, 0}, &point, nullptr));
    EXPECT_FLOAT_EQ(point.Y, 2.0f);
}

}  // namespace
