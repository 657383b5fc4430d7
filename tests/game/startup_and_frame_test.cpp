#include "tests/game/game_fixture.h"

#include "engine/effects/source_pfx_effect.h"
#include "game/cursor_slots.h"

#include <cmath>

namespace tests {
namespace {

using namespace engine;
using game::cursors::LeftUp;

TEST_F(GameTest, StartsWithTheDesignedStateFromTheFirstFrame) {
    Frame();
    EXPECT_EQ(Scene().money->Text(), ":500");
    EXPECT_EQ(State().TowerCount, 1);
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), 1);
    EXPECT_EQ(State().MouseX, 400);
    EXPECT_EQ(State().MouseY, 300);
    ASSERT_TRUE(game->LastPointerMove().has_value());
    EXPECT_EQ(game->LastPointerMove()->x, 400);
    EXPECT_EQ(game->LastPointerMove()->y, 300);
    EXPECT_EQ(Scene().base->ChildAt(0), Scene().base_d0);
    EXPECT_NEAR(State().TerrainExtent.X, 102.4f, 1e-4f);
    EXPECT_NEAR(State().TerrainExtent.Z, 102.4f, 1e-4f);
    EXPECT_EQ(Scene().GLEarthSkyDome1->Stars().size(), 800u);
}

// Every library material, the models' own included, takes the template's texture settings,
// blending and colours; a few then get their own.
TEST_F(GameTest, UnifiesEveryMaterialThenAppliesTheOverrides) {
    struct Expected {
        TGLMaterialLibrary* library;
        const char* name;
        TBlendingMode blending;
        TGLTextureMode mode;
        TGLMinFilter minFilter;
    };
    const TBlendingMode alphaTest = TBlendingMode::bmAlphaTest50;
    const TGLTextureMode modulate = TGLTextureMode::tmModulate;
    const TGLMinFilter mipmapped = TGLMinFilter::miLinearMipmapNearest;
    const Expected cases[] = {
        {&Scene().GLMaterialLibrary1, "terrain", alphaTest, modulate, mipmapped},
        {&Scene().GLMaterialLibrary1, "gui_rocket", alphaTest, modulate, mipmapped},
        {&Scene().GLMaterialLibrary2, "tower", alphaTest, modulate, mipmapped},  // from the tower models
        {&Scene().GLMaterialLibrary2, "base", alphaTest, modulate, mipmapped},   // from the base models
        {&Scene().GLMaterialLibrary2, "boom", TBlendingMode::bmAdditive, modulate, mipmapped},
        {&Scene().GLMaterialLibrary3, "detail", TBlendingMode::bmModulate, modulate, mipmapped},
        {&Scene().GLMaterialLibrary3, "mark", TBlendingMode::bmAdditive, modulate, TGLMinFilter::miLinear},
        {&Scene().GLMaterialLibrary3, "1mark", TBlendingMode::bmAdditive, modulate, TGLMinFilter::miLinear},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.name);
        TGLLibMaterial* material = e.library->FindMaterial(e.name);
        ASSERT_NE(material, nullptr);
        TGLMaterial& look = material->Material();
        EXPECT_EQ(look.BlendingMode(), e.blending);
        EXPECT_EQ(look.Texture().TextureMode(), e.mode);
        EXPECT_EQ(look.Texture().MinFilter(), e.minFilter);
        EXPECT_EQ(look.FrontProperties().Ambient().Color(), (TVec4{0, 0, 0, 1}));
        EXPECT_EQ(look.FrontProperties().Diffuse().Color(), (TVec4{1, 1, 1, 1}));
    }
    TGLMaterial& ring = Scene().GLMaterialLibrary3.FindMaterial("mark")->Material();
    EXPECT_EQ(ring.Texture().Compression(), TGLTextureCompression::tcNone);
    EXPECT_EQ(ring.Texture().FilteringQuality(), TGLTextureFilteringQuality::tfAnisotropic);
    EXPECT_EQ(ring.Texture().TextureFormat(), TGLTextureFormat::tfRGBA);
    // Not copied from the template: the terrain keeps its wrap and its shader.
    TGLLibMaterial& terrain = *Scene().GLMaterialLibrary1.FindMaterial("terrain");
    EXPECT_EQ(terrain.Material().Texture().TextureWrap(), TGLTextureWrap::twNone);
    EXPECT_EQ(terrain.Shader(), &Scene().GLMultiMaterialShader1);
    TGLLibMaterial* flash = Scene().GLMaterialLibrary2.FindMaterial("f");
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->Material().FaceCulling(), TFaceCulling::fcNoCull);
    EXPECT_TRUE(flash->Material().MaterialOptions().Contains(TMaterialOption::moNoLighting));
}

