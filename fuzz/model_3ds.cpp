// The 3DS reader over any bytes: the chunk tree with its material and mesh lists, then the mesh
// objects a free-form builds from them with a material library. E3DSError or EReadError are the
// reader's answers; textures a model names are missing, which the mesh is told to ignore.
#include "engine/assets/file_3ds.h"
#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/stream_read_error.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "fuzz/texture_sandbox.h"

#include <cstddef>
#include <cstdint>

namespace {

// Every entry of both lists, as a caller walking them by index and by name would.
void WalkLists(std::span<const std::uint8_t> bytes) {
    engine::TFile3DS file;
    file.LoadFromStream(bytes);
    const int materials = file.Materials().Count();
    for (int i = 0; i < materials; ++i) {
        const engine::TMaterial3DS& material = file.Materials().Material(i);
        file.Materials().MaterialByName(material.NameStr);
    }
    const int meshes = file.Objects().MeshCount();
    for (int i = 0; i < meshes; ++i) {
        file.Objects().Mesh(i);
    }
}

void BuildMesh(std::span<const std::uint8_t> bytes) {
    engine::TGLMaterialLibrary library;
    engine::TGLFreeForm mesh;
    mesh.SetMaterialLibrary(&library);
    mesh.SetIgnoreMissingTextures(true);
    mesh.LoadFromStream("model.3ds", bytes);
    mesh.CollectTriangles();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterEmptyFolder();
    engine::RegisterImageFormats();
    engine::RegisterModelFormats();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        WalkLists(bytes);
    } catch (const engine::E3DSError&) {
    } catch (const engine::EReadError&) {
    }
    try {
        BuildMesh(bytes);
    } catch (const engine::E3DSError&) {
    } catch (const engine::EReadError&) {
    }
    return 0;
}
