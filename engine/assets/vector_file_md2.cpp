#include "engine/assets/vector_file_md2.h"

#include "engine/assets/actor.h"
#include "engine/assets/file_md2.h"
#include "engine/assets/morphable_mesh_object.h"

namespace engine {

namespace {

// Smooth normals: every vertex gets the normalised sum of the unit normals of its triangles.
TAffineVectorList FrameNormals(const TAffineVectorList& positions, const TFGIndexTexCoordList& group) {
    TAffineVectorList normals(positions.size(), TVec3{});
    const TIntegerList& indices = group.VertexIndices();
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        const std::size_t a = static_cast<std::size_t>(indices[i]);
        const std::size_t b = static_cast<std::size_t>(indices[i + 1]);
        const std::size_t c = static_cast<std::size_t>(indices[i + 2]);
        const TVec3 n = Normalize(Cross(positions[b] - positions[a], positions[c] - positions[a]));
        for (std::size_t corner : {a, b, c}) {
            normals[corner] = normals[corner] + n;
        }
    }
    for (TVec3& n : normals) {
        n = Normalize(n);
    }
    return normals;
}

}  // namespace

void TGLMD2VectorFile::LoadFromStream(std::span<const std::uint8_t> stream) {
    TFileMD2 file;
    file.LoadFromStream(stream);

    auto& object = Owner().MeshObjects().Add<TMorphableMeshObject>();
    object.SetMode(momFaceGroups);
    auto& group = object.FaceGroups().Add<TFGIndexTexCoordList>();
    for (const auto& triangle : file.Triangles()) {
        for (const TMD2Corner& corner : triangle) {
            group.Add(corner.VertexIndex, corner.S, -corner.T);
        }
    }
    for (std::size_t n = 0; n < file.Frames().size(); ++n) {
        const TAffineVectorList& positions = file.Frames()[n];
        object.MorphTargets().push_back(
            TMeshMorphTarget{"Frame" + std::to_string(n), positions, FrameNormals(positions, group)});
    }
    if (auto* actor = dynamic_cast<TGLActor*>(&Owner())) {
        TActorAnimations& animations = actor->Animations();
        animations.Clear();
        const auto& names = file.Animations();
        for (std::size_t i = 0; i < names.size(); ++i) {
            TActorAnimation& animation = animations.Add();
            animation.SetName(names[i].Name);
            animation.SetReference(aarMorph);
            const int end = i + 1 < names.size() ? names[i + 1].FirstFrame - 1 : file.FrameCount() - 1;
            animation.SetStartFrame(names[i].FirstFrame);
            animation.SetEndFrame(end);
        }
    }
    if (!object.MorphTargets().empty()) {
        object.ApplyMorphTarget(0);
    }
}

}  // namespace engine
