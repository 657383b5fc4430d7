#include "engine/assets/actor.h"
#include "engine/assets/file_3ds.h"
#include "engine/assets/file_md2.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/stream_read_error.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "tests/engine/assets/model_builders.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Loads every variant of a valid file with one byte replaced: each either loads or fails with
// one of the readers' own errors, and never reads outside its buffer (the sanitizer build checks).
template <class Load>
void ForEachCorruption(const tests::Bytes& valid, Load load) {
    for (std::size_t i = 0; i < valid.size(); ++i) {
        for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0x7F}, std::uint8_t{0xFF}}) {
            tests::Bytes bytes = valid;
            bytes[i] = value;
            try {
                load(bytes);
            } catch (const engine::E3DSError&) {
            } catch (const engine::EMD2Error&) {
            } catch (const engine::EReadError&) {
            } catch (const std::exception& e) {
                ADD_FAILURE() << "byte " << i << " = " << int{value} << ": " << e.what();
            }
        }
    }
}

TEST(MalformedModels, CorruptedThreeDSFilesFailCleanly) {
    engine::RegisterModelFormats();
    tests::MaterialDesc desc{"Paint", {10, 20, 30}, {40, 50, 60}, {70, 80, 90}, 10, 20, ""};
    const tests::Bytes valid = tests::File3DS(
        {tests::MaterialEntry(desc),
         tests::NamedMesh("cube", {tests::VertexList(tests::CubeVertices()),
                                   tests::FaceList(tests::CubeFaces(), {tests::MaterialGroup("Paint", {0, 1, 2, 11}),
                                                                        tests::Smoothing({1, 1, 2, 2, 3, 0, 0, 4, 8, 8,
                                                                                          16, 0x80000000u})}),
                                   tests::TexVertList(std::vector<std::array<float, 2>>(8, {0.5f, 0.5f}))})});
    engine::TGLMaterialLibrary library;
    engine::TGLFreeForm mesh;
    mesh.SetMaterialLibrary(&library);
    ForEachCorruption(valid, [&](const tests::Bytes& bytes) {
        mesh.LoadFromStream("c.3ds", bytes);
        mesh.PrepareOctree(1);
    });
}

TEST(MalformedModels, CorruptedMD2FilesFailCleanly) {
    engine::RegisterModelFormats();
    const tests::Bytes valid = tests::FileMD2(tests::QuadModel({"run1", "run2", "jump1"}));
    engine::TGLActor actor;
    ForEachCorruption(valid, [&](const tests::Bytes& bytes) {
        actor.LoadFromStream("c.md2", bytes);
        actor.SetAnimationMode(engine::aamLoop);
        actor.ProgressTree({0.35, 0.0});
        actor.PrepareFrame();
    });
}

}  // namespace
