#pragma once

#include "engine/scene/camera_invariant_object.h"

#include <functional>

namespace engine {

// Lets the game decide per frame whether a dummy cube's subtree is drawn (the game sets none).
using TGLVisibilityDeterminationEvent = std::function<bool(TComponent* sender, TRenderContextInfo& rci)>;

// A grouping node: draws nothing at run time unless VisibleAtRunTime (then a wire cube of
// CubeSize in EdgeColor); its children render normally.
class TGLDummyCube : public TGLCameraInvariantObject {
public:
    TGLDummyCube();

    float CubeSize() const { return m_cubeSize; }
    void SetCubeSize(float size);
    // RGBA in 0..1.
    const TVec4& EdgeColor() const { return m_edgeColor; }
    void SetEdgeColor(const TVec4& color);
    bool VisibleAtRunTime() const { return m_visibleAtRunTime; }
    void SetVisibleAtRunTime(bool visible);
    bool Amalgamate() const { return m_amalgamate; }
    void SetAmalgamate(bool amalgamate);
    TGLVisibilityDeterminationEvent OnVisibilityDetermination;

    // The wire cube, when VisibleAtRunTime.
    void EmitGeometry(TRenderContextInfo& rci) override;
    // Nothing of the cube or its subtree is drawn when OnVisibilityDetermination answers false.
    // With Amalgamate the cube and its subtree are compiled into one display list.
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    TVec4 HalfExtents() const override;
    // A dummy cube is never hit by rays.
    bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                      TVec4* intersectNormal) const override;
    // The mean of the children's sort positions when there are children.
    TVec4 SortPosition() const override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    float m_cubeSize = 1.0f;
    TVec4 m_edgeColor{1.0f, 1.0f, 1.0f, 1.0f};
    bool m_visibleAtRunTime = false;
    bool m_amalgamate = false;
};

}  // namespace engine
