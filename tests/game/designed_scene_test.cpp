#include "game/designed_scene.h"

#include "engine/effects/source_pfx_effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tests {
namespace {

using namespace engine;

std::vector<std::string> ChildNames(const TGLBaseSceneObject& node) {
    std::vector<std::string> names;
    for (int i = 0; i < node.ChildCount(); ++i) {
        names.push_back(node.ChildAt(i)->Name());
    }
    return names;
}

// Whether every name of `designed` comes in `names`, in the same order (others may lie between).
bool InOrder(const std::vector<std::string>& names, const std::vector<std::string>& designed) {
    auto at = names.begin();
    for (const std::string& name : designed) {
        at = std::find(at, names.end(), name);
        if (at == names.end()) {
            return false;
        }
    }
    return true;
}

TVec4 Vec(const TVec3& v) {
    return TVec4{v.X, v.Y, v.Z, 0};
}

// The values of the designed scene that play would hardly show when wrong: the child order the game
// finds its nodes by, the light, the camera rig, the particle managers and sources, the HUD layout.
TEST(DesignedScene, HoldsTheDesignedValues) {
    game::TDesignedScene s;
    EXPECT_TRUE(InOrder(ChildNames(s.World1.Objects()), {"GLLightSource1", "DefaultMaterial", "scene", "cam", "gui_bar",
                                                        "fpscounter", "money", "GLHUDText3"}));
    EXPECT_TRUE(InOrder(ChildNames(*s.scene),
                        {"GLEarthSkyDome1", "Bug", "base_d1", "base_d2", "terrain", "firebase", "barell",
                         "gutlingbase", "gutlinggun", "gutlingmuzzle", "base", "Arrow", "Missile", "BugBox", "Towers",
                         "Missiles", "GLParticleFXRenderer1", "barline", "Explosions"}));
    EXPECT_EQ(ChildNames(*s.gui_bar), (std::vector<std::string>{"gui_rocket", "gui_laser", "gui_gatling", "gui_repair"}));
    EXPECT_EQ(ChildNames(*s.BugBox), (std::vector<std::string>{"Bugs1", "Bugs2", "Bugs3", "Bugs4"}));

    const TGLLightSource& light = *s.GLLightSource1;
    const TGLPerlinPFXManager& flame = s.GLPerlinPFXManager1;
    const TGLPerlinPFXManager& smoke = s.GLPerlinPFXManager2;
    const TGLSourcePFXEffect& trail = SourceEffectOf(*s.Missile);
    const TGLSourcePFXEffect& baseSmoke = SourceEffectOf(*s.base);
    const struct {
        const char* what;
        TVec4 actual;
        TVec4 expected;
    } values[] = {
        {"light position", light.Position().AsVector(), {-5, 10, 0, 1}},
        {"light omni, attenuation, cut-off",
         {light.LightStyle() == lsOmni ? 1.0f : 0.0f, light.ConstAttenuation(), light.QuadraticAttenuation(),
          light.SpotCutOff()},
         {1, 1, 0.001f, 180}},
        {"cam position", s.cam->Position().AsVector(), {-3, -4, 10, 1}},
        {"cam direction", s.cam->Direction().AsVector(), {-0.7660444f, 0, 0.64278764f, 0}},
        {"cam turn", {s.cam->TurnAngle(), 0, 0, 0}, {-50, 0, 0, 0}},
        {"camera position", s.GLCamera1->Position().AsVector(), {0, 0, 0.1f, 1}},
        {"camera direction", s.GLCamera1->Direction().AsVector(), {0, 0, -1, 0}},
        {"camera depth of view, focal length", {s.GLCamera1->DepthOfView(), s.GLCamera1->FocalLength(), 0, 0},
         {100, 70, 0, 0}},
        {"flame texture, smoothness, size, four sprites",
         {static_cast<float>(flame.TexMapSize()), flame.Smoothness(), flame.ParticleSize(),
          flame.SpritesPerTexture() == sptFour ? 1.0f : 0.0f},
         {8, 2, 0.7f, 1}},
        {"flame inner", flame.ColorInner(), {0.949f, 0.475f, 0, 1}},
        {"flame outer", flame.ColorOuter(), {1, 1, 0.7019608f, 1}},
        {"flame acceleration", Vec(flame.Acceleration()), {0, 0, 0, 0}},
        {"smoke texture, smoothness, size, one sprite",
         {static_cast<float>(smoke.TexMapSize()), smoke.Smoothness(), smoke.ParticleSize(),
          smoke.SpritesPerTexture() == sptOne ? 1.0f : 0.0f},
         {9, 1, 1, 1}},
        {"smoke inner", smoke.ColorInner(), {0, 0, 0, 1}},
        {"smoke outer", smoke.ColorOuter(), {1, 1, 1, 1}},
        {"smoke acceleration", Vec(smoke.Acceleration()), {0, 1, 0, 0}},
        {"trail interval, scale, enabled, off when unseen",
         {trail.ParticleInterval(), trail.EffectScale(), trail.Enabled() ? 1.0f : 0.0f,
          trail.DisabledIfOwnerInvisible() ? 1.0f : 0.0f},
         {0.05f, 1, 0, 1}},
        {"base smoke range", Vec(baseSmoke.PositionDispersionRange()), {2.5f, 0, 3.5f, 0}},
        {"base smoke interval, velocity spread, rotation spread, enabled",
         {baseSmoke.ParticleInterval(), baseSmoke.VelocityDispersion(), baseSmoke.RotationDispersion(),
          baseSmoke.Enabled() ? 1.0f : 0.0f},
         {0.01f, 1, 2, 0}},
        {"panel", {s.gui_bar->Position().X(), s.gui_bar->Position().Y(), s.gui_bar->Width(), s.gui_bar->Height()},
         {512, 472, 1024, 256}},
        {"rocket button", s.gui_rocket->Position().AsVector(), {280, 550, 0, 1}},
        {"laser button", s.gui_laser->Position().AsVector(), {344, 550, 0, 1}},
        {"gatling button", s.gui_gatling->Position().AsVector(), {408, 550, 0, 1}},
        {"repair button", s.gui_repair->Position().AsVector(), {480, 550, 0, 1}},
        {"rocket price", s.rocket_price->Position().AsVector(), {280, 580, 0, 1}},
        {"repair price", s.repair_price->Position().AsVector(), {480, 580, 0, 1}},
        {"fps text", s.fpscounter->Position().AsVector(), {8, 8, 0, 1}},
        {"money text", s.money->Position().AsVector(), {450, 447, 0, 1}},
        {"third text", s.GLHUDText3->Position().AsVector(), {8, 120, 0, 1}},
    };
    for (const auto& v : values) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(v.actual[i], v.expected[i], 1e-6f) << v.what << ", component " << i;
        }
    }
    EXPECT_EQ(trail.Manager(), nullptr);
    EXPECT_EQ(baseSmoke.Manager(), &s.GLPerlinPFXManager2);
    EXPECT_EQ(s.gui_bar->Tag(), -1);
    for (const TGLPerlinPFXManager* manager : {&flame, &smoke}) {
        EXPECT_EQ(manager->Cadencer(), &s.GLCadencer1);
        EXPECT_EQ(manager->Renderer(), s.GLParticleFXRenderer1);
        EXPECT_EQ(manager->ColorMode(), scmFade);
        EXPECT_EQ(manager->Friction(), 1);
    }
}

