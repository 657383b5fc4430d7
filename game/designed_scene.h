#pragma once

#include "engine/assets/actor.h"
#include "engine/effects/earth_sky_dome.h"
#include "engine/effects/particle_fx_renderer.h"
#include "engine/effects/perlin_pfx_manager.h"
#include "engine/hud/bitmap_font.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/plane.h"
#include "engine/hud/sprite.h"
#include "engine/material/material_library.h"
#include "engine/material/multi_material_shader.h"
#include "engine/mesh/free_form.h"
#include "engine/scene/camera.h"
#include "engine/scene/dummy_cube.h"
#include "engine/scene/light_source.h"
#include "engine/scene/world.h"
#include "engine/timing/async_timer.h"
#include "engine/timing/cadencer.h"
#include "engine/viewer/full_screen_viewer.h"

#include <array>
#include <string_view>

namespace game {

// The red copy of a tower part is named after it with this ending.
inline constexpr std::string_view kRefusedSuffix = "_refused";

// The range rings among the terrain's pass materials in GLMaterialLibrary3: rocket, gatling, laser.
inline constexpr std::array<const char*, 3> kRingMaterials{"mark", "1mark", "2mark"};

// The game's designed scene: every component under its name, the object tree of World1 with each
// node's settings, the materials and the non-visual components. Nodes are owned by the tree; the
// members here only name them. Components are declared so that the users die before what they use:
// the timers and the viewer first, the libraries and the font last.
struct TDesignedScene {
    TDesignedScene();
    TDesignedScene(const TDesignedScene&) = delete;
    TDesignedScene& operator=(const TDesignedScene&) = delete;

    // The model template of that name under `scene` (the towers' parts), or none.
    engine::TGLBaseSceneObject* Template(std::string_view name) const;

    engine::TGLMaterialLibrary GLMaterialLibrary1;
    engine::TGLMaterialLibrary GLMaterialLibrary2;
    engine::TGLMaterialLibrary GLMaterialLibrary3;
    engine::TGLMultiMaterialShader GLMultiMaterialShader1;
    engine::TGLBitmapFont GLBitmapFont1;
    engine::TGLWorld World1;
    engine::TGLCadencer GLCadencer1;
    engine::TGLPerlinPFXManager GLPerlinPFXManager1;
    engine::TGLPerlinPFXManager GLPerlinPFXManager2;
    engine::TGLFullScreenViewer GLFullScreenViewer1;
    engine::TAsyncTimer AsyncTimer1;
    engine::TAsyncTimer AsyncTimer2;

    engine::TGLLightSource* GLLightSource1 = nullptr;
    engine::TGLPlane* DefaultMaterial = nullptr;
    engine::TGLDummyCube* scene = nullptr;
    engine::TGLEarthSkyDome* GLEarthSkyDome1 = nullptr;
    engine::TGLActor* Bug = nullptr;
    engine::TGLFreeForm* base_d1 = nullptr;
    engine::TGLFreeForm* base_d2 = nullptr;
    engine::TGLFreeForm* terrain = nullptr;
    engine::TGLFreeForm* firebase = nullptr;
    engine::TGLFreeForm* barell = nullptr;
    engine::TGLFreeForm* gutlingbase = nullptr;
    engine::TGLFreeForm* gutlinggun = nullptr;
    engine::TGLFreeForm* gutlingmuzzle = nullptr;
    engine::TGLFreeForm* laserbase = nullptr;
    engine::TGLFreeForm* lasergun = nullptr;
    // Red copies of the tower parts above, shown while a tower stands on an illegal spot; they
    // take their meshes at start-up.
    std::array<engine::TGLFreeForm*, 6> refused{};
    engine::TGLDummyCube* base = nullptr;
    engine::TGLFreeForm* base_d0 = nullptr;
    engine::TGLDummyCube* Arrow = nullptr;
    engine::TGLDummyCube* Missile = nullptr;
    engine::TGLDummyCube* BugBox = nullptr;
    std::array<engine::TGLDummyCube*, 4> Bugs{};  // Bugs1 .. Bugs4
    engine::TGLDummyCube* Towers = nullptr;
    engine::TGLDummyCube* Missiles = nullptr;
    engine::TGLParticleFXRenderer* GLParticleFXRenderer1 = nullptr;
    engine::TGLSprite* barline = nullptr;
    engine::TGLSprite* bar = nullptr;
    engine::TGLDummyCube* Explosions = nullptr;
    engine::TGLDummyCube* cam = nullptr;
    engine::TGLCamera* GLCamera1 = nullptr;
    engine::TGLHUDSprite* gui_bar = nullptr;
    engine::TGLHUDSprite* gui_rocket = nullptr;
    engine::TGLHUDSprite* gui_laser = nullptr;
    engine::TGLHUDSprite* gui_gatling = nullptr;
    engine::TGLHUDSprite* gui_repair = nullptr;
    engine::TGLHUDText* rocket_price = nullptr;
    engine::TGLHUDText* laser_price = nullptr;
    engine::TGLHUDText* gutling_price = nullptr;
    engine::TGLHUDText* repair_price = nullptr;
    engine::TGLHUDText* fpscounter = nullptr;
    engine::TGLHUDText* money = nullptr;
    engine::TGLHUDText* GLHUDText3 = nullptr;
    // Shown in the middle of the screen while the world stands still: two white bars.
    engine::TGLDummyCube* pause_sign = nullptr;

private:
    void BuildMaterialLibraries();
    void BuildObjectTree();
    void BuildWorldNodes();
    void BuildTemplates();
    void BuildBaseAndContainers();
    void BuildCamera();
    void BuildHud();
    void BuildNonVisual();
};

}  // namespace game
