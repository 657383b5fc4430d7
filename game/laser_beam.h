#pragma once

#include "engine/scene/custom_scene_object.h"
#include "game/game_rules.h"

namespace game {

// A laser tower's beam: a ribbon from the muzzle to the target that turns its face to the camera,
// drawn with its material (additive, the beam picture repeated along its length). Its width
// flickers a little with the frame clock. The ends are world points; the beam may sit anywhere in
// the tree.
class TLaserBeam : public engine::TGLMaterialObject {
public:
    TLaserBeam();

    void SetEnds(const engine::TVec4& from, const engine::TVec4& to);
    const engine::TVec4& From() const { return m_from; }
    const engine::TVec4& To() const { return m_to; }
    // World units across, before the flicker.
    float Width() const { return m_width; }
    void SetWidth(float width) { m_width = width; }
    float Flicker() const { return m_flicker; }

    void ProgressTree(const engine::TProgressTimes& times) override;
    void EmitGeometry(engine::TRenderContextInfo& rci) override;
    std::unique_ptr<engine::TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const engine::TGLBaseSceneObject& source) override;

private:
    engine::TVec4 m_from{0, 0, 0, 1};
    engine::TVec4 m_to{0, 0, 0, 1};
    float m_width = rules::BeamWidth;
    float m_flicker = 1;
};

}  // namespace game
