#pragma once

#include "engine/assets/actor.h"
#include "engine/core/component.h"
#include "engine/core/vector_math.h"
#include "engine/scene/proxy_object.h"
#include "game/game_rules.h"

#include <array>
#include <cstdint>

namespace game {

// The bug model's animations, chosen by name.
namespace bug_animations {
inline constexpr const char* Run = "run";
inline constexpr const char* Attack = "attack";
inline constexpr const char* Death = "crdeath";
}  // namespace bug_animations

// One bug of BugTable; its actor's Tag is the record's index.
struct TBugState {
    float Health = 0;
    engine::TVec4 Target;
    std::int32_t Slowness = 0;
    engine::TComponentLink<engine::TGLActor> Actor;
    float CorpseTime = 0;
    // What it (re)spawned with: its full health and the factor on its pace (1 in the designed game).
    float FullHealth = 0;
    float SpeedFactor = 1;
    // Out of play between the survival game's waves: hidden, dead, and waiting in its nest.
    bool Resting = false;
};

// One tower of TowerTable; its root proxy's Tag is the record's index.
struct TTowerState {
    std::int32_t Target = 0;
    float Reload = 0;
    bool Following = false;
    std::int32_t Kind = 0;
    engine::TComponentLink<engine::TGLProxyObject> Proxy;
    std::int32_t MinRange2 = 0;
    std::int32_t MaxRange2 = 0;
    float TurnRate = 0;
    float FireInterval = 0;
};

// Hands a tower's record, its proxy link with it, to another slot of the table and leaves the old
// one as a record never used.
void MoveTowerRecord(TTowerState& from, TTowerState& to);
void ClearTowerRecord(TTowerState& record);

// The survival game's waves. Wave n's bugs are the records 1 .. WaveSize(n), which leave their nests
// one after another; between waves a countdown runs.
struct TWaveState {
    int Wave = 0;  // the wave under way or last sent; 0 before the first
    bool Running = false;
    int Spawned = 0;         // bugs of the wave that have left their nests
    double SpawnWait = 0;    // seconds until the next one leaves
    double Countdown = 0;    // seconds until the next wave, while none is running
    int Survived = 0;        // waves whose every bug died
};

// The game's rule state: the two tables (index 0 unused, as the records count from 1) and the
// module variables, all read and written directly by the handlers on the main thread.
struct TGameState {
    std::array<TBugState, rules::BugCount + 1> BugTable;
    std::array<TTowerState, rules::TowerCapacity + 1> TowerTable;

    std::int32_t Money = rules::StartMoney;
    std::int32_t TowerCount = 1;
    bool Placing = false;
    std::int32_t PlacingKind = 0;
    bool PlaceValid = false;
    // A click off the panel while placing: the tower being placed stands where its next frame finds
    // the terrain under the pointer, and is paid for there if that spot is legal.
    bool PlaceRequested = false;
    bool RepairMode = false;
    std::int32_t MouseX = 400;
    std::int32_t MouseY = 300;
    std::int32_t LastMouseX = 0;
    std::int32_t LastMouseY = 0;
    bool LeftDown = false;
    bool RightDown = false;
    bool MiddleDown = false;
    engine::TVec4 SpinVelocity{0, 0, 0, 0};
    engine::TVec4 MoveVelocity{0, -rules::StartSinkSpeed, 0, 0};
    engine::TVec4 CameraPos{0, 0, 0, 0};
    engine::TVec4 MouseRay{0, 0, 0, 0};
    engine::TVec3 TerrainOrigin;
    engine::TVec3 TerrainExtent;
    std::int32_t RingTexelX = 0;
    std::int32_t RingTexelY = 0;
    // The world stands still; the view and the camera go on.
    bool Paused = false;
    // How many times faster than real time the world goes: 1, 2 or 3; the view keeps real time.
    std::int32_t Speed = 1;
    // Whether the pointer is over the game's window (always, on the whole screen).
    bool PointerInside = true;

    TWaveState Waves;
    // The survival game's end: the base has fallen, and the world stands still until a new game.
    bool Defeated = false;
    // Game seconds since the game began, until the base fell.
    double TimeSurvived = 0;
    // New games started after a fall.
    int Restarts = 0;
    // Health bars over wounded bugs and the reward rising from each kill (H).
    bool CombatOverlay = false;

    // Whether one more tower record fits.
    bool TowerTableFull() const { return TowerCount > rules::TowerCapacity; }
    // Paused, or the base has fallen: the world takes no steps, the view and the camera go on.
    bool WorldStands() const { return Paused || Defeated; }
};

}  // namespace game
