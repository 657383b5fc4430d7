#include "game/designed_scene.h"

#include "engine/effects/source_pfx_effect.h"
#include "engine/hud/game_glyphs.h"
#include "game/game_rules.h"

#include <string>

namespace game {

using namespace engine;

namespace {

// A named node appended to parent.
template <class T>
T* Node(TGLBaseSceneObject& parent, const char* name) {
    T* node = parent.CreateChild<T>();
    node->SetName(name);
    node->BeginLoading();
    return node;
}

void Finish(TGLBaseSceneObject& node) {
    for (int i = 0; i < node.ChildCount(); ++i) {
        Finish(*node.ChildAt(i));
    }
    node.Loaded();
}

TGLLibMaterial& AddMaterial(TGLMaterialLibrary& library, const char* name) {
    return library.Materials().Add(name);
}

void LinkMaterial(TGLMaterial& material, TGLMaterialLibrary& library, const char* name) {
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName(name);
}

// HUD texts and the health bar are drawn unlit and unfogged.
constexpr TMaterialOptions kFlat{TMaterialOption::moIgnoreFog, TMaterialOption::moNoLighting};

void SetDirectionAndUp(TGLBaseSceneObject& node, const TVec4& direction, const TVec4& up) {
    node.SetDirection(direction);
    node.SetUp(up);
}

void SetUniformScale(TGLBaseSceneObject& node, float scale) {
    node.SetScale(TVec4{scale, scale, scale, 0});
}

TGLHUDText* PriceText(TGLBaseSceneObject& button, const char* name, TGLBitmapFont& font, const char* text, float x) {
    auto* price = Node<TGLHUDText>(button, name);
    price->SetBitmapFont(&font);
    price->SetAlignment(taCenter);
    price->SetLayout(tlCenter);
    price->SetText(text);
    price->SetPosition(TVec4{x, 580, 0, 1});
    return price;
}

TGLHUDSprite* Button(TGLBaseSceneObject& panel, const char* name, TGLMaterialLibrary& library, float x) {
    auto* button = Node<TGLHUDSprite>(panel, name);
    button->SetWidth(64);
    button->SetHeight(64);
    button->SetNoZWrite(false);
    LinkMaterial(button->Material(), library, name);
    button->SetPosition(TVec4{x, 550, 0, 1});
    return button;
}

TGLHUDText* ScreenText(TGLBaseSceneObject& root, const char* name, TGLBitmapFont& font, float x, float y,
                       TAlignment alignment, TTextLayout layout) {
    auto* text = Node<TGLHUDText>(root, name);
    text->SetPosition(TVec4{x, y, 0, 1});
    text->SetAlignment(alignment);
    text->SetLayout(layout);
    text->SetBitmapFont(&font);
    return text;
}

TGLFreeForm* ModelTemplate(TGLBaseSceneObject& parent, const char* name, TGLMaterialLibrary& library) {
    auto* model = Node<TGLFreeForm>(parent, name);
    model->SetVisible(false);
    model->SetMaterialLibrary(&library);
    return model;
}

void SetUpPerlinManager(TGLPerlinPFXManager& manager, TGLCadencer& cadencer, int texMapSize, float smoothness,
                        float particleSize, const TVec4& inner, const TVec4& outer, float lifeTime) {
    manager.SetCadencer(&cadencer);
    manager.SetFriction(1);
    manager.SetTexMapSize(texMapSize);
    manager.SetSmoothness(smoothness);
    manager.SetBrightness(1);
    manager.SetGamma(1);
    manager.SetColorMode(scmFade);
    manager.SetParticleSize(particleSize);
    manager.SetColorInner(inner);
    manager.SetColorOuter(outer);
    // One stage only, in place of the one a new manager comes with: its particles fade out over it.
    manager.LifeColors().Clear();
    TPFXLifeColor& life = manager.LifeColors().Add();
    life.SetLifeTime(lifeTime);
    life.SetSizeScale(1);
}

}  // namespace

TDesignedScene::TDesignedScene() {
    World1.SetName("World1");
    BuildMaterialLibraries();
    BuildObjectTree();
    BuildNonVisual();
}

TGLBaseSceneObject* TDesignedScene::Template(std::string_view name) const {
    for (int i = 0; i < scene->ChildCount(); ++i) {
        if (scene->ChildAt(i)->Name() == name) {
            return scene->ChildAt(i);
        }
    }
    return nullptr;
}

void TDesignedScene::BuildMaterialLibraries() {
    GLMaterialLibrary1.SetName("GLMaterialLibrary1");
    GLMaterialLibrary2.SetName("GLMaterialLibrary2");
    GLMaterialLibrary3.SetName("GLMaterialLibrary3");
    GLMultiMaterialShader1.SetName("GLMultiMaterialShader1");
    GLMultiMaterialShader1.SetMaterialLibrary(&GLMaterialLibrary3);

    TGLMaterial& terrainLook = AddMaterial(GLMaterialLibrary1, "terrain").Material();
    TGLTexture& terrainTexture = terrainLook.Texture();
    terrainTexture.SetImageAlpha(TGLTextureImageAlpha::tiaOpaque);
    terrainTexture.SetMinFilter(TGLMinFilter::miLinearMipmapNearest);
    terrainTexture.SetTextureMode(TGLTextureMode::tmReplace);
    terrainTexture.SetTextureWrap(TGLTextureWrap::twNone);
    terrainTexture.SetTextureFormat(TGLTextureFormat::tfRGB16);
    terrainTexture.SetCompression(TGLTextureCompression::tcHighSpeed);
    terrainTexture.SetDisabled(false);
    GLMaterialLibrary1.FindMaterial("terrain")->SetShader(&GLMultiMaterialShader1);
    for (const char* name : {"gui_bar", "gui_rocket", "gui_laser", "gui_gatling", "gui_repair"}) {
        TGLMaterial& look = AddMaterial(GLMaterialLibrary1, name).Material();
        look.SetMaterialOptions(kFlat);
        look.Texture().SetDisabled(false);
    }

    AddMaterial(GLMaterialLibrary2, "Bug").Material().Texture().SetDisabled(false);
    TGLMaterial& boom = AddMaterial(GLMaterialLibrary2, "boom").Material();
    boom.SetMaterialOptions(kFlat);
    boom.Texture().SetImageAlpha(TGLTextureImageAlpha::tiaAlphaFromIntensity);
    boom.Texture().SetDisabled(false);
    AddMaterial(GLMaterialLibrary2, "refused");
    TGLMaterial& beam = AddMaterial(GLMaterialLibrary2, "beam").Material();
    beam.SetMaterialOptions(kFlat);
    beam.Texture().SetDisabled(false);

    AddMaterial(GLMaterialLibrary3, "terrain").Material().Texture().SetDisabled(false);
    TGLLibMaterial& detail = AddMaterial(GLMaterialLibrary3, "detail");
    detail.Material().SetBlendingMode(TBlendingMode::bmModulate);
    detail.Material().SetMaterialOptions(kFlat);
    detail.Material().Texture().SetTextureMode(TGLTextureMode::tmModulate);
    detail.Material().Texture().SetDisabled(false);
    detail.TextureScale().SetAll(128, 128, 128);
    // The range rings: clamped, so that each shows once where its offset puts it.
    for (auto [name, scale] : {std::pair{"mark", 4.0f}, std::pair{"1mark", 5.0f}, std::pair{"2mark", 5.0f}}) {
        TGLLibMaterial& ring = AddMaterial(GLMaterialLibrary3, name);
        ring.Material().SetMaterialOptions(kFlat);
        ring.Material().Texture().SetTextureWrap(TGLTextureWrap::twNone);
        ring.Material().Texture().SetDisabled(false);
        ring.TextureScale().SetAll(scale, scale, scale);
    }
}

void TDesignedScene::BuildObjectTree() {
    World1.BeginLoading();
    BuildWorldNodes();
    BuildTemplates();
    BuildBaseAndContainers();
    BuildCamera();
    BuildHud();
    Finish(World1.Objects());
    World1.Loaded();
}

void TDesignedScene::BuildWorldNodes() {
    TGLBaseSceneObject& root = World1.Objects();
    GLLightSource1 = Node<TGLLightSource>(root, "GLLightSource1");
    GLLightSource1->SetPosition(TVec4{-5, 10, 0, 1});
    GLLightSource1->SetLightStyle(lsOmni);
    GLLightSource1->SetConstAttenuation(1);
    GLLightSource1->SetQuadraticAttenuation(0.001f);
    GLLightSource1->SetSpotCutOff(180);

    // The settings template that start-up copies onto every library material.
    DefaultMaterial = Node<TGLPlane>(root, "DefaultMaterial");
    DefaultMaterial->SetVisible(false);
    DefaultMaterial->SetNoZWrite(false);
    TGLMaterial& look = DefaultMaterial->Material();
    look.FrontProperties().Ambient().SetColor(TVec4{0, 0, 0, 1});
    look.FrontProperties().Diffuse().SetColor(TVec4{1, 1, 1, 1});
    look.SetBlendingMode(TBlendingMode::bmAlphaTest50);
    look.SetFaceCulling(TFaceCulling::fcCull);
    look.Texture().SetMinFilter(TGLMinFilter::miLinearMipmapNearest);
    look.Texture().SetTextureMode(TGLTextureMode::tmModulate);
    look.Texture().SetTextureFormat(TGLTextureFormat::tfRGBA16);
    look.Texture().SetCompression(TGLTextureCompression::tcHighSpeed);

    scene = Node<TGLDummyCube>(root, "scene");

    GLEarthSkyDome1 = Node<TGLEarthSkyDome>(*scene, "GLEarthSkyDome1");
    SetDirectionAndUp(*GLEarthSkyDome1, TVec4{0, 1, 0, 0}, TVec4{0, 0, -1, 0});
    GLEarthSkyDome1->SetOptions(sdoTwinkle);
    GLEarthSkyDome1->SetSunElevation(rules::SunStart);
    GLEarthSkyDome1->SetTurbidity(15);
    GLEarthSkyDome1->SetExtendedOptions(esoFadeStarsWithSun);
    GLEarthSkyDome1->SetSlices(48);
    GLEarthSkyDome1->SetStacks(24);
    GLEarthSkyDome1->Bands().clear();
    GLEarthSkyDome1->Stars().clear();
}

void TDesignedScene::BuildTemplates() {
    Bug = Node<TGLActor>(*scene, "Bug");
    Bug->SetVisible(false);
    LinkMaterial(Bug->Material(), GLMaterialLibrary2, "Bug");
    SetDirectionAndUp(*Bug, TVec4{0, 1, 0, 0}, TVec4{0, 0, -1, 0});
    Bug->SetPosition(TVec4{0, 0, 1, 1});
    SetUniformScale(*Bug, 0.02f);
    Bug->SetAnimationMode(aamLoop);
    Bug->SetInterval(100);
    Bug->SetUseMeshMaterials(false);

    base_d1 = ModelTemplate(*scene, "base_d1", GLMaterialLibrary2);
    base_d2 = ModelTemplate(*scene, "base_d2", GLMaterialLibrary2);
    for (TGLFreeForm* damaged : {base_d1, base_d2}) {
        SetDirectionAndUp(*damaged, TVec4{0, 1, 0, 0}, TVec4{1, 0, 0, 0});
        SetUniformScale(*damaged, 0.05f);
    }

    terrain = Node<TGLFreeForm>(*scene, "terrain");
    LinkMaterial(terrain->Material(), GLMaterialLibrary1, "terrain");
    SetDirectionAndUp(*terrain, TVec4{0, 1, 0, 0}, TVec4{0, 0, -1, 0});
    SetUniformScale(*terrain, 0.1f);
    terrain->SetUseMeshMaterials(false);
    terrain->SetPosition(TVec4{0, 0, 0, 1});

    firebase = ModelTemplate(*scene, "firebase", GLMaterialLibrary2);
    firebase->SetPosition(TVec4{-2, -6.7f, -5, 1});
    SetUniformScale(*firebase, 0.05f);
    barell = ModelTemplate(*scene, "barell", GLMaterialLibrary2);
    gutlingbase = ModelTemplate(*scene, "gutlingbase", GLMaterialLibrary2);
    gutlinggun = ModelTemplate(*scene, "gutlinggun", GLMaterialLibrary2);
    gutlingmuzzle = ModelTemplate(*scene, "gutlingmuzzle", GLMaterialLibrary2);
    laserbase = ModelTemplate(*scene, "laserbase", GLMaterialLibrary2);
    lasergun = ModelTemplate(*scene, "lasergun", GLMaterialLibrary2);
    for (TGLFreeForm* part : {gutlingbase, gutlinggun, gutlingmuzzle, laserbase, lasergun}) {
        SetUniformScale(*part, 0.05f);
    }
    const std::array<TGLFreeForm*, 6> parts{firebase, barell, gutlingbase, gutlinggun, laserbase, lasergun};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string name = parts[i]->Name() + std::string(kRefusedSuffix);
        refused[i] = Node<TGLFreeForm>(*scene, name.c_str());
        refused[i]->SetVisible(false);
    }
}

