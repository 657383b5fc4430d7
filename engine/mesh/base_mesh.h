#pragma once

#include "engine/core/component.h"
#include "engine/core/coordinates.h"
#include "engine/mesh/mesh_object.h"
#include "engine/mesh/vector_file.h"
#include "engine/scene/custom_scene_object.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace engine {

class TGLMaterialLibrary;

// Bits of AutoCentering.
enum TMeshAutoCentering : std::uint8_t { macCenterX = 1, macCenterY = 2, macCenterZ = 4, macUseBarycenter = 8 };

// A scene object drawn from mesh objects loaded from a mesh file; face groups name their
// materials in MaterialLibrary.
class TGLBaseMesh : public TGLMaterialObject {
public:
    TGLBaseMesh();
    ~TGLBaseMesh() override;

    TMeshObjectList& MeshObjects() { return m_meshObjects; }
    const TMeshObjectList& MeshObjects() const { return m_meshObjects; }

    TGLMaterialLibrary* MaterialLibrary() const { return m_materialLibrary.Get(); }
    void SetMaterialLibrary(TGLMaterialLibrary* library);
    TGLMaterialLibrary* LightmapLibrary() const { return m_lightmapLibrary.Get(); }
    void SetLightmapLibrary(TGLMaterialLibrary* library);
    bool UseMeshMaterials() const { return m_useMeshMaterials; }
    void SetUseMeshMaterials(bool use);
    TMeshNormalsOrientation NormalsOrientation() const { return m_normalsOrientation; }
    void SetNormalsOrientation(TMeshNormalsOrientation orientation);
    std::uint8_t AutoCentering() const { return m_autoCentering; }
    void SetAutoCentering(std::uint8_t centering) { m_autoCentering = centering; }
    TGLCoordinates& AutoScaling() { return m_autoScaling; }
    const TGLCoordinates& AutoScaling() const { return m_autoScaling; }
    // Readers leave a material untextured instead of failing when its texture file cannot be read.
    bool IgnoreMissingTextures() const { return m_ignoreMissingTextures; }
    void SetIgnoreMissingTextures(bool ignore) { m_ignoreMissingTextures = ignore; }

    // Reads a mesh file by the reader its extension selects; an empty name does nothing. A missing
    // file throws platform::FileError, an unknown extension EInvalidVectorFile (the mesh is then
    // empty), a reader's error its own exception.
    void LoadFromFile(const std::string& fileName);
    // The same for bytes already in memory; fileName picks the reader and names the resource.
    void LoadFromStream(const std::string& fileName, std::span<const std::uint8_t> stream);

    // All triangles of all mesh objects in order, three vertices each, in mesh-local coordinates.
    TAffineVectorList CollectTriangles() const;
    // The box of all vertices; with none, min = +large and max = -large on every axis.
    void MeshBounds(TVec3& min, TVec3& max) const;

    // Whether the face groups have resolved their library materials.
    bool MaterialCachesPrepared() const { return m_cachesPrepared; }
    void PrepareMaterialLibraryCache();
    void DropMaterialLibraryCache();
    // The mesh's geometry changed: caches dropped, redraw requested.
    void StructureChanged();

    // A ray test over every triangle in world space (the closest hit; ties keep the first).
    bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                      TVec4* intersectNormal) const override;
    TVec4 HalfExtents() const override;
    // Draws the mesh objects under the mesh's own Material; with UseMeshMaterials and a library,
    // face groups are drawn under their library materials inside it.
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
    void CoordinatesEdited(TGLCoordinates& which) override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;
    // Around a file load: before the reader runs, after it failed (the previous mesh objects are
    // back by then), and once it has filled the mesh.
    virtual void MeshLoading() {}
    virtual void MeshLoadFailed() {}
    virtual void MeshLoaded() {}
    // Whether the geometry changes too often to be worth a display list.
    virtual bool DrawsDirect() const { return false; }
    // The box of the texture coordinates the mesh draws with, or none when a corner may be drawn
    // without one (it would take whatever coordinate came before).
    const TTexCoordRange* DrawnTexCoords() const;
    // Maps a local hit back to world space (point and normal through the world matrix, the normal
    // negated for mnoInvert).
    void HitToWorld(const TVec3& point, const TVec3& normal, TVec4* worldPoint, TVec4* worldNormal) const;

private:
    void ApplyAutoScalingAndCentering();
    bool CachesStillValid() const;

    TMeshObjectList m_meshObjects;
    TComponentLink<TGLMaterialLibrary> m_materialLibrary;
    TComponentLink<TGLMaterialLibrary> m_lightmapLibrary;
    bool m_useMeshMaterials = true;
    TMeshNormalsOrientation m_normalsOrientation = mnoDefault;
    std::uint8_t m_autoCentering = 0;
    TGLCoordinates m_autoScaling{this, {1, 1, 1, 0}, csVector};
    bool m_ignoreMissingTextures = false;
    bool m_cachesPrepared = false;
    bool m_drawWithLibrary = false;  // for the draw in progress
    // The box of all vertices for ray tests, until the next StructureChanged.
    mutable std::optional<std::pair<TVec3, TVec3>> m_rayBounds;
    // The texture coordinates every drawn corner has, when each has one, until the next
    // StructureChanged; the outer optional says whether it was worked out.
    mutable std::optional<std::optional<TTexCoordRange>> m_texCoordRange;
};

}  // namespace engine
