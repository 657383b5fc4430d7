#include "engine/scene/dummy_cube.h"

#include <cmath>

namespace engine {

TGLDummyCube::TGLDummyCube() {
    SetObjectStyle(DrawDirect);
}

void TGLDummyCube::SetCubeSize(float size) {
    if (m_cubeSize != size) {
        m_cubeSize = size;
        MarkStructureChanged();
    }
}

void TGLDummyCube::SetEdgeColor(const TVec4& color) {
    if (!(m_edgeColor == color)) {
        m_edgeColor = color;
        MarkStructureChanged();
    }
}

void TGLDummyCube::SetVisibleAtRunTime(bool visible) {
    if (m_visibleAtRunTime != visible) {
        m_visibleAtRunTime = visible;
        MarkStructureChanged();
    }
}

void TGLDummyCube::SetAmalgamate(bool amalgamate) {
    if (m_amalgamate != amalgamate) {
        m_amalgamate = amalgamate;
        MarkStructureChanged();
    }
}

TVec4 TGLDummyCube::HalfExtents() const {
    const float half = std::fabs(m_cubeSize) * 0.5f;
    return TVec4{half, half, half, 0.0f};
}

bool TGLDummyCube::IntersectRay(const TVec4&, const TVec4&, TVec4*, TVec4*) const {
    return false;
}

TVec4 TGLDummyCube::SortPosition() const {
    const int count = ChildCount();
    if (count == 0) {
        return GetWorldPosition();
    }
    TVec4 sum{};
    for (int i = 0; i < count; ++i) {
        sum = sum + ChildAt(i)->SortPosition();
    }
    return sum * (1.0f / static_cast<float>(count));
}

std::unique_ptr<TGLBaseSceneObject> TGLDummyCube::NewInstance() const {
    return std::make_unique<TGLDummyCube>();
}

void TGLDummyCube::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* cube = dynamic_cast<const TGLDummyCube*>(&source)) {
        m_cubeSize = cube->m_cubeSize;
        m_edgeColor = cube->m_edgeColor;
        m_visibleAtRunTime = cube->m_visibleAtRunTime;
        m_amalgamate = cube->m_amalgamate;
        OnVisibilityDetermination = cube->OnVisibilityDetermination;
    }
    TGLCameraInvariantObject::DoCopyFrom(source);
}

}  // namespace engine
