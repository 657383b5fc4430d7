#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/core/vector_math.h"

namespace engine {

class TGLCoordinates;

// Whoever holds coordinates hears of their notifying changes through this.
class TGLCoordinatesOwner {
public:
    // The generic change signal for plain holders (a material's texture offset and scale).
    virtual void CoordinatesChanged(TGLCoordinates& which) = 0;
    // Scene objects override this to keep their axes orthonormal; plain holders get the generic signal.
    virtual void CoordinatesEdited(TGLCoordinates& which) { CoordinatesChanged(which); }

protected:
    ~TGLCoordinatesOwner() = default;
};

// How whole-vector assignments treat W.
enum TGLCoordinatesStyle { csPoint, csVector, csFree };

// Four floats with change notification: the Position, Direction, Up and Scale of a scene object,
// and texture offsets and scales of materials.
class TGLCoordinates {
public:
    TGLCoordinates(TGLCoordinatesOwner* owner, const TVec4& value, TGLCoordinatesStyle style);
    TGLCoordinates(const TGLCoordinates&) = delete;
    TGLCoordinates& operator=(const TGLCoordinates&) = delete;

    const TVec4& AsVector() const { return m_value; }
    TVec3 GetAffine() const { return Affine(m_value); }
    float X() const { return m_value.X; }
    float Y() const { return m_value.Y; }
    float Z() const { return m_value.Z; }
    float W() const { return m_value.W; }
    TGLCoordinatesStyle Style() const { return m_style; }

    // Published components: notify when the value changes.
    void SetX(float value) { SetAndNotify(m_value.X, value, [this] { Notify(); }); }
    void SetY(float value) { SetAndNotify(m_value.Y, value, [this] { Notify(); }); }
    void SetZ(float value) { SetAndNotify(m_value.Z, value, [this] { Notify(); }); }

    // Copies four components, forces W by style and notifies.
    void SetAll(const TVec4& v);
    void SetAll(float x, float y, float z) { SetAll(TVec4{x, y, z, m_value.W}); }
    // Sets component i (0..3, W unforced) and notifies; any other index is ignored.
    void SetComponent(int i, float value);
    // Adds f·v (all four components) and notifies.
    void Accumulate(const TVec4& v, float f);
    // Rotates X, Y, Z about the unit axis by angle radians and notifies.
    void RotateAbout(const TVec4& axis, float angle);
    // Normalises X, Y, Z (a zero vector stays zero), forces W by style and notifies.
    void Normalize();

    // Copies the four components without notifying anyone.
    void Assign(const TGLCoordinates& source) { m_value = source.m_value; }
    void AssignSilently(const TVec4& v) { m_value = v; }

private:
    void ForceStyle();
    void Notify();

    TGLCoordinatesOwner* m_owner;
    TVec4 m_value;
    TGLCoordinatesStyle m_style;
};

}  // namespace engine
