#include "game/data_module.h"

#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/effects/animated_sprite.h"
#include "engine/platform/application.h"
#include "platform/paths.h"
#include "platform/random.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <stdexcept>
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

// The texture images' folder, for all three libraries.
constexpr const char* kTextureFolder = "textures";

// A data file as a message shows it: the whole path to the file start-up opened, or would have.
std::string ShownPath(const std::string& file) {
    return std::filesystem::absolute(platform::ResolvePath(file)).lexically_normal().string();
}

// The file's name, then the reader's own words on one line (the 3DS reader's texts break lines with
// a bare carriage return).
std::string DataFileMessage(const std::string& file, std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    return ShownPath(file) + ": " + text;
}

// Loads one data file of the start-up; a reader's error ends the start-up with a message that names
// the file.
template <class Load>
void LoadDataFile(const std::string& file, Load&& load) {
    try {
        load();
    } catch (const std::exception& error) {
        throw std::runtime_error(DataFileMessage(file, error.what()));
    }
}

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
    Scene.GLFullScreenViewer1.SetCursorTable(&Cursors);
    Scene.GLFullScreenViewer1.SetWindowed(m_setup.Windowed);
    Scene.GLFullScreenViewer1.SetCaption("skirmish");
    Scene.AsyncTimer1.SetEnabled(true);
    Scene.AsyncTimer2.SetEnabled(true);
    WireHandlers();
}

TDataModule2::~TDataModule2() {
    // The viewer gives the screen back before the cursors it shows are freed.
    Scene.GLFullScreenViewer1.SetScreenActive(false);
    Scene.GLFullScreenViewer1.SetCursorTable(nullptr);
}

// The game goes in steps of 1/85 s, the rate of the display its rules were made for, of two kinds:
//   - the world's steps: the frame clock's, 85 a second of game time, which is the run's time times
//     the game's speed (F5, F6, F7) and stands still while paused or once the base has fallen. A
//     world step is everything the scene tree's walk reaches (the HUD buttons' hover and press,
//     explosions, missiles, towers, bugs), the particle managers, and GLCadencer1Progress: the sun,
//     the game's time and the survival game's waves and fall (a fall drops the steps still due).
//   - the view's steps (ViewStep): 85 a second of the run's time, whatever the speed, also while
//     paused: the displays (money, the base's health, the buttons' and the placed tower's look), the
//     game's own signs and words (tooltips, modes, the wave line, the overlay), the camera's flight
//     and turn, and the pointer's wrap at the edges.
// The timers keep the run's time too: AsyncTimer2Timer samples keys, edges and the mouse ray and damps
// the spin every 15 ms, AsyncTimer1Timer shows the frame rate every second. The run's clock lays all
// three out on one timeline, and each runs in the order of its time.
//
// A pass of the game loop draws one frame and takes what fell due since the last pass, none or
// several of each, so that the game plays at its designed pace whatever the display's rate; this is
// its order, and it is not written anywhere else, since it falls out of the loop, the run's clock and
// the designed tree:
//   1. Before the pass (OnBeforePass): the run's clock lays out what fell due and sets the frame
//      clock's time so that it takes exactly the world's steps due.
//   2. The message pump: input events reach the viewer's handlers (mouse down, up, move, enter and
//      leave, wheel, click, keys, close), then the calls queued for the main thread run: a replayed
//      script's input to the same handlers, then the timers' ticks and view steps due before the
//      first world step.
//   3. The frame clock's tick: it pumps once more what arrived meanwhile, as in 2, then takes the
//      world steps due. A step walks the scene tree, at every node first its children from the last
//      to the first, then its effects, then its OnProgress; with the designed tree the handlers
//      therefore run as
//        gui_barProgress (gui_bar is the last node under the root with a handler),
//        inside `scene`: the explosion sprites (ExplosionFrameChanged, ExplosionEndFrameReached),
//          then ExplosionsProgress,
//        MissilesProgress of every missile, the last launched first,
//        firebaseProgress of every tower, the last placed first,
//        BugProgress in the groups Bugs4, Bugs3, Bugs2, Bugs1, each from its last bug to its first;
//      then the step progresses the particle managers subscribed to the clock, then fires
//      GLCadencer1Progress, which ends (OnWorldStep) with the ticks and view steps due before the
//      next world step, or all that is left after the last. A node made during the walk first
//      progresses in the next step.
//   4. The paint: the viewer, invalidated by any change, renders the frame.
// After the pass a quit request of the system ends the game as the quit key does; then
// (OnAfterPass) the run counts the frame and waits out the rest of it.
void TDataModule2::WireHandlers() {
    Scene.GLCadencer1.OnProgress = ProgressEvent(&TDataModule2::GLCadencer1Progress);
    Scene.AsyncTimer1.OnTimer = std::bind(&TDataModule2::AsyncTimer1Timer, this, _1);
    Scene.AsyncTimer2.OnTimer = std::bind(&TDataModule2::AsyncTimer2Timer, this, _1);
    Scene.Explosions->OnProgress = ProgressEvent(&TDataModule2::ExplosionsProgress);
    Scene.gui_bar->OnProgress = ProgressEvent(&TDataModule2::gui_barProgress);
    TGLFullScreenViewer& viewer = Scene.GLFullScreenViewer1;
    viewer.OnKeyPress = std::bind(&TDataModule2::GLFullScreenViewer1KeyPress, this, _1, _2);
    viewer.OnKeyDown = std::bind(&TDataModule2::GLFullScreenViewer1KeyDown, this, _1, _2, _3);
    viewer.OnClick = std::bind(&TDataModule2::GLFullScreenViewer1Click, this, _1);
    viewer.OnMouseDown = std::bind(&TDataModule2::GLFullScreenViewer1MouseDown, this, _1, _2, _3, _4, _5);
    viewer.OnMouseUp = std::bind(&TDataModule2::GLFullScreenViewer1MouseUp, this, _1, _2, _3, _4, _5);
    viewer.OnMouseMove = std::bind(&TDataModule2::GLFullScreenViewer1MouseMove, this, _1, _2, _3, _4);
    viewer.OnMouseEnter = std::bind(&TDataModule2::GLFullScreenViewer1MouseEnter, this, _1);
    viewer.OnMouseLeave = std::bind(&TDataModule2::GLFullScreenViewer1MouseLeave, this, _1);
    viewer.OnClose = std::bind(&TDataModule2::GLFullScreenViewer1Close, this, _1);
    viewer.OnMouseWheel = std::bind(&TDataModule2::GLFullScreenViewer1MouseWheel, this, _1, _2, _3, _4, _5);
}

