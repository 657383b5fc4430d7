#include "tools/assetgen/game_models/game_models.h"
#include "tools/assetgen/game_models/model_parts.h"

#include "engine/assets/actor.h"
#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/morphable_mesh_object.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>

namespace tools::assetgen {
namespace {

using engine::TVec3;
using engine::TVec4;

// The models generated once into a folder of this process, loaded as the game's scene holds them.
class GameModels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = std::filesystem::temp_directory_path() / ("game_models_test_" + std::to_string(::getpid()));
        std::filesystem::remove_all(s_folder);
        OutputFolder output(s_folder);
        GenerateGameModels(output);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(s_folder); }

    static std::string PathOf(const std::string& relative) { return (s_folder / relative).string(); }

    // A free form with the node's orientation and scale, reading its textures as the game does:
    // a texture the model names that is missing fails the load. The terrain's node has no library
    // (its material comes from the terrain textures).
    std::unique_ptr<engine::TGLFreeForm> LoadFreeForm(const std::string& file, TVec4 direction, TVec4 up, float scale,
                                                      TVec4 position = {0, 0, 0, 1}, bool withLibrary = true) {
        engine::RegisterImageFormats();
        engine::RegisterModelFormats();
        auto mesh = std::make_unique<engine::TGLFreeForm>();
        mesh->SetDirection(direction);
        mesh->SetUp(up);
        mesh->Scale().SetAll(scale, scale, scale);
        mesh->Position().SetAll(position.X, position.Y, position.Z);
        m_library.SetTexturePaths(PathOf("textures"));
        mesh->SetMaterialLibrary(withLibrary ? &m_library : nullptr);
        mesh->LoadFromFile(PathOf(file));
        mesh->PrepareOctree(3);
        return mesh;
    }

    static TVec3 Min(const engine::TGLBaseMesh& mesh) {
        TVec3 min;
        TVec3 max;
        mesh.MeshBounds(min, max);
        return min;
    }
    static TVec3 Max(const engine::TGLBaseMesh& mesh) {
        TVec3 min;
        TVec3 max;
        mesh.MeshBounds(min, max);
        return max;
    }

    engine::TGLMaterialLibrary m_library;
    static std::filesystem::path s_folder;
};

std::filesystem::path GameModels::s_folder;

constexpr TVec4 kAlongY{0, 1, 0, 0};
constexpr TVec4 kDown{0, 0, -1, 0};

// The terrain node of the scene: model z is world height, model y runs along world -z.
class Terrain : public GameModels {
protected:
    void SetUp() override { m_terrain = LoadFreeForm(game_files::kTerrain, kAlongY, kDown, 0.1f, {0, 0, 0, 1}, false); }

    // The world height under world (x, z), found as the bugs find it.
    float HeightAt(float x, float z) {
        TVec4 hit;
        if (!m_terrain->OctreeRayCast({x, 20, z, 1}, {0, -1, 0, 0}, &hit, nullptr)) {
            ADD_FAILURE() << "no terrain under (" << x << ", " << z << ")";
            return 0;
        }
        return hit.Y;
    }

    std::unique_ptr<engine::TGLFreeForm> m_terrain;
};