// Each manager has one life colour, so its particles fade over their whole life: a trail puff of
// 0.15 s is half way from the manager's colours to transparent black, and it is gone at 0.3 s.
TEST(DesignedScene, ParticlesFadeOverTheirOneLifeColour) {
    game::TDesignedScene s;
    const struct {
        const TGLPerlinPFXManager& manager;
        double life;
    } managers[] = {{s.GLPerlinPFXManager1, 0.3}, {s.GLPerlinPFXManager2, 3}};
    for (const auto& m : managers) {
        SCOPED_TRACE(m.life);
        ASSERT_EQ(m.manager.LifeColors().Count(), 1);
        const TPFXLifeColor& life = m.manager.LifeColors().Items(0);
        EXPECT_FLOAT_EQ(life.LifeTime(), static_cast<float>(m.life));
        EXPECT_EQ(life.SizeScale(), 1);
        EXPECT_EQ(life.ColorInner(), (TVec4{0, 0, 0, 0}));
        EXPECT_EQ(life.ColorOuter(), (TVec4{0, 0, 0, 0}));
        EXPECT_DOUBLE_EQ(m.manager.MaxParticleAge(), static_cast<double>(static_cast<float>(m.life)));
    }
    const TPFXLifeState puff = s.GLPerlinPFXManager1.LifeStateAt(0.15);
    const TVec4 inner{0.4745f, 0.2375f, 0, 0.5f};
    const TVec4 outer{0.5f, 0.5f, 0.35098f, 0.5f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(puff.inner[i], inner[i], 1e-4f) << "inner " << i;
        EXPECT_NEAR(puff.outer[i], outer[i], 1e-4f) << "outer " << i;
    }
    EXPECT_FALSE(puff.scales);
}

}  // namespace
}  // namespace tests