void TDesignedScene::BuildBaseAndContainers() {
    base = Node<TGLDummyCube>(*scene, "base");
    base->SetPosition(TVec4{1, -7, 3, 1});
    base->SetTagFloat(rules::BaseFullHealth);
    TGLSourcePFXEffect& smoke = SourceEffectOf(*base);
    smoke.SetManager(&GLPerlinPFXManager2);
    smoke.SetEffectScale(1);
    smoke.SetPositionDispersionRange(TVec3{2.5f, 0, 3.5f});
    smoke.SetVelocityDispersion(1);
    smoke.SetPositionDispersion(0);
    smoke.SetParticleInterval(0.01f);
    smoke.SetVelocityMode(svmAbsolute);
    smoke.SetDispersionMode(sdmIsotropic);
    smoke.SetEnabled(false);
    smoke.SetRotationDispersion(2);
    smoke.SetDisabledIfOwnerInvisible(true);
    smoke.SetPositionMode(spmAbsoluteOffset);

    base_d0 = Node<TGLFreeForm>(*base, "base_d0");
    SetDirectionAndUp(*base_d0, TVec4{0, 1, 0, 0}, TVec4{1, 0, 0, 0});
    SetUniformScale(*base_d0, 0.05f);
    base_d0->SetMaterialLibrary(&GLMaterialLibrary2);

    Arrow = Node<TGLDummyCube>(*scene, "Arrow");
    Missile = Node<TGLDummyCube>(*scene, "Missile");
    Missile->SetVisible(false);
    TGLSourcePFXEffect& trail = SourceEffectOf(*Missile);
    trail.SetParticleInterval(0.05f);
    trail.SetEnabled(false);
    trail.SetDisabledIfOwnerInvisible(true);

    BugBox = Node<TGLDummyCube>(*scene, "BugBox");
    constexpr std::array<TVec4, 4> kSpawnCorners{
        TVec4{-40, 0, 40, 1}, TVec4{40, 0, -40, 1}, TVec4{-40, 0, -40, 1}, TVec4{40, 0, 40, 1}};
    for (int group = 0; group < 4; ++group) {
        const std::string name = "Bugs" + std::to_string(group + 1);
        Bugs[group] = Node<TGLDummyCube>(*BugBox, name.c_str());
        Bugs[group]->SetTag(group + 1);
        Bugs[group]->SetPosition(kSpawnCorners[group]);
    }

    Towers = Node<TGLDummyCube>(*scene, "Towers");
    Missiles = Node<TGLDummyCube>(*scene, "Missiles");
    GLParticleFXRenderer1 = Node<TGLParticleFXRenderer>(*scene, "GLParticleFXRenderer1");

    barline = Node<TGLSprite>(*scene, "barline");
    barline->SetPosition(TVec4{1, -4, 3, 1});
    barline->SetWidth(5.1f);
    barline->SetHeight(0.3f);
    barline->SetNoZWrite(true);
    barline->Material().FrontProperties().Ambient().SetColor(TVec4{0, 0, 0, 1});
    barline->Material().FrontProperties().Diffuse().SetColor(TVec4{0, 0, 0, 1});
    barline->Material().SetMaterialOptions(kFlat);
    barline->Material().Texture().SetImageAlpha(TGLTextureImageAlpha::tiaOpaque);

    bar = Node<TGLSprite>(*barline, "bar");
    bar->SetWidth(5);
    bar->SetHeight(0.2f);
    bar->SetNoZWrite(true);
    bar->Material().SetMaterialOptions(kFlat);

    Explosions = Node<TGLDummyCube>(*scene, "Explosions");
    Explosions->SetObjectsSorting(osRenderFarthestFirst);
}