void TDataModule2::WireBug(TGLActor& bug) {
    bug.OnProgress = ProgressEvent(&TDataModule2::BugProgress);
}

void TDataModule2::WireTower(TGLProxyObject& root) {
    root.OnProgress = ProgressEvent(&TDataModule2::firebaseProgress);
}

void TDataModule2::WireMissile(TGLBaseSceneObject& missile) {
    missile.OnProgress = ProgressEvent(&TDataModule2::MissilesProgress);
}

void TDataModule2::WireExplosion(TGLAnimatedSprite& sprite) {
    sprite.OnFrameChanged = std::bind(&TDataModule2::ExplosionFrameChanged, this, _1);
    sprite.OnEndFrameReached = std::bind(&TDataModule2::ExplosionEndFrameReached, this, _1);
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
    if (!m_setup.DataFolder.empty()) {
        std::filesystem::current_path(m_setup.DataFolder);
    }
    LoadCursors();
    Scene.GLFullScreenViewer1.SetCursor(1);
    for (TGLMaterialLibrary* library : {&Scene.GLMaterialLibrary1, &Scene.GLMaterialLibrary2, &Scene.GLMaterialLibrary3}) {
        library->SetTexturePaths(kTextureFolder);
    }
    LoadTextures();
    LoadModels();
    for (TGLFreeForm* mesh : {Scene.base_d0, Scene.base_d1, Scene.base_d2, Scene.terrain}) {
        mesh->PrepareOctree(3);
    }
    PopulateBugs();
    AddStars();
    UnifyMaterials();
    State.MoveVelocity = TVec4{0, -rules::StartSinkSpeed, 0, 0};
    Scene.bar->Material().FrontProperties().Diffuse().SetColor(rules::IntactBand.BarColor);
    OverrideMaterials();
    const TGLCoordinates& position = Scene.terrain->Position();
    State.TerrainOrigin = TVec3{position.X(), position.Y(), position.Z()};
    const TGLCoordinates& scale = Scene.terrain->Scale();
    State.TerrainExtent = TVec3{scale.X() * rules::TerrainModelSize, 0, scale.Y() * rules::TerrainModelSize};
    State.MouseX = Scene.GLFullScreenViewer1.Width() / 2;
    State.MouseY = Scene.GLFullScreenViewer1.Height() / 2;
    MoveSystemPointer(State.MouseX, State.MouseY);
    State.Placing = false;
    State.RepairMode = false;
    State.TowerCount = 1;
    m_startRandomState = platform::GetRandomSeed();
    // The money, and the survival game's bugs sent to wait for their waves.
    StartGame();
    State.CombatOverlay = m_setup.Mode == TGameMode::Survival;
}

