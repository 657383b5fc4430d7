#include "tools/assetgen/editor_data/object_assets.h"
#include "tools/assetgen/editor_data/skin_painting.h"

#include "tools/writers/mesh_shapes.h"
#include "tools/writers/seeded_random.h"

#include <cmath>
#include <numbers>

// Ground objects stand on z = 0 while they are modelled (in rough metres, x along their length)
// and are normalised at the end; the editor lights them from the viewer.
namespace tools::assetgen {
namespace {

// Turns a shape built along z so that its z axis runs along x (and its x, y become y, z).
Affine AlongX() {
    Affine map;
    map.Linear = {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}};
    return map;
}

// A gable roof along x: the ridge at ridgeZ, eaves at eaveZ, overhanging to +-halfLength.
Mesh GableRoof(float halfWidth, float eaveZ, float ridgeZ, float halfLength, UvRect tiles, UvRect gable) {
    const std::array<Vec2, 3> profile{{{-halfWidth, eaveZ}, {halfWidth, eaveZ}, {0, ridgeZ}}};
    return Transformed(MakeExtrusion(profile, -halfLength, halfLength, tiles, gable), AlongX());
}

ObjectAsset Spruce() {
    Canvas skin(128, 128);
    const Region needles{0, 0, 96, 128};
    const Region bark{96, 0, 128, 128};
    PaintNeedles(skin, needles, 1201);
    PaintBark(skin, bark, 1202);
    const UvRect needleUv = RegionUv(skin, needles);
    Mesh model = MakeCylinder(0.16f, 0.12f, 0, 0.7f, 8, RegionUv(skin, bark), RegionUv(skin, bark));
    const std::array<std::array<float, 3>, 4> tiers{{{1.0f, 0.4f, 1.5f}, {0.82f, 0.95f, 2.05f},
                                                     {0.62f, 1.5f, 2.6f}, {0.4f, 2.05f, 3.1f}}};
    float turn = 0;
    for (const auto& [radius, bottom, top] : tiers) {
        model.Append(Transformed(MakeCylinder(radius, 0, bottom, top, 12, needleUv, needleUv), Affine::RotationZ(turn)));
        turn += 13;
    }
    return FinishObject("spruce", std::move(model), skin, SkinFormat::Bmp24);
}

ObjectAsset Oak() {
    Canvas skin(128, 128);
    const Region leaves{0, 0, 96, 128};
    const Region bark{96, 0, 128, 128};
    PaintLeaves(skin, leaves, 1301, Rgb(34, 74, 26), Rgb(112, 160, 54), false);
    PaintBark(skin, bark, 1302);
    const UvRect barkUv = RegionUv(skin, bark);
    const UvRect leafUv = RegionUv(skin, leaves);
    Mesh model = MakeCylinder(0.24f, 0.16f, 0, 1.2f, 8, barkUv, barkUv);
    model.Append(MakeStrut({0, 0, 0.9f}, {0.5f, 0.2f, 1.45f}, 0.08f, 6, barkUv));
    model.Append(MakeStrut({0, 0, 1.0f}, {-0.45f, 0.25f, 1.5f}, 0.07f, 6, barkUv));
    const std::array<std::pair<Vec3, Vec3>, 6> crowns{{{{0, 0, 1.75f}, {0.85f, 0.8f, 0.6f}},
                                                      {{0.55f, 0.25f, 1.5f}, {0.55f, 0.55f, 0.45f}},
                                                      {{-0.5f, 0.3f, 1.55f}, {0.55f, 0.5f, 0.45f}},
                                                      {{0.1f, -0.55f, 1.5f}, {0.55f, 0.5f, 0.42f}},
                                                      {{-0.3f, -0.3f, 2.05f}, {0.5f, 0.5f, 0.4f}},
                                                      {{0.3f, 0.2f, 2.15f}, {0.45f, 0.45f, 0.38f}}}};
    for (const auto& [centre, radii] : crowns) {
        model.Append(Transformed(MakeEllipsoid(radii, 10, 7, leafUv), Affine::Translation(centre)));
    }
    return FinishObject("oak", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Bush() {
    Canvas skin(128, 128);
    const Region leaves{0, 0, 128, 128};
    PaintLeaves(skin, leaves, 1401, Rgb(30, 66, 24), Rgb(96, 146, 48), true);
    const UvRect leafUv = RegionUv(skin, leaves);
    Mesh model;
    const std::array<std::pair<Vec3, Vec3>, 5> parts{{{{0, 0, 0.45f}, {0.75f, 0.7f, 0.5f}},
                                                     {{0.5f, 0.3f, 0.35f}, {0.45f, 0.45f, 0.38f}},
                                                     {{-0.5f, 0.2f, 0.35f}, {0.45f, 0.45f, 0.35f}},
                                                     {{0.1f, -0.45f, 0.32f}, {0.45f, 0.4f, 0.32f}},
                                                     {{-0.15f, 0.1f, 0.75f}, {0.45f, 0.45f, 0.3f}}}};
    for (const auto& [centre, radii] : parts) {
        model.Append(Transformed(MakeEllipsoid(radii, 10, 6, leafUv), Affine::Translation(centre)));
    }
    return FinishObject("bush", std::move(model), skin, SkinFormat::Jpeg);
}

// An ellipsoid dented by a few smooth waves of its own and cut flat underneath.
Mesh Boulder(std::uint64_t seed, Vec3 radii, UvRect skin) {
    Mesh model = MakeEllipsoid(radii, 14, 9, skin);
    SeededRandom random(seed);
    std::array<std::array<float, 4>, 5> waves{};
    for (auto& wave : waves) {
        wave = {random.Range(1.5f, 4.0f), random.Range(1.5f, 4.0f), random.Range(0, 6.3f), random.Range(0.05f, 0.12f)};
    }
    for (Vec3& p : model.Positions) {
        const float nx = p.X / radii.X;
        const float ny = p.Y / radii.Y;
        const float nz = p.Z / radii.Z;
        float dent = 1;
        for (const auto& [fx, fy, phase, amount] : waves) {
            dent += amount * std::sin(fx * nx + fy * ny + 2.0f * nz + phase);
        }
        p = {p.X * dent, p.Y * dent, std::max(p.Z * dent, -0.25f * radii.Z)};
    }
    return model;
}

ObjectAsset Rock() {
    Canvas skin(128, 128);
    const Region stone{0, 0, 128, 128};
    PaintRock(skin, stone, 1501);
    Mesh model = Boulder(1502, {1.0f, 0.8f, 0.7f}, RegionUv(skin, stone));
    return FinishObject("rock", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Boulders() {
    Canvas skin(128, 128);
    const Region stone{0, 0, 128, 128};
    PaintRock(skin, stone, 1601);
    const UvRect uv = RegionUv(skin, stone);
    Mesh model = Transformed(Boulder(1602, {0.8f, 0.7f, 0.6f}, uv), Affine::Translation({-0.3f, -0.1f, 0}));
    model.Append(Transformed(Boulder(1603, {0.55f, 0.5f, 0.45f}, uv), Affine::Translation({0.6f, 0.35f, 0})));
    model.Append(Transformed(Boulder(1604, {0.4f, 0.35f, 0.3f}, uv), Affine::Translation({0.5f, -0.55f, 0})));
    return FinishObject("boulders", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset House() {
    Canvas skin(256, 256);
    const Region front{0, 0, 128, 64};
    const Region side{128, 0, 192, 64};
    const Region gable{192, 0, 256, 64};
    const Region roof{0, 64, 256, 176};
    const Region chimney{0, 176, 64, 240};
    const Colour plaster = Rgb(226, 214, 186);
    PaintPlaster(skin, front, 1701, plaster);
    PaintPlaster(skin, side, 1702, plaster);
    // Timber frame: sill, top beam and corner posts.
    for (const Region wall : {front, side}) {
        skin.FillRect(wall.X0, wall.Y0, wall.X1, wall.Y0 + 4, Rgb(92, 60, 36));
        skin.FillRect(wall.X0, wall.Y1 - 6, wall.X1, wall.Y1, Rgb(110, 100, 90));
        skin.FillRect(wall.X0, wall.Y0, wall.X0 + 4, wall.Y1, Rgb(92, 60, 36));
        skin.FillRect(wall.X1 - 4, wall.Y0, wall.X1, wall.Y1, Rgb(92, 60, 36));
    }
    PaintDoor(skin, {56, 26, 72, 58});
    PaintWindow(skin, {18, 20, 38, 40});
    PaintWindow(skin, {90, 20, 110, 40});
    PaintWindow(skin, {150, 20, 170, 40});
    PaintPlanks(skin, gable, 1703, 6, true, Rgb(96, 62, 34), Rgb(150, 104, 60));
    PaintRoofTiles(skin, roof, 1704, 12, Rgb(120, 40, 28), Rgb(186, 82, 52));
    PaintBricks(skin, chimney, 1705, 8, 3, Rgb(170, 160, 150), Rgb(120, 56, 40), Rgb(170, 90, 64));

    const UvRect frontUv = RegionUv(skin, front);
    const UvRect sideUv = RegionUv(skin, side);
    constexpr float x = 1.0f, y = 0.65f, h = 1.0f;
    Mesh model = MakeQuad({{{-x, -y, 0}, {x, -y, 0}, {x, -y, h}, {-x, -y, h}}}, frontUv);
    model.Append(MakeQuad({{{x, y, 0}, {-x, y, 0}, {-x, y, h}, {x, y, h}}}, frontUv));
    model.Append(MakeQuad({{{x, -y, 0}, {x, y, 0}, {x, y, h}, {x, -y, h}}}, sideUv));
    model.Append(MakeQuad({{{-x, y, 0}, {-x, -y, 0}, {-x, -y, h}, {-x, y, h}}}, sideUv));
    model.Append(GableRoof(0.82f, 0.95f, 1.75f, 1.12f, RegionUv(skin, roof), RegionUv(skin, gable)));
    model.Append(MakeBox({0.45f, 0.12f, 1.2f}, {0.68f, 0.34f, 1.95f}, RegionUv(skin, chimney)));
    return FinishObject("house", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Tower() {
    Canvas skin(256, 256);
    const Region body{0, 0, 256, 144};
    const Region roof{0, 144, 128, 256};
    const Region crown{128, 144, 256, 200};
    const Region top{128, 200, 256, 256};
    const Colour mortar = Rgb(150, 144, 130);
    PaintBricks(skin, body, 1801, 12, 12, mortar, Rgb(116, 110, 100), Rgb(176, 168, 150));
    for (int i = 0; i < 3; ++i) {
        const std::int32_t cx = 42 + i * 85;
        skin.FillRect(cx - 3, 40, cx + 3, 70, Rgb(24, 20, 18));
        skin.FillRect(cx - 5, 70, cx + 5, 73, Rgb(190, 182, 164));
    }
    PaintRoofTiles(skin, roof, 1802, 10, Rgb(44, 52, 70), Rgb(92, 104, 130));
    PaintBricks(skin, crown, 1803, 3, 8, mortar, Rgb(126, 120, 108), Rgb(186, 178, 160));
    PaintBricks(skin, top, 1804, 6, 6, mortar, Rgb(130, 124, 112), Rgb(170, 162, 146));

    const UvRect crownUv = RegionUv(skin, crown);
    Mesh model = MakeCylinder(0.62f, 0.58f, 0, 2.2f, 16, RegionUv(skin, body));
    model.Append(MakeCylinder(0.72f, 0.72f, 2.2f, 2.5f, 16, crownUv, RegionUv(skin, top)));
    constexpr int kMerlons = 8;
    for (int i = 0; i < kMerlons; ++i) {
        const Mesh merlon = MakeBox({0.56f, -0.1f, 2.5f}, {0.72f, 0.1f, 2.72f}, crownUv);
        model.Append(Transformed(merlon, Affine::RotationZ(360.0f * static_cast<float>(i) / kMerlons + 11.25f)));
    }
    model.Append(MakeCylinder(0.6f, 0, 2.5f, 3.7f, 16, RegionUv(skin, roof)));
    return FinishObject("tower", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Wall() {
    Canvas skin(128, 128);
    PaintBricks(skin, {0, 0, 128, 128}, 1901, 4, 2, Rgb(140, 134, 120), Rgb(112, 106, 96), Rgb(170, 162, 144));
    constexpr float kRepeats = 1.6f;
    Mesh model = MakeTiledBox({-1.0f, -0.22f, 0}, {1.0f, 0.22f, 0.8f}, kRepeats);
    for (int i = 0; i < 5; ++i) {
        const float x = -1.0f + 0.44f * static_cast<float>(i);
        model.Append(MakeTiledBox({x, -0.24f, 0.8f}, {x + 0.24f, 0.24f, 1.0f}, kRepeats));
    }
    return FinishObject("wall", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Fence() {
    Canvas skin(64, 64);
    PaintPlanks(skin, {0, 0, 64, 64}, 2001, 2, false, Rgb(96, 66, 40), Rgb(160, 118, 74));
    constexpr float kRepeats = 2.0f;
    Mesh model;
    for (int i = 0; i < 4; ++i) {
        const float x = -1.0f + 0.64f * static_cast<float>(i);
        model.Append(MakeTiledBox({x, -0.07f, 0}, {x + 0.12f, 0.07f, 1.0f}, kRepeats));
    }
    model.Append(MakeTiledBox({-1.0f, -0.1f, 0.3f}, {1.0f, -0.04f, 0.42f}, kRepeats));
    model.Append(MakeTiledBox({-1.0f, -0.1f, 0.68f}, {1.0f, -0.04f, 0.8f}, kRepeats));
    return FinishObject("fence", std::move(model), skin, SkinFormat::Jpeg);
}

ObjectAsset Well() {
    Canvas skin(256, 256);
    const Region stone{0, 0, 256, 96};
    const Region rim{0, 96, 128, 224};
    const Region wood{128, 96, 256, 160};
    const Region roof{128, 160, 256, 256};
    const Colour mortar = Rgb(120, 114, 104);
    PaintBricks(skin, stone, 2101, 4, 14, mortar, Rgb(110, 104, 96), Rgb(168, 160, 146));
    // The ring's top: stones round the rim, dark water inside.
    PaintBricks(skin, rim, 2102, 6, 6, mortar, Rgb(120, 114, 104), Rgb(170, 162, 148));
    skin.FillDisc(64, 160, 46, Rgb(20, 34, 44));
    skin.FillDisc(58, 154, 30, Rgb(30, 56, 72), 0.6f);
    PaintPlanks(skin, wood, 2103, 3, false, Rgb(90, 60, 36), Rgb(146, 104, 64));
    PaintRoofTiles(skin, roof, 2104, 8, Rgb(100, 58, 30), Rgb(150, 96, 52));

    const UvRect woodUv = RegionUv(skin, wood);
    Mesh model = MakeCylinder(0.62f, 0.62f, 0, 0.5f, 18, RegionUv(skin, stone), RegionUv(skin, rim));
    model.Append(MakeBox({-0.6f, -0.06f, 0.45f}, {-0.5f, 0.06f, 1.5f}, woodUv));
    model.Append(MakeBox({0.5f, -0.06f, 0.45f}, {0.6f, 0.06f, 1.5f}, woodUv));
    model.Append(MakeStrut({-0.68f, 0, 1.2f}, {0.68f, 0, 1.2f}, 0.05f, 8, woodUv));
    model.Append(MakeStrut({0.1f, 0, 1.17f}, {0.1f, 0, 0.75f}, 0.01f, 4, woodUv));
    model.Append(Transformed(MakeCylinder(0.08f, 0.1f, 0, 0.14f, 8, woodUv, woodUv), Affine::Translation({0.1f, 0, 0.62f})));
    model.Append(GableRoof(0.5f, 1.45f, 1.9f, 0.78f, RegionUv(skin, roof), woodUv));
    return FinishObject("well", std::move(model), skin, SkinFormat::Jpeg);
}

}  // namespace

std::vector<ObjectAsset> MakeGroundObjects() {
    std::vector<ObjectAsset> objects;
    objects.push_back(Spruce());
    objects.push_back(Oak());
    objects.push_back(Bush());
    objects.push_back(Rock());
    objects.push_back(Boulders());
    objects.push_back(House());
    objects.push_back(Tower());
    objects.push_back(Wall());
    objects.push_back(Fence());
    objects.push_back(Well());
    return objects;
}

}  // namespace tools::assetgen
