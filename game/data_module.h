#pragma once

#include "engine/platform/cursor_table.h"
#include "game/designed_scene.h"
#include "game/game_figures.h"
#include "game/game_hud.h"
#include "game/game_state.h"
#include "game/sound_sink.h"
#include "game/survival_rules.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace engine {
class TGLAnimatedSprite;
}

namespace game {

struct TTowerKind;

// How a run differs from the plain game; the command line and the tests set it.
struct TGameSetup {
    // The folder of the game's data (cursors/, models/, textures/, sounds/), made the current folder
    // at start-up, so that the data is found by the names the scene gives.
    std::filesystem::path DataFolder;
    // Seeds the random generator instead of the clock.
    std::optional<std::uint32_t> Seed;
    // An 800 x 600 window instead of the whole screen.
    bool Windowed = false;
    TGameMode Mode = TGameMode::Classic;
    TDifficulty Difficulty = TDifficulty::Normal;
};

// Where a world point lies on the terrain, as the range rings are placed by it.
struct TTerrainUV {
    float U = 0;
    float V = 0;
};
TTerrainUV TerrainUV(const engine::TVec4& point, const engine::TVec3& origin, const engine::TVec3& extent);

// The frame-rate display: the whole frames a second, in digits only (all the font has).
std::string FpsText(float measuredFps);

// The bugs' indices in the order the population makes them: rank by rank, within each the groups
// Bugs1 .. Bugs4 (bugs 3, 2, 1, 4, then 7, 6, 5, 8, ...).
std::array<int, rules::BugCount> PopulationOrder();

// The whole game: it owns the designed scene and the rule state and carries every handler. Its
// creation event, DataModuleCreate, starts the game and runs it until the player quits.
class TDataModule2 {
public:
    explicit TDataModule2(TGameSetup setup = {});
    ~TDataModule2();
    TDataModule2(const TDataModule2&) = delete;
    TDataModule2& operator=(const TDataModule2&) = delete;

    const TGameSetup& Setup() const { return m_setup; }

    // Start-up, the screen, then the game loop; returns once the player has quit.
    void DataModuleCreate();
    // The start-up steps before the screen is taken: seed, folder, cursors, textures, models,
    // octrees, bugs, stars, materials and the initial state.
    void StartUp();
    // Enables the frame clock and takes the screen.
    void StartPlaying();
    // Processes messages while the screen is held, between the two loop hooks.
    void RunGameLoop();
    std::function<void()> OnBeforePass;
    std::function<void()> OnAfterPass;

    // --- frame, timers, camera ---
    // The world's step.
    void GLCadencer1Progress(engine::TComponent* sender, double deltaTime, double newTime);
    // After each world step. The view's steps and the timers' ticks keep the run's time, not the
    // world's, so whoever keeps that time runs what fell due by then; unset, one view step follows
    // each world step.
    std::function<void()> OnWorldStep;
    // The view's step, 1/85 s of real time: the displays, the camera and the pointer.
    void ViewStep();
    void AsyncTimer1Timer(engine::TComponent* sender);
    void AsyncTimer2Timer(engine::TComponent* sender);
    void GLFullScreenViewer1MouseWheel(engine::TComponent* sender, engine::TShiftState shift, int wheelDelta,
                                       engine::ScreenPoint mousePos, bool& handled);

    // --- bugs ---
    void PopulateBugs();
    void RespawnBug(int index);
    void BugProgress(engine::TComponent* sender, double deltaTime, double newTime);

    // --- the survival game: waves, the fall, a new game ---
    // Sends the next wave at once: at the end of a countdown, or early for a bonus (N).
    void StartWave();
    void CallNextWave();
    // The bugs of the running wave still alive or still in their nests.
    int BugsLeftInWave() const;
    std::int64_t Score() const;
    // A new game in the same mode, from the same seed (R once the base has fallen).
    void NewGame();
    // Told the score when the base falls; answers the best score so far, this one counted.
    std::function<std::int64_t(std::int64_t score)> OnFallen;

    // --- feedback and control of every mode ---
    // Sells the placed tower the left button is held on for half its price (Delete, Backspace).
    void SellHeldTower();
    // The camera over the base, looking down on all of it (Home).
    void CameraHome();
    void ToggleCombatOverlay();

    // --- towers ---
    void firebaseProgress(engine::TComponent* sender, double deltaTime, double newTime);
    void PlaceRing(const engine::TVec4& point, const std::string& ringName);
    // Moves the ring far off the terrain at once.
    void HideRing(std::string_view ringName);

    // --- missiles and explosions ---
    void MissilesProgress(engine::TComponent* sender, double deltaTime, double newTime);
    void ExplosionFrameChanged(engine::TComponent* sender);
    void ExplosionEndFrameReached(engine::TComponent* sender);
    void ExplosionsProgress(engine::TComponent* sender, double deltaTime, double newTime);