void TDataModule2::StartPlaying() {
    Scene.GLCadencer1.SetEnabled(true);
    Scene.GLFullScreenViewer1.SetScreenActive(true);
    if (m_pendingPointerMove) {
        const ScreenPoint point = *std::exchange(m_pendingPointerMove, std::nullopt);
        MoveSystemPointer(point.x, point.y);
    }
}

void TDataModule2::RunGameLoop() {
    while (Scene.GLFullScreenViewer1.ScreenActive()) {
        if (OnBeforePass) {
            OnBeforePass();
        }
        Application().ProcessMessages();
        // Ctrl+C, a kill, the desktop's logout: the system asks the program to end.
        if (Application().Terminated()) {
            EndGame();
        }
        if (OnAfterPass) {
            OnAfterPass();
        }
    }
}

void TDataModule2::MoveSystemPointer(int x, int y) {
    m_lastPointerMove = ScreenPoint{x, y};
    if (ScreenWindow* window = Scene.GLFullScreenViewer1.Window()) {
        window->WarpMouse(x, y);
    } else {
        m_pendingPointerMove = ScreenPoint{x, y};
    }
}

// A cursor that cannot be loaded is no reason to stop: its slot shows the system's pointer.
void TDataModule2::LoadCursors() {
    for (const auto& [slot, file] : kCursorFiles) {
        if (!Cursors.LoadFromFile(slot, file) && OnWarning) {
            OnWarning(DataFileMessage(file, Cursors.LastError() + " (the system's pointer shows instead)"));
        }
    }
}

void TDataModule2::LoadTextures() {
    const std::array<std::tuple<TGLMaterialLibrary*, const char*, const char*>, 13> textures{{
        {&Scene.GLMaterialLibrary3, "terrain", "terrain.jpg"},
        {&Scene.GLMaterialLibrary3, "detail", "detail.jpg"},
        {&Scene.GLMaterialLibrary3, "1mark", "1ring.jpg"},
        {&Scene.GLMaterialLibrary3, "mark", "ring.jpg"},
        {&Scene.GLMaterialLibrary3, "2mark", "2ring.jpg"},
        {&Scene.GLMaterialLibrary2, "Bug", "bug.jpg"},
        {&Scene.GLMaterialLibrary2, "boom", "boom.jpg"},
        {&Scene.GLMaterialLibrary2, "beam", "beam.jpg"},
        {&Scene.GLMaterialLibrary1, "gui_bar", "gui_bar.dds"},
        {&Scene.GLMaterialLibrary1, "gui_rocket", "gui_rocket_sm.dds"},
        {&Scene.GLMaterialLibrary1, "gui_laser", "gui_laser_sm.dds"},
        {&Scene.GLMaterialLibrary1, "gui_gatling", "gui_gatling_sm.dds"},
        {&Scene.GLMaterialLibrary1, "gui_repair", "gui_repair_sm.dds"},
    }};
    for (const auto& [library, material, file] : textures) {
        TGLTexture& texture = library->FindMaterial(material)->Material().Texture();
        LoadDataFile(std::string(kTextureFolder) + "/" + file, [&texture, file] { texture.LoadImageFromFile(file); });
    }
}

