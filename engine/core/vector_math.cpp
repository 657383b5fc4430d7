#include "engine/core/vector_math.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace engine {

bool operator==(const TVec3& a, const TVec3& b) {
    return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
}

bool operator==(const TVec4& a, const TVec4& b) {
    return a.X == b.X && a.Y == b.Y && a.Z == b.Z && a.W == b.W;
}

bool operator==(const TMat4& a, const TMat4& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

TVec4 operator+(const TVec4& a, const TVec4& b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z, a.W + b.W};
}

TVec4 operator-(const TVec4& a, const TVec4& b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z, a.W - b.W};
}

TVec4 operator*(const TVec4& v, float f) {
    return {v.X * f, v.Y * f, v.Z * f, v.W * f};
}

TVec3 operator+(const TVec3& a, const TVec3& b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}

TVec3 operator-(const TVec3& a, const TVec3& b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

TVec3 operator*(const TVec3& v, float f) {
    return {v.X * f, v.Y * f, v.Z * f};
}

TVec3 Affine(const TVec4& v) {
    return {v.X, v.Y, v.Z};
}

TVec4 Point(const TVec3& v) {
    return {v.X, v.Y, v.Z, 1.0f};
}

TVec4 Direction(const TVec3& v) {
    return {v.X, v.Y, v.Z, 0.0f};
}

float Dot(const TVec3& a, const TVec3& b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

float Dot(const TVec4& a, const TVec4& b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

TVec3 Cross(const TVec3& a, const TVec3& b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

TVec4 Cross(const TVec4& a, const TVec4& b) {
    return Direction(Cross(Affine(a), Affine(b)));
}

float Length(const TVec3& v) {
    return std::sqrt(Dot(v, v));
}

float Length(const TVec4& v) {
    return std::sqrt(Dot(v, v));
}

TVec3 Normalize(const TVec3& v) {
    const float length = Length(v);
    // Also catches lengths that underflow to a non-finite reciprocal.
    if (!(length > 0.0f) || !std::isfinite(1.0f / length)) {
        return {};
    }
    return v * (1.0f / length);
}

TVec4 Normalize(const TVec4& v) {
    return Direction(Normalize(Affine(v)));
}

bool IsNull(const TVec4& v) {
    return v.X == 0.0f && v.Y == 0.0f && v.Z == 0.0f;
}

TVec4 Transform(const TVec4& v, const TMat4& m) {
    TVec4 result;
    for (int i = 0; i < 4; ++i) {
        result[i] = v.X * m[0][i] + v.Y * m[1][i] + v.Z * m[2][i] + v.W * m[3][i];
    }
    return result;
}

TVec4 TransformPoint(const TVec4& v, const TMat4& m) {
    return Transform({v.X, v.Y, v.Z, 1.0f}, m);
}

TVec4 TransformDirection(const TVec4& v, const TMat4& m) {
    return Transform({v.X, v.Y, v.Z, 0.0f}, m);
}

TMat4 operator*(const TMat4& a, const TMat4& b) {
    TMat4 result;
    for (int row = 0; row < 4; ++row) {
        result[row] = Transform(a[row], b);
    }
    return result;
}

TMat4 RigidInverse(const TMat4& m) {
    TMat4 result;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            result[row][col] = m[col][row];
        }
        result[row].W = 0.0f;
    }
    const TVec4 t = m[3];
    for (int col = 0; col < 3; ++col) {
        result[3][col] = -(t.X * result[0][col] + t.Y * result[1][col] + t.Z * result[2][col]);
    }
    result[3].W = 1.0f;
    return result;
}

TMat4 Invert(const TMat4& m) {
    // Gauss-Jordan with partial pivoting on [m | I].
    double a[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        if (!(std::fabs(a[pivot][col]) > 1e-12)) {
            return IdentityMatrix;
        }
        if (pivot != col) {
            for (int c = 0; c < 8; ++c) {
                std::swap(a[pivot][c], a[col][c]);
            }
        }
        const double inv = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c) {
            a[col][c] *= inv;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != col && a[r][col] != 0.0) {
                const double f = a[r][col];
                for (int c = 0; c < 8; ++c) {
                    a[r][c] -= f * a[col][c];
                }
            }
        }
    }
    TMat4 result;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            result[r][c] = static_cast<float>(a[r][c + 4]);
        }
    }
    return result;
}

float DegToRad(float degrees) {
    return degrees * (std::numbers::pi_v<float> / 180.0f);
}

float RadToDeg(float radians) {
    return radians * (180.0f / std::numbers::pi_v<float>);
}

TVec4 RotateVector(const TVec4& v, const TVec4& axis, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const TVec4 k = Direction(Affine(axis));
    TVec4 result = v * c + Cross(v, k) * s + k * (Dot(k, v) * (1.0f - c));
    result.W = v.W;
    return result;
}

TMat4 RotationMatrix(const TVec4& axis, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    const float x = axis.X;
    const float y = axis.Y;
    const float z = axis.Z;
    TMat4 m;
    m[0] = {t * x * x + c, t * x * y - z * s, t * x * z + y * s, 0.0f};
    m[1] = {t * x * y + z * s, t * y * y + c, t * y * z - x * s, 0.0f};
    m[2] = {t * x * z - y * s, t * y * z + x * s, t * z * z + c, 0.0f};
    return m;
}

}  // namespace engine