void TDesignedScene::BuildCamera() {
    cam = Node<TGLDummyCube>(World1.Objects(), "cam");
    cam->SetPosition(TVec4{-3, -4, 10, 1});
    cam->SetDirection(TVec4{-0.7660444f, 0, 0.64278764f, 0});
    cam->SetTurnAngle(-50);

    GLCamera1 = Node<TGLCamera>(*cam, "GLCamera1");
    GLCamera1->SetPosition(TVec4{0, 0, 0.1f, 1});
    GLCamera1->SetDirection(TVec4{0, 0, -1, 0});
    GLCamera1->SetDepthOfView(100);
    GLCamera1->SetFocalLength(70);
}

void TDesignedScene::BuildHud() {
    TGLBaseSceneObject& root = World1.Objects();
    gui_bar = Node<TGLHUDSprite>(root, "gui_bar");
    LinkMaterial(gui_bar->Material(), GLMaterialLibrary1, "gui_bar");
    gui_bar->SetPosition(TVec4{512, 472, 0, 1});
    gui_bar->SetWidth(1024);
    gui_bar->SetHeight(256);
    gui_bar->SetNoZWrite(true);
    gui_bar->SetTag(-1);

    gui_rocket = Button(*gui_bar, "gui_rocket", GLMaterialLibrary1, 280);
    gui_laser = Button(*gui_bar, "gui_laser", GLMaterialLibrary1, 344);
    gui_gatling = Button(*gui_bar, "gui_gatling", GLMaterialLibrary1, 408);
    gui_repair = Button(*gui_bar, "gui_repair", GLMaterialLibrary1, 480);
    rocket_price = PriceText(*gui_rocket, "rocket_price", GLBitmapFont1, ":100", 280);
    laser_price = PriceText(*gui_laser, "laser_price", GLBitmapFont1, ":50", 344);
    gutling_price = PriceText(*gui_gatling, "gutling_price", GLBitmapFont1, ":10", 408);
    repair_price = PriceText(*gui_repair, "repair_price", GLBitmapFont1, ":200", 480);

    fpscounter = ScreenText(root, "fpscounter", GLBitmapFont1, 8, 8, taLeftJustify, tlTop);
    money = ScreenText(root, "money", GLBitmapFont1, 450, 447, taRightJustify, tlCenter);
    money->SetText(":0");
    GLHUDText3 = ScreenText(root, "GLHUDText3", GLBitmapFont1, 8, 120, taLeftJustify, tlTop);

    pause_sign = Node<TGLDummyCube>(root, "pause_sign");
    pause_sign->SetVisible(false);
    for (auto [name, x] : {std::pair{"pause_left", 388.0f}, std::pair{"pause_right", 412.0f}}) {
        auto* bar = Node<TGLHUDSprite>(*pause_sign, name);
        bar->SetPosition(TVec4{x, 300, 0, 1});
        bar->SetWidth(14);
        bar->SetHeight(48);
        bar->Material().SetMaterialOptions(kFlat);
        bar->Material().FrontProperties().Diffuse().SetColor(TVec4{1, 1, 1, 0.85f});
        bar->Material().SetBlendingMode(TBlendingMode::bmTransparency);
    }
}

