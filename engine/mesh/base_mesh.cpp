#include "engine/mesh/base_mesh.h"

#include "engine/core/set_and_notify.h"
#include "engine/material/material_library.h"
#include "engine/mesh/mesh_errors.h"
#include "engine/mesh/ray_geometry.h"
#include "engine/scene/update_count.h"
#include "engine/scene/world.h"
#include "engine/render/render_context_info.h"
#include "platform/paths.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace engine {

TGLBaseMesh::TGLBaseMesh() {
    SetObjectStyle(AltersRenderState);
    // A library that goes takes the resolved materials with it.
    m_materialLibrary.SetOnFreed([this] { DropMaterialLibraryCache(); });
}

TGLBaseMesh::~TGLBaseMesh() = default;

void TGLBaseMesh::SetMaterialLibrary(TGLMaterialLibrary* library) {
    if (library != m_materialLibrary.Get()) {
        m_materialLibrary.Set(library);
        DropMaterialLibraryCache();
        SignalChange();
    }
}

void TGLBaseMesh::SetLightmapLibrary(TGLMaterialLibrary* library) {
    if (library != m_lightmapLibrary.Get()) {
        m_lightmapLibrary.Set(library);
        SignalChange();
    }
}

void TGLBaseMesh::SetUseMeshMaterials(bool use) {
    if (use != m_useMeshMaterials) {
        m_useMeshMaterials = use;
        if (!use) {
            DropMaterialLibraryCache();
        }
        MarkStructureChanged();
    }
}

void TGLBaseMesh::SetNormalsOrientation(TMeshNormalsOrientation orientation) {
    SetAndNotify(m_normalsOrientation, orientation, [this] { MarkStructureChanged(); });
}

void TGLBaseMesh::CoordinatesEdited(TGLCoordinates& which) {
    // AutoScaling takes effect at the next load only.
    if (&which != &m_autoScaling) {
        TGLMaterialObject::CoordinatesEdited(which);
    }
}

void TGLBaseMesh::LoadFromFile(const std::string& fileName) {
    if (fileName.empty()) {
        return;
    }
    const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(fileName);
    LoadFromStream(fileName, bytes);
}

void TGLBaseMesh::LoadFromStream(const std::string& fileName, std::span<const std::uint8_t> stream) {
    const TVectorFileClass& fileClass = FormatForFile(fileName);
    // The previous geometry comes back when the reader fails, so a bad file never leaves half a mesh.
    TMeshObjectList previous;
    previous.Swap(m_meshObjects);
    MeshLoading();
    try {
        std::unique_ptr<TVectorFile> reader = fileClass(*this);
        reader->SetResourceName(fileName);
        reader->SetNormalsOrientation(m_normalsOrientation);
        TGLUpdateScope<TGLWorld> update(Scene());
        reader->LoadFromStream(stream);
    } catch (...) {
        m_meshObjects.Swap(previous);
        StructureChanged();
        MeshLoadFailed();
        throw;
    }
    ApplyAutoScalingAndCentering();
    StructureChanged();
    MeshLoaded();
}

void TGLBaseMesh::ApplyAutoScalingAndCentering() {
    const TVec3 scale = m_autoScaling.GetAffine();
    if (!(scale == TVec3{1, 1, 1})) {
        for (const auto& object : m_meshObjects) {
            for (TVec3& v : object->Vertices()) {
                v = TVec3{v.X * scale.X, v.Y * scale.Y, v.Z * scale.Z};
            }
        }
    }
    if ((m_autoCentering & (macCenterX | macCenterY | macCenterZ)) == 0) {
        return;
    }
    TVec3 center{};
    if (m_autoCentering & macUseBarycenter) {
        std::size_t count = 0;
        for (const auto& object : m_meshObjects) {
            for (const TVec3& v : object->Vertices()) {
                center = center + v;
                ++count;
            }
        }
        if (count == 0) {
            return;
        }
        center = center * (1.0f / static_cast<float>(count));
    } else {
        TVec3 min;
        TVec3 max;
        MeshBounds(min, max);
        if (min.X > max.X) {
            return;
        }
        center = (min + max) * 0.5f;
    }
    const TVec3 shift{(m_autoCentering & macCenterX) ? center.X : 0.0f,
                      (m_autoCentering & macCenterY) ? center.Y : 0.0f,
                      (m_autoCentering & macCenterZ) ? center.Z : 0.0f};
    for (const auto& object : m_meshObjects) {
        for (TVec3& v : object->Vertices()) {
            v = v - shift;
        }
    }
}

