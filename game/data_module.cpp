#include "game/data_module.h"

#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/platform/application.h"
#include "platform/random.h"

#include <array>
#include <tuple>

namespace game {

using namespace engine;
using namespace std::placeholders;

namespace {

// The cursor files by slot, in the order they are loaded: "leftdown" before "leftup" and
// "rightdown" before "rightup".
constexpr std::array<std::pair<int, const char*>, 13> kCursorFiles{{
    {1, "cursors\\default.ani"},
    {2, "cursors\\denny.ani"},
    {3, "cursors\\choose.ani"},
    {4, "cursors\\left.ani"},
    {5, "cursors\\right.ani"},
    {6, "cursors\\up.ani"},
    {7, "cursors\\down.ani"},
    {9, "cursors\\leftdown.ani"},
    {8, "cursors\\leftup.ani"},
    {11, "cursors\\rightdown.ani"},
    {10, "cursors\\rightup.ani"},
    {12, "cursors\\place.ani"},
    {13, "cursors\\repair.ani"},
}};

// Copies the settings template onto a library material: the texture's settings in this order, the
// blending, then the front properties whole.
void CopyTemplate(TGLMaterial& from, TGLMaterial& to) {
    const TGLTexture& source = from.Texture();
    TGLTexture& texture = to.Texture();
    texture.SetCompression(source.Compression());
    texture.SetFilteringQuality(source.FilteringQuality());
    texture.SetImageBrightness(source.ImageBrightness());
    texture.SetImageGamma(source.ImageGamma());
    texture.SetImageAlpha(source.ImageAlpha());
    texture.SetMagFilter(source.MagFilter());
    texture.SetMinFilter(source.MinFilter());
    texture.SetTextureFormat(source.TextureFormat());
    texture.SetTextureMode(source.TextureMode());
    to.SetBlendingMode(from.BlendingMode());
    to.FrontProperties().Assign(from.FrontProperties());
}

}  // namespace

TDataModule2::TDataModule2(TGameSetup setup) : m_setup(std::move(setup)) {
    RegisterImageFormats();
    RegisterModelFormats();
    S.GLFullScreenViewer1.SetCursorTable(&Cursors);
    S.GLFullScreenViewer1.SetWindowed(m_setup.Windowed);
    S.GLFullScreenViewer1.SetCaption("skirmish");
    S.AsyncTimer1.SetEnabled(true);
    S.AsyncTimer2.SetEnabled(true);
    WireHandlers();
}

TDataModule2::~TDataModule2() {
    // The viewer gives the screen back before the cursors it shows are freed.
    S.GLFullScreenViewer1.SetScreenActive(false);
    S.GLFullScreenViewer1.SetCursorTable(nullptr);
}

void TDataModule2::WireHandlers() {
    S.GLCadencer1.OnProgress = ProgressEvent(&TDataModule2::GLCadencer1Progress);
    S.AsyncTimer1.OnTimer = std::bind(&TDataModule2::AsyncTimer1Timer, this, _1);
    S.AsyncTimer2.OnTimer = std::bind(&TDataModule2::AsyncTimer2Timer, this, _1);
    S.Explosions->OnProgress = ProgressEvent(&TDataModule2::ExplosionsProgress);
    S.gui_bar->OnProgress = ProgressEvent(&TDataModule2::gui_barProgress);
    TGLFullScreenViewer& viewer = S.GLFullScreenViewer1;
    viewer.OnKeyPress = std::bind(&TDataModule2::GLFullScreenViewer1KeyPress, this, _1, _2);
    viewer.OnKeyDown = std::bind(&TDataModule2::GLFullScreenViewer1KeyDown, this, _1, _2, _3);
    viewer.OnClick = std::bind(&TDataModule2::GLFullScreenViewer1Click, this, _1);
    viewer.OnMouseDown = std::bind(&TDataModule2::GLFullScreenViewer1MouseDown, this, _1, _2, _3, _4, _5);
    viewer.OnMouseUp = std::bind(&TDataModule2::GLFullScreenViewer1MouseUp, this, _1, _2, _3, _4, _5);
    viewer.OnMouseMove = std::bind(&TDataModule2::GLFullScreenViewer1MouseMove, this, _1, _2, _3, _4);
    viewer.OnMouseWheel = std::bind(&TDataModule2::GLFullScreenViewer1MouseWheel, this, _1, _2, _3, _4, _5);
}

void TDataModule2::DataModuleCreate() {
    StartUp();
    StartPlaying();
    RunGameLoop();
}

void TDataModule2::StartUp() {
    if (m_setup.Seed) {
        platform::SetRandomSeed(*m_setup.Seed);
    } else {
        platform::Randomize();
    }
    if (!m_setup.ProgramFolder.empty()) {
        std::filesystem::current_path(m_setup.ProgramFolder);
    }
    LoadCursors();
    S.GLFullScreenViewer1.SetCursor(1);
    for (TGLMaterialLibrary* library : {&S.GLMaterialLibrary1, &S.GLMaterialLibrary2, &S.GLMaterialLibrary3}) {
        library->SetTexturePaths("textures");
    }
    LoadTextures();
    LoadModels();
    for (TGLFreeForm* mesh : {S.base_d0, S.base_d1, S.base_d2, S.terrain}) {
        mesh->PrepareOctree(3);
    }
    PopulateBugs();
    AddStars();
    UnifyMaterials();
    State.MoveVelocity = TVec4{0, -5, 0, 0};
    S.bar->Material().FrontProperties().Diffuse().SetColor(IntactBand.BarColor);
    OverrideMaterials();
    State.Money = rules::StartMoney;
    const TGLCoordinates& position = S.terrain->Position();
    State.TerrainOrigin = TVec3{position.X(), position.Y(), position.Z()};
    const TGLCoordinates& scale = S.terrain->Scale();
    State.TerrainExtent = TVec3{scale.X() * rules::TerrainModelSize, 0, scale.Y() * rules::TerrainModelSize};
    State.MouseX = S.GLFullScreenViewer1.Width() / 2;
    State.MouseY = S.GLFullScreenViewer1.Height() / 2;
    MoveSystemPointer(State.MouseX, State.MouseY);
    State.Placing = false;
    State.RepairMode = false;
    State.TowerCount = 1;
}

void TDataModule2::StartPlaying() {
    S.GLCadencer1.SetEnabled(true);
    S.GLFullScreenViewer1.SetScreenActive(true);
    if (m_pendingPointerMove) {
        const ScreenPoint point = *std::exchange(m_pendingPointerMove, std::nullopt);
        MoveSystemPointer(point.x, point.y);
    }
}

void TDataModule2::RunGameLoop() {
    while (S.GLFullScreenViewer1.ScreenActive()) {
        if (OnBeforePass) {
            OnBeforePass();
        }
        Application().ProcessMessages();
        if (OnAfterPass) {
            OnAfterPass();
        }
    }
}

void TDataModule2::MoveSystemPointer(int x, int y) {
    m_lastPointerMove = ScreenPoint{x, y};
    if (ScreenWindow* window = S.GLFullScreenViewer1.Window()) {
        window->WarpMouse(x, y);
    } else {
        m_pendingPointerMove = ScreenPoint{x, y};
    }
}

void TDataModule2::LoadCursors() {
    for (const auto& [slot, file] : kCursorFiles) {
        Cursors.LoadFromFile(slot, file);
    }
}

void TDataModule2::LoadTextures() {
    const std::array<std::tuple<TGLMaterialLibrary*, const char*, const char*>, 13> textures{{
        {&S.GLMaterialLibrary3, "terrain", "terrain.jpg"},
        {&S.GLMaterialLibrary3, "detail", "detail.jpg"},
        {&S.GLMaterialLibrary3, "1mark", "1ring.jpg"},
        {&S.GLMaterialLibrary3, "mark", "ring.jpg"},
        {&S.GLMaterialLibrary3, "2mark", "2ring.jpg"},
        {&S.GLMaterialLibrary2, "Bug", "bug.jpg"},
        {&S.GLMaterialLibrary2, "boom", "boom.jpg"},
        {&S.GLMaterialLibrary2, "beam", "beam.jpg"},
        {&S.GLMaterialLibrary1, "gui_bar", "gui_bar.dds"},
        {&S.GLMaterialLibrary1, "gui_rocket", "gui_rocket_sm.dds"},
        {&S.GLMaterialLibrary1, "gui_laser", "gui_laser_sm.dds"},
        {&S.GLMaterialLibrary1, "gui_gatling", "gui_gatling_sm.dds"},
        {&S.GLMaterialLibrary1, "gui_repair", "gui_repair_sm.dds"},
    }};
    for (const auto& [library, material, file] : textures) {
        library->FindMaterial(material)->Material().Texture().LoadImageFromFile(file);
    }
}

void TDataModule2::LoadModels() {
    const std::array<std::pair<TGLBaseMesh*, const char*>, 12> models{{
        {S.terrain, "models\\terrain_low.3ds"},
        {S.base_d0, "models\\main_base.3ds"},
        {S.base_d1, "models\\main_base_d1.3ds"},
        {S.base_d2, "models\\main_base_d2.3ds"},
        {S.Bug, "models\\bug.md2"},
        {S.firebase, "models\\firebase.3DS"},
        {S.barell, "models\\barell.3ds"},
        {S.gutlingbase, "models\\gutling_base.3ds"},
        {S.gutlinggun, "models\\gutling_gun.3ds"},
        {S.gutlingmuzzle, "models\\gutling_muzzle.3ds"},
        {S.laserbase, "models\\laser_base.3ds"},
        {S.lasergun, "models\\laser_gun.3ds"},
    }};
    for (const auto& [mesh, file] : models) {
        mesh->LoadFromFile(file);
    }
    // The red copies take the parts' meshes, but keep their own names, look and placement.
    const std::array<TGLFreeForm*, 6> parts{S.firebase, S.barell, S.gutlingbase, S.gutlinggun, S.laserbase, S.lasergun};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        TGLFreeForm& copy = *S.refused[i];
        const std::string name = copy.Name();
        copy.CopyFrom(*parts[i]);
        copy.SetName(name);
        copy.SetVisible(false);
        copy.SetUseMeshMaterials(false);
        copy.Material().SetMaterialLibrary(&S.GLMaterialLibrary2);
        copy.Material().SetLibMaterialName("refused");
    }
}