void TDesignedScene::BuildNonVisual() {
    SetUpGameFont(GLBitmapFont1);
    GLBitmapFont1.SetName("GLBitmapFont1");

    GLCadencer1.SetName("GLCadencer1");
    GLCadencer1.SetScene(&World1);
    GLCadencer1.SetEnabled(false);

    GLPerlinPFXManager1.SetName("GLPerlinPFXManager1");
    SetUpPerlinManager(GLPerlinPFXManager1, GLCadencer1, 8, 2, 0.7f, TVec4{0.949f, 0.475f, 0, 1},
                       TVec4{1, 1, 0.7019608f, 1}, 0.3f);
    GLPerlinPFXManager1.SetRenderer(GLParticleFXRenderer1);

    GLPerlinPFXManager2.SetName("GLPerlinPFXManager2");
    SetUpPerlinManager(GLPerlinPFXManager2, GLCadencer1, 9, 1, 1, TVec4{0, 0, 0, 1}, TVec4{1, 1, 1, 1}, 3);
    GLPerlinPFXManager2.SetAcceleration(TVec3{0, 1, 0});
    GLPerlinPFXManager2.SetSpritesPerTexture(sptOne);
    GLPerlinPFXManager2.SetRenderer(GLParticleFXRenderer1);

    GLFullScreenViewer1.SetName("GLFullScreenViewer1");
    GLFullScreenViewer1.SetCamera(GLCamera1);
    GLFullScreenViewer1.SetWidth(800);
    GLFullScreenViewer1.SetHeight(600);
    TGLRenderBuffer& buffer = GLFullScreenViewer1.Buffer();
    buffer.FogEnvironment().FogColor().SetColor(TVec4{0.9f, 0.95f, 1.0f, 0});
    buffer.FogEnvironment().SetFogStart(10);
    buffer.FogEnvironment().SetFogEnd(40);
    buffer.SetBackgroundColor(colors::clBlack);
    buffer.AmbientColor().SetColor(TVec4{0, 0, 0, 1});
    buffer.SetContextOptions(roDoubleBuffer | roNoColorBufferClear);
    buffer.SetDepthPrecision(dp24bits);
    buffer.SetColorDepth(cd24bits);
    GLFullScreenViewer1.SetScreenDepth(sd24bits);
    GLFullScreenViewer1.SetRefreshRate(85);

    AsyncTimer1.SetName("AsyncTimer1");
    AsyncTimer1.SetInterval(1000);
    AsyncTimer1.SetThreadPriority(tpNormal);
    AsyncTimer2.SetName("AsyncTimer2");
    AsyncTimer2.SetInterval(15);
    AsyncTimer2.SetThreadPriority(tpNormal);
}

}  // namespace game