TAffineVectorList TGLBaseMesh::CollectTriangles() const {
    TAffineVectorList triangles;
    for (const auto& object : m_meshObjects) {
        object->AddToTriangles(triangles);
    }
    return triangles;
}

void TGLBaseMesh::MeshBounds(TVec3& min, TVec3& max) const {
    constexpr float large = std::numeric_limits<float>::max();
    min = TVec3{large, large, large};
    max = TVec3{-large, -large, -large};
    for (const auto& object : m_meshObjects) {
        object->ExtendBounds(min, max);
    }
}

void TGLBaseMesh::PrepareMaterialLibraryCache() {
    TGLMaterialLibrary* library = m_materialLibrary.Get();
    for (const auto& object : m_meshObjects) {
        TFaceGroups& groups = object->FaceGroups();
        for (int i = 0; i < groups.Count(); ++i) {
            TFaceGroup& group = groups[i];
            group.SetMaterialCache(
                library && !group.MaterialName().empty() ? library->FindMaterial(group.MaterialName()) : nullptr);
        }
    }
    m_cachesPrepared = library != nullptr;
}

void TGLBaseMesh::DropMaterialLibraryCache() {
    for (const auto& object : m_meshObjects) {
        object->FaceGroups().DropMaterialCaches();
    }
    m_cachesPrepared = false;
}

void TGLBaseMesh::StructureChanged() {
    m_rayBounds.reset();
    m_texCoordRange.reset();
    DropMaterialLibraryCache();
    MarkStructureChanged();
}

void TGLBaseMesh::HitToWorld(const TVec3& point, const TVec3& normal, TVec4* worldPoint, TVec4* worldNormal) const {
    if (worldPoint) {
        *worldPoint = LocalToWorld(Point(point));
    }
    if (worldNormal) {
        TVec4 n = LocalToWorld(engine::Direction(normal));
        if (m_normalsOrientation == mnoInvert) {
            n = TVec4{-n.X, -n.Y, -n.Z, n.W};
        }
        *worldNormal = n;
    }
}

bool TGLBaseMesh::IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                               TVec4* intersectNormal) const {
    const TVec3 start = Affine(WorldToLocal(rayStart));
    const TVec3 vector = Affine(WorldToLocal(rayVector));
    // A ray that misses the box of all vertices misses every triangle: most tests end here. The box
    // is widened a little, so that rounding never loses a hit that grazes its faces. It is kept until
    // the geometry changes, except for meshes whose geometry changes with every frame.
    if (!m_rayBounds || DrawsDirect()) {
        m_rayBounds.emplace();
        MeshBounds(m_rayBounds->first, m_rayBounds->second);
    }
    const auto& [min, max] = *m_rayBounds;
    if (min.X > max.X) {
        return false;
    }
    const TVec3 margin = (max - min) * 0.001f + TVec3{1e-6f, 1e-6f, 1e-6f};
    if (!RayHitsBox(start, vector, min - margin, max + margin)) {
        return false;
    }
    const TAffineVectorList triangles = CollectTriangles();
    bool found = false;
    float best = 0.0f;
    TTriangleHit kept;
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
        TTriangleHit hit;
        if (!RayCastTriangle(start, vector, triangles[i], triangles[i + 1], triangles[i + 2], &hit)) {
            continue;
        }
        const TVec3 d = hit.point - start;
        const float distance = Dot(d, d);
        if (!found || distance < best) {
            found = true;
            best = distance;
            kept = hit;
        }
    }
    if (found) {
        HitToWorld(kept.point, kept.normal, intersectPoint, intersectNormal);
    }
    return found;
}