// The bands switch the model once each (the name test), turn the smoke on and colour the bar; the
// bar's width follows the health below zero.
TEST_F(GameTest, BaseHealthBandsSwitchOnceAndTheBarFollows) {
    struct Step {
        float health;
        TGLFreeForm* model;
        bool smoke;
        float dispersion;
        TVec4 colour;
    };
    const Step steps[] = {
        {60.0f, Scene().base_d0, false, 0, {0, 1, 0, 1}},
        {59.99f, Scene().base_d1, true, 0, {1, 1, 0, 1}},
        {30.0f, Scene().base_d1, true, 0, {1, 1, 0, 1}},
        {29.99f, Scene().base_d2, true, 1, {1, 0, 0, 1}},
        {-20.0f, Scene().base_d2, true, 1, {1, 0, 0, 1}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.health);
        Scene().base->SetTagFloat(step.health);
        Frame(3);
        ASSERT_EQ(Scene().base->ChildCount(), 1);
        EXPECT_EQ(Scene().base->ChildAt(0), step.model);
        EXPECT_TRUE(step.model->Visible());
        for (TGLFreeForm* other : {Scene().base_d0, Scene().base_d1, Scene().base_d2}) {
            EXPECT_EQ(other->Visible(), other == step.model);
        }
        const TGLSourcePFXEffect& smoke = SourceEffectOf(*Scene().base);
        EXPECT_EQ(smoke.Enabled(), step.smoke);
        EXPECT_EQ(smoke.PositionDispersion(), step.dispersion);
        EXPECT_EQ(Scene().bar->Material().FrontProperties().Diffuse().Color(), step.colour);
        EXPECT_FLOAT_EQ(Scene().bar->Width(), step.health / 20);
    }
}

// Keys set one rate each, in the order W S A D R F, so of two opposite keys the later wins; Shift
// slows the camera down to a quarter.
TEST_F(GameTest, HeldKeysSetTheCameraRates) {
    struct Case {
        std::vector<TVirtualKey> keys;
        TVec4 expected;  // X sideways, Y vertical, Z forward (negative)
    };
    const Case cases[] = {
        {{VirtualKeyOfChar('W')}, {0, 0, -15, 0}},
        {{VirtualKeyOfChar('W'), VirtualKeyOfChar('S')}, {0, 0, 15, 0}},
        {{VirtualKeyOfChar('A'), VirtualKeyOfChar('D')}, {-15, 0, 0, 0}},
        {{VirtualKeyOfChar('R')}, {0, 15, 0, 0}},
        {{VirtualKeyOfChar('F'), vkShift}, {0, -3.75f, 0, 0}},
    };
    for (const Case& c : cases) {
        ReleaseScriptedKeys();
        for (TVirtualKey key : c.keys) {
            SetScriptedKey(key, true);
        }
        State().MoveVelocity = TVec4{0, 0, 0, 0};
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        EXPECT_EQ(State().MoveVelocity, c.expected) << "keys held: " << c.keys.size();
    }
}

