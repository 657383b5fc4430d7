#pragma once

#include "engine/scene/custom_scene_object.h"

namespace engine {

// A rectangle that always faces the viewer, centred on the object's position and sized in world
// units whatever the object's own scale. A negative Width or Height mirrors it and turns its back
// to the viewer, so face culling hides it.
class TGLSprite : public TGLMaterialObject {
public:
    TGLSprite();

    float Width() const { return m_width; }
    void SetWidth(float width) { SetLook(m_width, width); }
    float Height() const { return m_height; }
    void SetHeight(float height) { SetLook(m_height, height); }
    // Degrees about the viewing axis.
    float Rotation() const { return m_rotation; }
    void SetRotation(float degrees) { SetLook(m_rotation, degrees); }
    // Clamped to 0..1; below 1 it becomes the front diffuse alpha while drawing.
    float AlphaChannel() const { return m_alphaChannel; }
    void SetAlphaChannel(float alpha);
    bool NoZWrite() const { return m_noZWrite; }
    void SetNoZWrite(bool noZWrite) { SetLook(m_noZWrite, noZWrite); }
    bool MirrorU() const { return m_mirrorU; }
    void SetMirrorU(bool mirror) { SetLook(m_mirrorU, mirror); }
    bool MirrorV() const { return m_mirrorV; }
    void SetMirrorV(bool mirror) { SetLook(m_mirrorV, mirror); }

    // (|Width|/2, |Height|/2, |Width|/2).
    TVec4 HalfExtents() const override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    // A sprite of another default size (HUD sprites count in pixels).
    TGLSprite(float width, float height);
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

    template <class T>
    void SetLook(T& field, T value) {
        if (field == value) {
            return;
        }
        field = value;
        MarkStructureChanged();
    }

private:
    float m_width = 1.0f;
    float m_height = 1.0f;
    float m_rotation = 0.0f;
    float m_alphaChannel = 1.0f;
    bool m_noZWrite = false;
    bool m_mirrorU = false;
    bool m_mirrorV = false;
};

}  // namespace engine