const TTexCoordRange* TGLBaseMesh::DrawnTexCoords() const {
    if (DrawsDirect()) {
        return nullptr;
    }
    if (!m_texCoordRange) {
        m_texCoordRange.emplace();
        TTexCoordRange range{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                             std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
        const auto extend = [&](float s, float t) {
            range = TTexCoordRange{std::min(range.minS, s), std::min(range.minT, t), std::max(range.maxS, s),
                                   std::max(range.maxT, t)};
        };
        for (const auto& object : m_meshObjects) {
            // Corners take the object's coordinates by vertex, or a face group's own.
            if (object->TexCoords().size() < object->Vertices().size()) {
                return nullptr;
            }
            for (const TVec3& t : object->TexCoords()) {
                extend(t.X, t.Y);
            }
            for (int g = 0; object->Mode() == momFaceGroups && g < object->FaceGroups().Count(); ++g) {
                const TFaceGroup& group = object->FaceGroups()[g];
                if (const auto* own = dynamic_cast<const TFGIndexTexCoordList*>(&group)) {
                    for (const TTexPoint& t : own->TexCoords()) {
                        extend(t.S, t.T);
                    }
                } else if (!dynamic_cast<const TFGVertexIndexList*>(&group)) {
                    return nullptr;
                }
            }
        }
        *m_texCoordRange = range;
    }
    return *m_texCoordRange ? &**m_texCoordRange : nullptr;
}

TVec4 TGLBaseMesh::HalfExtents() const {
    TVec3 min;
    TVec3 max;
    MeshBounds(min, max);
    if (min.X > max.X) {
        return TVec4{};
    }
    return TVec4{std::max(std::fabs(min.X), std::fabs(max.X)), std::max(std::fabs(min.Y), std::fabs(max.Y)),
                 std::max(std::fabs(min.Z), std::fabs(max.Z)), 0.0f};
}

void TGLBaseMesh::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf) {
        TGLMaterialLibrary* library = m_materialLibrary.Get();
        m_drawWithLibrary = !rci.ignoreMaterials && m_useMeshMaterials && library;
        if (m_drawWithLibrary && !CachesStillValid()) {
            PrepareMaterialLibraryCache();
        }
        // Library materials set OpenGL state through the state cache, which a display list replay
        // would bypass: such meshes are drawn directly.
        SetObjectStyle(m_drawWithLibrary || DrawsDirect() ? AltersRenderState | DrawDirect : AltersRenderState);
        if (m_normalsOrientation == mnoInvert) {
            glFrontFace(GL_CW);
        }
        const TTexCoordRange* outer = std::exchange(rci.drawnTexCoords, DrawnTexCoords());
        TGLMaterialObject::DrawContents(rci, true, false);
        rci.drawnTexCoords = outer;
        if (m_normalsOrientation == mnoInvert) {
            glFrontFace(GL_CCW);
        }
        if (rci.GLStates) {
            rci.GLStates->SetEnabled(TGLState::stCullFace, rci.bufferFaceCull);
        }
        m_drawWithLibrary = false;
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

void TGLBaseMesh::EmitGeometry(TRenderContextInfo& rci) {
    for (const auto& object : m_meshObjects) {
        object->Draw(rci, m_drawWithLibrary);
    }
}

bool TGLBaseMesh::CachesStillValid() const {
    if (!m_cachesPrepared) {
        return false;
    }
    // A library material deleted since the caches were made must not be applied.
    const TGLMaterialLibrary* library = m_materialLibrary.Get();
    for (const auto& object : m_meshObjects) {
        const TFaceGroups& groups = object->FaceGroups();
        for (int i = 0; i < groups.Count(); ++i) {
            TGLLibMaterial* cached = groups[i].MaterialCache();
            if (cached && library->Materials().IndexOf(cached) < 0) {
                return false;
            }
        }
    }
    return true;
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseMesh::NewInstance() const {
    return std::make_unique<TGLBaseMesh>();
}

void TGLBaseMesh::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* mesh = dynamic_cast<const TGLBaseMesh*>(&source)) {
        m_normalsOrientation = mesh->m_normalsOrientation;
        m_materialLibrary.Set(mesh->m_materialLibrary.Get());
        m_lightmapLibrary.Set(mesh->m_lightmapLibrary.Get());
        m_useMeshMaterials = mesh->m_useMeshMaterials;
        m_autoCentering = mesh->m_autoCentering;
        m_autoScaling.Assign(mesh->m_autoScaling);
        m_ignoreMissingTextures = mesh->m_ignoreMissingTextures;
        m_meshObjects.CopyFrom(mesh->m_meshObjects);
        StructureChanged();
    }
    TGLMaterialObject::DoCopyFrom(source);
}

}  // namespace engine
