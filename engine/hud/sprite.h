#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/scene/custom_scene_object.h"

namespace engine {

// A rectangle that always faces the viewer, centred on the object's position and sized in world
// units whatever the object's own scale. A negative Width or Height mirrors it and turns its back
// to the viewer, so face culling hides it.
class TGLSprite : public TGLMaterialObject {
public:
    TGLSprite();

    float Width() const { return m_width; }
    void SetWidth(float width) { SetAndNotify(m_width, width, [this] { MarkStructureChanged(); }); }
    float Height() const { return m_height; }
    void SetHeight(float height) { SetAndNotify(m_height, height, [this] { MarkStructureChanged(); }); }
    // Degrees about the viewing axis.
    float Rotation() const { return m_rotation; }
    void SetRotation(float degrees) { SetAndNotify(m_rotation, degrees, [this] { MarkStructureChanged(); }); }
    // Clamped to 0..1; below 1 it becomes the front diffuse alpha while drawing.
    float AlphaChannel() const { return m_alphaChannel; }
    void SetAlphaChannel(float alpha);
    bool NoZWrite() const { return m_noZWrite; }
    void SetNoZWrite(bool noZWrite) { SetAndNotify(m_noZWrite, noZWrite, [this] { MarkStructureChanged(); }); }
    bool MirrorU() const { return m_mirrorU; }
    void SetMirrorU(bool mirror) { SetAndNotify(m_mirrorU, mirror, [this] { MarkStructureChanged(); }); }
    bool MirrorV() const { return m_mirrorV; }
    void SetMirrorV(bool mirror) { SetAndNotify(m_mirrorV, mirror, [this] { MarkStructureChanged(); }); }

    // (|Width|/2, |Height|/2, |Width|/2).
    TVec4 HalfExtents() const override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    // A sprite of another default size (HUD sprites count in pixels).
    TGLSprite(float width, float height);
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

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
