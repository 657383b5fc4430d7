#pragma once

namespace engine {

// Row-vector conventions: a point transforms as p' = p · M, so a child's world matrix is
// Local · Parent. In an object's matrix rows 0..2 are its scaled X, Up and Direction axes and
// row 3 its position. W is 1 for points and 0 for directions; angles at interfaces are degrees.
//
// Normalising a zero-length vector leaves it zero (and a TVec4's W becomes 0 as for any
// normalisation): never NaN, and callers that need a direction test for zero themselves.

struct TVec3 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

struct TVec4 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
    float W = 0.0f;

    float& operator[](int i) { return i == 0 ? X : i == 1 ? Y : i == 2 ? Z : W; }
    float operator[](int i) const { return i == 0 ? X : i == 1 ? Y : i == 2 ? Z : W; }
};

struct TMat4 {
    TVec4 V[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    TVec4& operator[](int row) { return V[row]; }
    const TVec4& operator[](int row) const { return V[row]; }
};

inline constexpr TVec4 XVector{1, 0, 0, 0};
inline constexpr TVec4 YVector{0, 1, 0, 0};
inline constexpr TVec4 ZVector{0, 0, 1, 0};
inline constexpr TVec4 NullPoint{0, 0, 0, 1};
inline constexpr TMat4 IdentityMatrix{};

bool operator==(const TVec3& a, const TVec3& b);
bool operator==(const TVec4& a, const TVec4& b);
bool operator==(const TMat4& a, const TMat4& b);

// Four-component arithmetic (W takes part).
TVec4 operator+(const TVec4& a, const TVec4& b);
TVec4 operator-(const TVec4& a, const TVec4& b);
TVec4 operator*(const TVec4& v, float f);
TVec3 operator+(const TVec3& a, const TVec3& b);
TVec3 operator-(const TVec3& a, const TVec3& b);
TVec3 operator*(const TVec3& v, float f);

TVec3 Affine(const TVec4& v);
TVec4 Point(const TVec3& v);
TVec4 Direction(const TVec3& v);

// Dot, cross, length and normalisation look at X, Y, Z only; the cross product has W = 0.
float Dot(const TVec3& a, const TVec3& b);
float Dot(const TVec4& a, const TVec4& b);
TVec3 Cross(const TVec3& a, const TVec3& b);
TVec4 Cross(const TVec4& a, const TVec4& b);
float Length(const TVec3& v);
float Length(const TVec4& v);
TVec3 Normalize(const TVec3& v);
TVec4 Normalize(const TVec4& v);
bool IsNull(const TVec4& v);  // X, Y and Z exactly zero

// v · M with all four components: W decides whether row 3 (the translation) applies.
TVec4 Transform(const TVec4& v, const TMat4& m);
TVec4 TransformPoint(const TVec4& v, const TMat4& m);      // as if W = 1
TVec4 TransformDirection(const TVec4& v, const TMat4& m);  // as if W = 0

// a · b: first a, then b.
TMat4 operator*(const TMat4& a, const TMat4& b);

// Inverse of a matrix whose 3x3 part is a pure rotation: transposed rotation, translation −T·Rᵀ.
TMat4 RigidInverse(const TMat4& m);
// General inverse; a singular matrix answers the identity, so callers never see NaN.
TMat4 Invert(const TMat4& m);

float DegToRad(float degrees);
float RadToDeg(float radians);

// Rotates v about the unit axis k by angle radians: v·cos + (v × k)·sin + k·(k·v)·(1 − cos).
// About +Z a positive angle turns +X towards −Y. W of v is kept.
TVec4 RotateVector(const TVec4& v, const TVec4& axis, float angle);
// The same rotation as a matrix for row vectors.
TMat4 RotationMatrix(const TVec4& axis, float angle);

}  // namespace engine