TEST_F(Terrain, IsAGridOfUpwardFacingTrianglesOverTheWholeSquare) {
    const engine::TAffineVectorList triangles = m_terrain->CollectTriangles();
    ASSERT_EQ(triangles.size(), 8192u * 3);
    for (std::size_t i = 0; i < triangles.size(); i += 3) {
        const TVec3 a = triangles[i];
        const TVec3 b = triangles[i + 1];
        const TVec3 c = triangles[i + 2];
        const float up = (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
        ASSERT_GT(up, 0.0f) << "triangle " << i / 3;
    }
    EXPECT_FLOAT_EQ(Min(*m_terrain).X, -512.0f);
    EXPECT_FLOAT_EQ(Max(*m_terrain).Y, 512.0f);
}

TEST_F(Terrain, TextureCoordinatesFollowThePosition) {
    const engine::TMeshObject& object = m_terrain->MeshObjects()[0];
    ASSERT_EQ(object.TexCoords().size(), object.Vertices().size());
    for (std::size_t i = 0; i < object.Vertices().size(); ++i) {
        EXPECT_NEAR(object.TexCoords()[i].X, (object.Vertices()[i].X + 512) / 1024, 1e-5f);
        EXPECT_NEAR(object.TexCoords()[i].Y, (object.Vertices()[i].Y + 512) / 1024, 1e-5f);
    }
}

TEST_F(Terrain, TheBaseStandsOnAFlatValleyFloor) {
    EXPECT_NEAR(HeightAt(1, 3), -7.0f, 1e-3f);
    for (int i = 0; i < 16; ++i) {
        const float a = static_cast<float>(i) * 0.3927f;
        EXPECT_NEAR(HeightAt(1 + 7.9f * std::cos(a), 3 + 7.9f * std::sin(a)), -7.0f, 1e-3f) << "bearing " << i;
    }
}

TEST_F(Terrain, StaysInsideItsHeightBand) {
    for (float x = -51; x <= 51; x += 1.5f) {
        for (float z = -51; z <= 51; z += 1.5f) {
            const float h = HeightAt(x, z);
            ASSERT_GE(h, -9.5f);
            ASSERT_LE(h, 9.5f);
        }
    }
}

TEST_F(Terrain, BugsRunDownGentleSlopesFromEverySpawnSquareToTheBase) {
    for (const float cx : {-40.0f, 40.0f}) {
        for (const float cz : {-40.0f, 40.0f}) {
            EXPECT_GT(HeightAt(cx, cz), -7.0f + 2.0f) << "corner " << cx << ", " << cz;
            // The spawn square lies 0..20 units towards the base and 10 to either side.
            const float dx = 1 - cx;
            const float dz = 3 - cz;
            const float length = std::hypot(dx, dz);
            for (const float forward : {0.0f, 10.0f, 20.0f}) {
                for (const float side : {-10.0f, 0.0f, 10.0f}) {
                    const float sx = cx + (dx * forward - dz * side) / length;
                    const float sz = cz + (dz * forward + dx * side) / length;
                    float previous = HeightAt(sx, sz);
                    constexpr int kSteps = 60;
                    for (int s = 1; s <= kSteps; ++s) {
                        const float t = static_cast<float>(s) / kSteps;
                        const float step = std::hypot(1 - sx, 3 - sz) / kSteps;
                        const float h = HeightAt(sx + (1 - sx) * t, sz + (3 - sz) * t);
                        ASSERT_LT(std::abs(h - previous) / step, 0.45f) << "from " << sx << ", " << sz << " at " << t;
                        previous = h;
                    }
                }
            }
        }
    }
}

// The base models under the dummy at (1, -7, 3), with their node's orientation and scale.
class Base : public GameModels, public ::testing::WithParamInterface<const char*> {
protected:
    std::unique_ptr<engine::TGLFreeForm> Load() { return LoadFreeForm(GetParam(), kAlongY, {1, 0, 0, 0}, 0.05f, {1, -7, 3, 1}); }
};

TEST_P(Base, StandsOnTheGroundWithinItsFootprint) {
    const auto base = Load();
    const TVec3 min = Min(*base);
    const TVec3 max = Max(*base);
    EXPECT_LE(min.Z, 0.0f);
    const float footprint = std::max({max.X, max.Y, -min.X, -min.Y});
    EXPECT_GE(footprint, 60.0f);
    EXPECT_LE(footprint, 70.0f);
    EXPECT_LE(max.Z, 70.0f);
}

// A bug aims at the base's centre jittered by up to 2.5 units in x and 3 in z, and runs to
// where that line of sight meets the base (or to the point itself when it misses).
TEST_P(Base, SightLinesFromTheSpawnCornersEndOnItsWallsNearTheGround) {
    const auto base = Load();
    int hits = 0;
    for (const float cx : {-40.0f, 40.0f}) {
        for (const float cz : {-40.0f, 40.0f}) {
            for (const float jx : {-2.5f, 0.0f, 1.5f}) {
                for (const float jz : {-3.0f, 0.0f, 3.0f}) {
                    const TVec4 start{cx, 0, cz, 1};
                    TVec4 direction{1 + jx - cx, -7, 3 + jz - cz, 0};
                    const float length = std::hypot(direction.X, direction.Y, direction.Z);
                    direction = {direction.X / length, direction.Y / length, direction.Z / length, 0};
                    TVec4 hit;
                    const bool seen = base->OctreeRayCast(start, direction, &hit, nullptr);
                    EXPECT_TRUE(seen || jx != 0 || jz != 0) << "straight at the centre from " << cx << ", " << cz;
                    if (seen) {
                        ++hits;
                        // A bug 0.2 above the floor comes within its attack distance of the point.
                        EXPECT_LT(hit.Y + 6.8f, 1.6f) << cx << ", " << cz;
                        EXPECT_LT(std::hypot(hit.X - 1, hit.Z - 3), 3.6f);
                    }
                }
            }
        }
    }
    EXPECT_GT(hits, 18);
}

TEST_P(Base, NamesOnlyTexturesThatExist) {
    const auto base = Load();
    ASSERT_GT(m_library.Materials().Count(), 0);
    EXPECT_FALSE(m_library.Materials()[0].Material().Texture().Image().Pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(AllStates, Base,
                         ::testing::Values(game_files::kBase, game_files::kBaseDamaged, game_files::kBaseWrecked));

TEST_F(GameModels, TheBaseLosesHeightAsItIsDamaged) {
    const float intact = Max(*LoadFreeForm(game_files::kBase, kAlongY, {1, 0, 0, 0}, 0.05f)).Z;
    const float damaged = Max(*LoadFreeForm(game_files::kBaseDamaged, kAlongY, {1, 0, 0, 0}, 0.05f)).Z;
    const float wrecked = Max(*LoadFreeForm(game_files::kBaseWrecked, kAlongY, {1, 0, 0, 0}, 0.05f)).Z;
    EXPECT_NEAR(intact, 60.0f, 5.0f);
    EXPECT_LT(damaged, intact);
    EXPECT_LT(wrecked, damaged);
}

TEST_F(GameModels, TowerBasesStandAlongYWithTheMountOnTop) {
    for (const char* file : {game_files::kRocketBase, game_files::kGatlingBase, game_files::kLaserBase}) {
        const auto tower = LoadFreeForm(file, {0, 0, 1, 0}, {0, 1, 0, 0}, 0.05f);
        const TVec3 min = Min(*tower);
        const TVec3 max = Max(*tower);
        EXPECT_NEAR(min.Y, 0.0f, 1e-3f) << file;
        EXPECT_NEAR(max.Y, tower_layout::kMountHeight, 1e-3f) << file;
        const float footprint = std::max({max.X, max.Z, -min.X, -min.Z});
        EXPECT_GT(footprint, 16.0f) << file;
        EXPECT_LT(footprint, 24.0f) << file;
    }
}

TEST_F(GameModels, GunsPointAlongZFromTheirPivot) {
    for (const char* file : {game_files::kRocketLauncher, game_files::kGatlingGun, game_files::kLaserGun}) {
        const auto gun = LoadFreeForm(file, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f);
        const TVec3 min = Min(*gun);
        const TVec3 max = Max(*gun);
        EXPECT_GT(max.Z, 1.5f * -min.Z) << file;
        EXPECT_LT(min.X, 0.0f);
        EXPECT_GT(max.X, 0.0f);
        EXPECT_LT(min.Y, 0.0f) << file;  // the pivot lies inside the gun
    }
}

TEST_F(GameModels, TheMuzzleFlashSitsOnTheGatlingBarrelsInMaterialF) {
    const auto gun = LoadFreeForm(game_files::kGatlingGun, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f);
    const auto flash = LoadFreeForm(game_files::kGatlingMuzzle, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f);
    EXPECT_NE(m_library.FindMaterial("f"), nullptr);
    EXPECT_NEAR(Min(*flash).Z, Max(*gun).Z, 1.0f);
    EXPECT_NEAR(Min(*flash).X + Max(*flash).X, 0.0f, 1e-3f);
    EXPECT_NEAR(Min(*flash).Y + Max(*flash).Y, 0.0f, 1e-3f);
}

// The beam starts at the emitter's tip, so the tip must be the gun's foremost point and lie on the
// axis the gun is aimed along; the model must not bring the gatling flash's specially drawn material.
TEST_F(GameModels, TheLaserEmitterEndsInItsMuzzleTipOnItsAxis) {
    const auto gun = LoadFreeForm(game_files::kLaserGun, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f);
    EXPECT_NEAR(Max(*gun).Z, tower_layout::kLaserMuzzleZ, 1e-3f);
    int tip = 0;
    for (const TVec3& p : gun->MeshObjects()[0].Vertices()) {
        if (p.Z > tower_layout::kLaserMuzzleZ - 0.5f) {
            EXPECT_LT(std::hypot(p.X, p.Y), 0.01f) << p.X << ", " << p.Y << ", " << p.Z;
            ++tip;
        }
    }
    EXPECT_GT(tip, 0);
    EXPECT_EQ(m_library.FindMaterial("f"), nullptr);
}

// The emitter turns on the mount just above the crystals: wherever it points, its underside stays
// above every part of the base beyond the turntable.
TEST_F(GameModels, TheLaserEmitterClearsItsBaseWhereverItTurns) {
    const auto base = LoadFreeForm(game_files::kLaserBase, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f);
    const auto gun =
        LoadFreeForm(game_files::kLaserGun, {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0f, {0, tower_layout::kMountHeight, 0, 1});
    int under = 0;
    for (const TVec3& p : base->MeshObjects()[0].Vertices()) {
        if (std::hypot(p.X, p.Z) < 8.0f) {
            continue;  // the turntable and the coil the gun is seated on
        }
        for (int degrees = 0; degrees < 360; degrees += 10) {
            // Turning the point the other way round the mount is turning the gun.
            const float a = static_cast<float>(degrees) * std::numbers::pi_v<float> / 180.0f;
            const float x = p.X * std::cos(a) - p.Z * std::sin(a);
            const float z = p.X * std::sin(a) + p.Z * std::cos(a);
            TVec4 hit;
            if (gun->OctreeRayCast({x, -100, z, 1}, {0, 1, 0, 0}, &hit, nullptr)) {
                ASSERT_LT(p.Y + 0.25f, hit.Y) << p.X << ", " << p.Y << ", " << p.Z << " turned " << degrees;
                ++under;
            }
        }
    }
    EXPECT_GT(under, 1000);
}

class Bug : public GameModels {
protected:
    void SetUp() override {
        engine::RegisterModelFormats();
        m_bug.LoadFromFile(PathOf(game_files::kBug));
    }

    // The bug's vertices in one frame.
    const engine::TAffineVectorList& Frame(int frame) {
        m_bug.SetFrameInterpolation(engine::afpNone);
        m_bug.SetCurrentFrame(frame);
        auto& object = dynamic_cast<engine::TMorphableMeshObject&>(m_bug.MeshObjects()[0]);
        object.ApplyMorphTarget(frame);
        return object.Vertices();
    }

    static TVec3 Highest(const engine::TAffineVectorList& vertices) {
        return *std::max_element(vertices.begin(), vertices.end(),
                                 [](const TVec3& a, const TVec3& b) { return a.Z < b.Z; });
    }

    engine::TGLActor m_bug;
};

TEST_F(Bug, HasTheThreeAnimationsTheGamePlays) {
    ASSERT_EQ(m_bug.Animations().Count(), 3);
    for (const char* name : {"run", "attack", "crdeath"}) {
        const engine::TActorAnimation* animation = m_bug.Animations().FindName(name);
        ASSERT_NE(animation, nullptr) << name;
        EXPECT_GE(animation->EndFrame() - animation->StartFrame(), 4) << name;
    }
}

TEST_F(Bug, FitsTheReaderAndTheScene) {
    ASSERT_EQ(m_bug.MeshObjects().Count(), 1);
    EXPECT_LE(m_bug.MeshObjects()[0].Vertices().size(), 2070u);
    const engine::TAffineVectorList& rest = Frame(0);
    TVec3 min{1e9f, 1e9f, 1e9f};
    TVec3 max{-1e9f, -1e9f, -1e9f};
    for (const TVec3& p : rest) {
        min = {std::min(min.X, p.X), std::min(min.Y, p.Y), std::min(min.Z, p.Z)};
        max = {std::max(max.X, p.X), std::max(max.Y, p.Y), std::max(max.Z, p.Z)};
    }
    EXPECT_NEAR(max.X - min.X, 50.0f, 6.0f);         // about one world unit long at scale 0.02
    EXPECT_NEAR(min.Z, -10.0f, 1.5f);                // feet on the ground 0.2 below the origin
    EXPECT_NEAR(min.Y + max.Y, 0.0f, 1.0f);          // left and right alike
    EXPECT_GT(max.X, 20.0f);                         // the head end ahead along +x
}

TEST_F(Bug, FacesOutwardWithItsBackUp) {
    Frame(0);
    const engine::TMeshObject& object = m_bug.MeshObjects()[0];
    const auto top = std::max_element(object.Vertices().begin(), object.Vertices().end(),
                                      [](const TVec3& a, const TVec3& b) { return a.Z < b.Z; });
    EXPECT_GT(object.Normals()[static_cast<std::size_t>(top - object.Vertices().begin())].Z, 0.5f);
}

TEST_F(Bug, RunsByMovingItsLegsAndEndsItsDeathLyingLow) {
    const engine::TActorAnimation& run = *m_bug.Animations().FindName("run");
    const engine::TAffineVectorList first = Frame(run.StartFrame());
    const engine::TAffineVectorList second = Frame(run.StartFrame() + 2);
    float moved = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        moved = std::max(moved, std::hypot(first[i].X - second[i].X, first[i].Y - second[i].Y, first[i].Z - second[i].Z));
    }
    EXPECT_GT(moved, 3.0f);
    const engine::TActorAnimation& death = *m_bug.Animations().FindName("crdeath");
    const float standing = Highest(Frame(death.StartFrame())).Z;
    const float lying = Highest(Frame(death.EndFrame())).Z;
    EXPECT_LT(lying, standing - 2.0f);
}

TEST_F(GameModels, GenerationIsDeterministic) {
    const std::filesystem::path again = s_folder.string() + "_again";
    OutputFolder output(again);
    GenerateGameModels(output);
    for (const auto& file : output.Files()) {
        EXPECT_EQ(platform::ReadWholeFile((again / file.Name).string()), platform::ReadWholeFile(PathOf(file.Name)))
            << file.Name;
    }
    std::filesystem::remove_all(again);
}

}  // namespace
}  // namespace tools::assetgen
