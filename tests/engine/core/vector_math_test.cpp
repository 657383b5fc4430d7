#include "engine/core/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

constexpr float Eps = 1e-5f;

void ExpectVec(const TVec4& actual, const TVec4& expected, float eps = Eps) {
    EXPECT_NEAR(actual.X, expected.X, eps);
    EXPECT_NEAR(actual.Y, expected.Y, eps);
    EXPECT_NEAR(actual.Z, expected.Z, eps);
    EXPECT_NEAR(actual.W, expected.W, eps);
}

void ExpectMat(const TMat4& actual, const TMat4& expected, float eps = 1e-4f) {
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        ExpectVec(actual[r], expected[r], eps);
    }
}

TMat4 SampleAffine() {
    TMat4 m = RotationMatrix(Normalize(TVec4{1, 2, 3, 0}), 0.7f);
    m[0] = m[0] * 2.0f;
    m[1] = m[1] * 0.5f;
    m[2] = m[2] * 3.0f;
    m[3] = {4, -5, 6, 1};
    return m;
}

TEST(VectorMath, NormalizeZeroStaysZeroAndNeverNaN) {
    ExpectVec(Normalize(TVec4{0, 0, 0, 1}), TVec4{});
    ExpectVec(Normalize(TVec4{1e-30f, 0, 0, 1}), TVec4{});
    const TVec3 zero = Normalize(TVec3{});
    EXPECT_EQ(zero, TVec3{});
}

TEST(VectorMath, NormalizeVec4ClearsW) {
    ExpectVec(Normalize(TVec4{3, 0, 4, 1}), TVec4{0.6f, 0, 0.8f, 0});
}

TEST(VectorMath, CrossOfAxesAndWZero) {
    ExpectVec(Cross(XVector, YVector), ZVector);
    ExpectVec(Cross(ZVector, YVector), TVec4{-1, 0, 0, 0});
    EXPECT_EQ(Cross(TVec4{1, 0, 0, 1}, TVec4{0, 1, 0, 1}).W, 0.0f);
}

TEST(VectorMath, RowVectorConventionTranslatesPointsOnly) {
    TMat4 m;
    m[3] = {10, 20, 30, 1};
    ExpectVec(Transform(TVec4{1, 2, 3, 1}, m), TVec4{11, 22, 33, 1});
    ExpectVec(Transform(TVec4{1, 2, 3, 0}, m), TVec4{1, 2, 3, 0});
    ExpectVec(TransformPoint(TVec4{1, 2, 3, 0}, m), TVec4{11, 22, 33, 1});
    ExpectVec(TransformDirection(TVec4{1, 2, 3, 1}, m), TVec4{1, 2, 3, 0});
}

TEST(VectorMath, ProductAppliesLeftMatrixFirst) {
    TMat4 rotate = RotationMatrix(ZVector, DegToRad(90));
    TMat4 translate;
    translate[3] = {5, 0, 0, 1};
    // Rotate +X to -Y, then move by +5 in X.
    ExpectVec(TransformPoint(XVector, rotate * translate), TVec4{5, -1, 0, 1});
    ExpectVec(TransformPoint(XVector, translate * rotate), TVec4{0, -6, 0, 1});
}

TEST(VectorMath, RotationAboutZTurnsXTowardsMinusY) {
    ExpectVec(RotateVector(XVector, ZVector, DegToRad(90)), TVec4{0, -1, 0, 0});
    ExpectVec(Transform(XVector, RotationMatrix(ZVector, DegToRad(90))), TVec4{0, -1, 0, 0});
}

TEST(VectorMath, RotationMatrixMatchesVectorRule) {
    const TVec4 axis = Normalize(TVec4{-2, 1, 0.5f, 0});
    const TMat4 m = RotationMatrix(axis, 1.3f);
    for (const TVec4& v : {TVec4{1, 2, 3, 0}, TVec4{-4, 0.5f, 2, 0}, axis}) {
        ExpectVec(Transform(v, m), RotateVector(v, axis, 1.3f));
    }
}

TEST(VectorMath, RotateVectorKeepsW) {
    EXPECT_EQ(RotateVector(TVec4{1, 0, 0, 1}, YVector, 0.4f).W, 1.0f);
}

TEST(VectorMath, GeneralInverseUndoesAffineMatrix) {
    const TMat4 m = SampleAffine();
    ExpectMat(m * Invert(m), IdentityMatrix);
    ExpectMat(Invert(m) * m, IdentityMatrix);
}

TEST(VectorMath, RigidInverseAgreesWithGeneralInverse) {
    TMat4 m = RotationMatrix(Normalize(TVec4{0.3f, -1, 2, 0}), 2.1f);
    m[3] = {-7, 3, 0.25f, 1};
    ExpectMat(RigidInverse(m), Invert(m));
}

TEST(VectorMath, SingularInverseIsIdentityNotNaN) {
    TMat4 flat;
    flat[1] = {0, 0, 0, 0};
    EXPECT_EQ(Invert(flat), IdentityMatrix);
}

}  // namespace
}  // namespace engine