void TDataModule2::AddStars() {
    TGLEarthSkyDome& dome = *S.GLEarthSkyDome1;
    if (!dome.Stars().empty()) {
        return;
    }
    // Windows colour values: red in the low byte.
    dome.AddRandomStarField(500, 0xFFFFFF, true);
    dome.AddRandomStarField(100, 0xC8C8FF, true);
    dome.AddRandomStarField(100, 0xFFC8C8, true);
    dome.AddRandomStarField(100, 0xC8FFFF, true);
}

void TDataModule2::UnifyMaterials() {
    TGLMaterial& model = S.DefaultMaterial->Material();
    for (TGLMaterialLibrary* library : {&S.GLMaterialLibrary1, &S.GLMaterialLibrary2, &S.GLMaterialLibrary3}) {
        for (int i = 0; i < library->Materials().Count(); ++i) {
            CopyTemplate(model, library->Materials()[i].Material());
        }
    }
}

void TDataModule2::OverrideMaterials() {
    TGLMaterial& detail = S.GLMaterialLibrary3.FindMaterial("detail")->Material();
    detail.Texture().SetTextureMode(TGLTextureMode::tmModulate);
    detail.SetBlendingMode(TBlendingMode::bmModulate);
    for (const char* ringName : kRingMaterials) {
        TGLMaterial& ring = S.GLMaterialLibrary3.FindMaterial(ringName)->Material();
        ring.Texture().SetTextureMode(TGLTextureMode::tmModulate);
        ring.SetBlendingMode(TBlendingMode::bmAdditive);
        ring.Texture().SetMinFilter(TGLMinFilter::miLinear);
        ring.Texture().SetCompression(TGLTextureCompression::tcNone);
        ring.Texture().SetFilteringQuality(TGLTextureFilteringQuality::tfAnisotropic);
        ring.Texture().SetTextureFormat(TGLTextureFormat::tfRGBA);
    }
    for (const char* additive : {"boom", "beam"}) {
        S.GLMaterialLibrary2.FindMaterial(additive)->Material().SetBlendingMode(TBlendingMode::bmAdditive);
    }
    // The beam's soft glow would band in 16 bits, as the rings' would.
    TGLTexture& beam = S.GLMaterialLibrary2.FindMaterial("beam")->Material().Texture();
    beam.SetCompression(TGLTextureCompression::tcNone);
    beam.SetTextureFormat(TGLTextureFormat::tfRGBA);
    // The red of a tower on an illegal spot, lit so that its shape shows.
    TGLMaterial& refused = S.GLMaterialLibrary2.FindMaterial("refused")->Material();
    refused.SetBlendingMode(TBlendingMode::bmOpaque);
    refused.FrontProperties().Ambient().SetColor(TVec4{0.35f, 0.02f, 0.02f, 1});
    refused.FrontProperties().Diffuse().SetColor(TVec4{1, 0.18f, 0.12f, 1});
    // The muzzle flash's material comes with a model; without it there is nothing to set.
    if (TGLLibMaterial* flash = S.GLMaterialLibrary2.FindMaterial("f")) {
        flash->Material().SetFaceCulling(TFaceCulling::fcNoCull);
        flash->Material().SetMaterialOptions({TMaterialOption::moNoLighting});
    }
}

}  // namespace game
