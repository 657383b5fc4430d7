#include "fuzz/seeds/seed_folder.h"
#include "tests/engine/assets/model_builders.h"

namespace fuzz {

void WriteModelSeeds(const SeedFolder& seeds) {
    using namespace tests;
    MaterialDesc red = Material("Red");
    red.diffuse = {200, 10, 10};
    red.shininess = 30;
    red.strength = 50;
    red.texture = "red.jpg";
    const std::vector<std::array<std::uint16_t, 3>> faces = CubeFaces();
    std::vector<std::uint32_t> masks(faces.size(), 1);
    masks[3] = 2;
    masks[7] = 0;
    seeds.Write("model_3ds", "cube.3ds",
                File3DS({MaterialEntry(red),
                         NamedMesh("cube", {VertexList(CubeVertices()),
                                            FaceList(faces, {MaterialGroup("Red", {0, 1, 2, 3, 4, 5}), Smoothing(masks)}),
                                            TexVertList({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 1}})})}));
    seeds.Write("model_3ds", "hidden-and-flat.3ds",
                File3DS({NamedMesh("hidden", {VertexList(CubeVertices())}, true),
                         NamedMesh("flat", {VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), FaceList({{0, 1, 2}})})}));
    Chunk library{0x3DAA, {}, {MaterialEntry(red)}};
    seeds.Write("model_3ds", "library.3ds", library.Write());

    seeds.Write("md2", "quad.md2", FileMD2(QuadModel({"stand01", "stand02", "run01", "run02", "pain", "attack9"})));
    seeds.Write("md2", "one-frame.md2", FileMD2(QuadModel({"crdeath1"})));
}

}  // namespace fuzz