// At the screen's edges the camera scrolls at twice the speed and the cursor shows the direction;
// while the right button is held, neither happens.
TEST_F(GameTest, ScreenEdgesScrollAndChooseTheCursor) {
    struct Case {
        int x;
        int y;
        int cursor;
        float side;
        float forward;
    };
    const Case cases[] = {
        {0, 0, LeftUp, 30, -30},      {799, 599, game::cursors::RightDown, -30, 30},
        {14, 300, game::cursors::Left, 30, 0}, {15, 300, game::cursors::Default, 0, 0},
        {400, 585, game::cursors::Down, 0, 30}, {400, 584, game::cursors::Default, 0, 0},
        {0, 599, game::cursors::LeftDown, 30, 30}, {799, 0, game::cursors::RightUp, -30, -30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        State().MouseX = c.x;
        State().MouseY = c.y;
        State().MoveVelocity = TVec4{0, 0, 0, 0};
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), c.cursor);
        EXPECT_EQ(State().MoveVelocity.X, c.side);
        EXPECT_EQ(State().MoveVelocity.Z, c.forward);
    }
    // Neither while the right button is held, nor while the pointer is outside the game's window
    // (where it stays at the edge it left by); back inside, the edge scrolls again.
    const auto scrollsAtTheCorner = [this](bool rightDown, bool inside) {
        State().MouseX = 0;
        State().MouseY = 0;
        State().RightDown = rightDown;
        TGLFullScreenViewer& viewer = Scene().GLFullScreenViewer1;
        inside ? game->GLFullScreenViewer1MouseEnter(&viewer) : game->GLFullScreenViewer1MouseLeave(&viewer);
        State().MoveVelocity = TVec4{0, 0, 0, 0};
        viewer.SetCursor(game::cursors::Choose);
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        return State().MoveVelocity != TVec4{0, 0, 0, 0};
    };
    EXPECT_FALSE(scrollsAtTheCorner(true, true));
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), game::cursors::Choose);
    EXPECT_FALSE(scrollsAtTheCorner(false, false));
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), game::cursors::Default);
    EXPECT_TRUE(scrollsAtTheCorner(false, true));
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), LeftUp);
}

// Dragging to the right edge puts the pointer back at x = 1, to the left edge at x = 798; the next
// frame sees no motion, so the turn does not jump.
TEST_F(GameTest, RightDragWrapsAtTheEdgesWithoutAJump) {
    struct Case {
        int from;
        int edge;
        int wrapped;
    };
    for (const Case& c : {Case{790, 799, 1}, Case{9, 0, 798}}) {
        SCOPED_TRACE(c.edge);
        State().RightDown = true;
        State().LastMouseX = c.from;
        State().LastMouseY = 300;
        State().MouseX = c.edge;
        State().MouseY = 300;
        game->ViewStep();
        ASSERT_TRUE(game->LastPointerMove().has_value());
        EXPECT_EQ(game->LastPointerMove()->x, c.wrapped);
        EXPECT_FLOAT_EQ(State().SpinVelocity.X, 10 * (c.from - c.edge) * 0.019f);
        EXPECT_EQ(State().LastMouseX, c.wrapped);
        const float turnBefore = Scene().cam->TurnAngle();
        game->ViewStep();
        EXPECT_EQ(State().SpinVelocity.X, 0);
        EXPECT_EQ(Scene().cam->TurnAngle(), turnBefore);
    }
}

TEST_F(GameTest, TheSunSetsAtFourDegreesASecondAndStopsAtMinus45) {
    Frame(60);
    EXPECT_NEAR(Scene().GLEarthSkyDome1->SunElevation(), 40 - 4 * 60 * kStep, 1e-3);
    Scene().GLEarthSkyDome1->SetSunElevation(-44.99f);
    Frame();
    const float stopped = Scene().GLEarthSkyDome1->SunElevation();
    EXPECT_LT(stopped, -45);
    Frame(10);
    EXPECT_EQ(Scene().GLEarthSkyDome1->SunElevation(), stopped);
}

// The camera sinks at start and comes to rest 3 units above the terrain below it.
TEST_F(GameTest, TheCameraSinksToItsClearanceAboveTheTerrain) {
    Frame(240);
    const TVec4 camera = Scene().cam->GetWorldPosition();
    TVec4 hit;
    ASSERT_TRUE(Scene().terrain->OctreeRayCast(TVec4{camera.X, 10, camera.Z, 1}, TVec4{0, -1, 0, 0}, &hit, nullptr));
    EXPECT_NEAR(camera.Y, hit.Y + 3, 0.05f);
    EXPECT_LT(std::abs(State().MoveVelocity.Y), 0.01f);
}

}  // namespace
}  // namespace tests