    // --- HUD and input ---
    void gui_barProgress(engine::TComponent* sender, double deltaTime, double newTime);
    void GLFullScreenViewer1Click(engine::TComponent* sender);
    void GLFullScreenViewer1MouseDown(engine::TComponent* sender, engine::TMouseButton button,
                                      engine::TShiftState shift, int x, int y);
    void GLFullScreenViewer1MouseUp(engine::TComponent* sender, engine::TMouseButton button,
                                    engine::TShiftState shift, int x, int y);
    void GLFullScreenViewer1MouseMove(engine::TComponent* sender, engine::TShiftState shift, int x, int y);
    // The pointer entering and leaving a window: the screen's edges scroll only while it is inside.
    void GLFullScreenViewer1MouseEnter(engine::TComponent* sender);
    void GLFullScreenViewer1MouseLeave(engine::TComponent* sender);
    // The window's close button ends the game as the quit key does.
    void GLFullScreenViewer1Close(engine::TComponent* sender);
    void GLFullScreenViewer1KeyPress(engine::TComponent* sender, char& key);
    // The keys that type no character: pause, speed, window, screenshot.
    void GLFullScreenViewer1KeyDown(engine::TComponent* sender, engine::TVirtualKey key, engine::TShiftState shift);
    void SetPaused(bool paused);
    // Asked for by the screenshot key; whoever shows the screen writes the picture.
    std::function<void()> OnScreenshot;
    // Where the handlers' sound events go: nowhere until a listener is set, and again after nullptr.
    void SetSoundSink(TSoundSink* sink) { m_sound = sink ? sink : &m_silence; }
    // Told what start-up could not load but plays on without (a cursor), naming the file.
    std::function<void(const std::string& message)> OnWarning;

    // Moves the system pointer to a logical pixel; asked for before the screen exists, it is
    // moved there once the screen is taken.
    void MoveSystemPointer(int x, int y);
    std::optional<engine::ScreenPoint> LastPointerMove() const { return m_lastPointerMove; }

    // Every component of the game under its designed name.
    TDesignedScene Scene;
    TGameState State;
    TGameFigures Figures;
    engine::CursorTable Cursors;
    TGameHud Hud{Scene};

private:
    // A handler of this module as a progress event.
    engine::TGLProgressEvent ProgressEvent(void (TDataModule2::*handler)(engine::TComponent*, double, double)) {
        return [this, handler](engine::TComponent* sender, double deltaTime, double newTime) {
            (this->*handler)(sender, deltaTime, newTime);
        };
    }
    // Every handler is wired in these: the designed components' at creation, the nodes' made in play
    // as they are made.
    void WireHandlers();
    void WireBug(engine::TGLActor& bug);
    void WireTower(engine::TGLProxyObject& root);
    void WireMissile(engine::TGLBaseSceneObject& missile);
    void WireExplosion(engine::TGLAnimatedSprite& sprite);
    void LoadCursors();
    void LoadTextures();
    void LoadModels();
    void AddStars();
    void UnifyMaterials();
    void OverrideMaterials();

    void ShowHealth();
    void ShowAffordability();
    void ShowFeedback();
    void ShowTooltip();
    void ShowWaveLine();
    void ShowCombatOverlay();
    std::string TooltipText(int button) const;
    std::optional<engine::TVec4> ScreenPointOf(const engine::TVec4& world) const;
    void TintPlacement();
    void AttachBaseModel(engine::TGLFreeForm& model);
    void MoveCamera();
    void WrapAndDragMouse();
    float CameraSpeed() const;
    int ButtonPrice(int button) const;
    void ChooseCursor(float speed);
    int ScrollAtEdges(float speed);

    void FollowMouse(engine::TGLProxyObject& root, const TTowerKind& kind);
    bool SpotIsLegal(const engine::TVec4& spot, const TTowerKind& kind) const;
    void ShowPlacedRing(engine::TGLProxyObject& root, const TTowerKind& kind);
    void ChooseTarget(engine::TGLProxyObject& root, TTowerState& tower);
    void TurnGun(engine::TGLBaseSceneObject& gun, engine::TGLBaseSceneObject& aim, const TTowerState& tower,
                 const TTowerKind& kind);
    void Fire(engine::TGLBaseSceneObject& gun, engine::TGLBaseSceneObject& aim, const TTowerState& tower,
              const TTowerKind& kind);
    void LaunchMissile(const engine::TGLBaseSceneObject& gun);
    void Burn(engine::TGLBaseSceneObject& gun, TTowerState& tower, float deltaTime);

    void SurvivalProgress(double deltaTime);
    void SpawnWaveBug(int index);
    void RestBug(int index);
    void Fall();
    std::string DefeatText(std::int64_t best) const;
    TBugStrength SpawnStrength() const;
    void ClearBattlefield();
    void StartGame();
    engine::TGLProxyObject* TowerUnderPointer() const;

    void Blast(const engine::TVec4& hit);
    void Explode(const engine::TVec4& hit);

    bool& ButtonHeld(engine::TMouseButton button);
    void EndGame();
    void Repair();
    void CancelPlacement();
    void StartPlacement(const TTowerKind& kind);
    bool ButtonRefused(int button) const;
    int ButtonAt(int x, int y) const;

    TSoundSink& Sound() { return *m_sound; }
    void SoundKey(char key);

    TGameSetup m_setup;
    TSoundSink m_silence;
    TSoundSink* m_sound = &m_silence;
    std::optional<engine::ScreenPoint> m_lastPointerMove;
    std::optional<engine::ScreenPoint> m_pendingPointerMove;
    // The random generator's state once start-up has drawn everything, which a new game from the
    // seed returns to.
    std::uint32_t m_startRandomState = 0;
    // The button under the pointer and for how long, in seconds of the run.
    int m_hoveredButton = -1;
    double m_hoverSeconds = 0;
};

}  // namespace game
