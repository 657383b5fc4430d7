#include "engine/core/coordinates.h"

#include <gtest/gtest.h>

#include <vector>

namespace engine {
namespace {

// A plain holder: hears the generic change signal only.
class RecordingOwner : public TGLCoordinatesOwner {
public:
    void CoordinatesChanged(TGLCoordinates& which) override { changes.push_back(&which); }
    std::vector<TGLCoordinates*> changes;
};

TEST(Coordinates, StyleForcesWOnWholeVectorAssignmentOnly) {
    RecordingOwner owner;
    TGLCoordinates point(&owner, TVec4{1, 2, 3, 7}, csPoint);
    TGLCoordinates vector(&owner, TVec4{1, 2, 3, 7}, csVector);
    TGLCoordinates free(&owner, TVec4{1, 2, 3, 7}, csFree);
    EXPECT_EQ(point.W(), 1.0f);
    EXPECT_EQ(vector.W(), 0.0f);
    EXPECT_EQ(free.W(), 7.0f);

    point.SetAll(TVec4{4, 5, 6, 0});
    vector.SetAll(TVec4{4, 5, 6, 1});
    free.SetAll(TVec4{4, 5, 6, 9});
    EXPECT_EQ(point.W(), 1.0f);
    EXPECT_EQ(vector.W(), 0.0f);
    EXPECT_EQ(free.W(), 9.0f);

    point.SetComponent(3, 0.5f);
    EXPECT_EQ(point.W(), 0.5f) << "component writes are not forced";
}

TEST(Coordinates, EveryEditNotifiesTheOwnerOnce) {
    RecordingOwner owner;
    TGLCoordinates c(&owner, TVec4{1, 0, 0, 0}, csVector);
    c.SetAll(TVec4{0, 2, 0, 0});
    c.SetComponent(0, 3);
    c.Accumulate(TVec4{1, 1, 1, 0}, 2);
    c.RotateAbout(ZVector, 0.5f);
    c.Normalize();
    EXPECT_EQ(owner.changes.size(), 5u);
    for (TGLCoordinates* which : owner.changes) {
        EXPECT_EQ(which, &c);
    }
}

TEST(Coordinates, PublishedSettersNotifyOnlyOnChange) {
    RecordingOwner owner;
    TGLCoordinates c(&owner, TVec4{1, 2, 3, 0}, csVector);
    c.SetX(1);
    c.SetY(2);
    c.SetZ(3);
    EXPECT_TRUE(owner.changes.empty());
    c.SetZ(4);
    EXPECT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(c.Z(), 4.0f);
}

TEST(Coordinates, AssignmentIsSilent) {
    RecordingOwner owner;
    TGLCoordinates a(&owner, TVec4{1, 2, 3, 1}, csPoint);
    TGLCoordinates b(&owner, TVec4{9, 9, 9, 0}, csVector);
    b.Assign(a);
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_EQ(b.AsVector(), (TVec4{1, 2, 3, 1})) << "all four components are copied";
}

TEST(Coordinates, AccumulateAddsScaledFourComponents) {
    TGLCoordinates c(nullptr, TVec4{1, 1, 1, 1}, csFree);
    c.Accumulate(TVec4{1, 2, 3, 4}, 0.5f);
    EXPECT_EQ(c.AsVector(), (TVec4{1.5f, 2, 2.5f, 3}));
}

TEST(Coordinates, NormalizeOfZeroIsSafe) {
    TGLCoordinates c(nullptr, TVec4{0, 0, 0, 0}, csVector);
    c.Normalize();
    EXPECT_EQ(c.AsVector(), (TVec4{0, 0, 0, 0}));
}

TEST(Coordinates, ComponentIndexOutOfRangeIsIgnored) {
    RecordingOwner owner;
    TGLCoordinates c(&owner, TVec4{1, 2, 3, 0}, csVector);
    c.SetComponent(4, 5);
    c.SetComponent(-1, 5);
    EXPECT_EQ(c.AsVector(), (TVec4{1, 2, 3, 0}));
    EXPECT_TRUE(owner.changes.empty());
}

}  // namespace
}  // namespace engine