void TDataModule2::LoadModels() {
    const std::array<std::pair<TGLBaseMesh*, const char*>, 12> models{{
        {Scene.terrain, "models\\terrain_low.3ds"},
        {Scene.base_d0, "models\\main_base.3ds"},
        {Scene.base_d1, "models\\main_base_d1.3ds"},
        {Scene.base_d2, "models\\main_base_d2.3ds"},
        {Scene.Bug, "models\\bug.md2"},
        {Scene.firebase, "models\\firebase.3DS"},
        {Scene.barell, "models\\barell.3ds"},
        {Scene.gutlingbase, "models\\gutling_base.3ds"},
        {Scene.gutlinggun, "models\\gutling_gun.3ds"},
        {Scene.gutlingmuzzle, "models\\gutling_muzzle.3ds"},
        {Scene.laserbase, "models\\laser_base.3ds"},
        {Scene.lasergun, "models\\laser_gun.3ds"},
    }};
    for (const auto& [mesh, file] : models) {
        LoadDataFile(file, [mesh, file] { mesh->LoadFromFile(file); });
    }
    // The red copies take the parts' meshes, but keep their own names, look and placement.
    const std::array<TGLFreeForm*, 6> parts{Scene.firebase, Scene.barell, Scene.gutlingbase, Scene.gutlinggun, Scene.laserbase, Scene.lasergun};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        TGLFreeForm& copy = *Scene.refused[i];
        const std::string name = copy.Name();
        copy.CopyFrom(*parts[i]);
        copy.SetName(name);
        copy.SetVisible(false);
        copy.SetUseMeshMaterials(false);
        copy.Material().SetMaterialLibrary(&Scene.GLMaterialLibrary2);
        copy.Material().SetLibMaterialName("refused");
    }
}

void TDataModule2::AddStars() {
    TGLEarthSkyDome& dome = *Scene.GLEarthSkyDome1;
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
    TGLMaterial& model = Scene.DefaultMaterial->Material();
    for (TGLMaterialLibrary* library : {&Scene.GLMaterialLibrary1, &Scene.GLMaterialLibrary2, &Scene.GLMaterialLibrary3}) {
        for (int i = 0; i < library->Materials().Count(); ++i) {
            CopyTemplate(model, library->Materials()[i].Material());
        }
    }
}

void TDataModule2::OverrideMaterials() {
    TGLMaterial& detail = Scene.GLMaterialLibrary3.FindMaterial("detail")->Material();
    detail.Texture().SetTextureMode(TGLTextureMode::tmModulate);
    detail.SetBlendingMode(TBlendingMode::bmModulate);
    for (const char* ringName : kRingMaterials) {
        TGLMaterial& ring = Scene.GLMaterialLibrary3.FindMaterial(ringName)->Material();
        ring.Texture().SetTextureMode(TGLTextureMode::tmModulate);
        ring.SetBlendingMode(TBlendingMode::bmAdditive);
        ring.Texture().SetMinFilter(TGLMinFilter::miLinear);
        ring.Texture().SetCompression(TGLTextureCompression::tcNone);
        ring.Texture().SetFilteringQuality(TGLTextureFilteringQuality::tfAnisotropic);
        ring.Texture().SetTextureFormat(TGLTextureFormat::tfRGBA);
    }
    for (const char* additive : {"boom", "beam"}) {
        Scene.GLMaterialLibrary2.FindMaterial(additive)->Material().SetBlendingMode(TBlendingMode::bmAdditive);
    }
    // The beam's soft glow would band in 16 bits, as the rings' would.
    TGLTexture& beam = Scene.GLMaterialLibrary2.FindMaterial("beam")->Material().Texture();
    beam.SetCompression(TGLTextureCompression::tcNone);
    beam.SetTextureFormat(TGLTextureFormat::tfRGBA);
    // The red of a tower on an illegal spot, lit so that its shape shows.
    TGLMaterial& refused = Scene.GLMaterialLibrary2.FindMaterial("refused")->Material();
    refused.SetBlendingMode(TBlendingMode::bmOpaque);
    refused.FrontProperties().Ambient().SetColor(TVec4{0.35f, 0.02f, 0.02f, 1});
    refused.FrontProperties().Diffuse().SetColor(TVec4{1, 0.18f, 0.12f, 1});
    // The muzzle flash's material comes with a model; without it there is nothing to set.
    if (TGLLibMaterial* flash = Scene.GLMaterialLibrary2.FindMaterial("f")) {
        flash->Material().SetFaceCulling(TFaceCulling::fcNoCull);
        flash->Material().SetMaterialOptions({TMaterialOption::moNoLighting});
    }
}

}  // namespace game
