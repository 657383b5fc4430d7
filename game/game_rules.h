#pragma once

#include "engine/core/vector_math.h"

#include <string_view>

// The numbers of the game's rules, and of how its handlers show them, each named once.
namespace game::rules {

// The rules' pace. Every rule that acts once a step (a bug's stride and bite, a gun's turn, the
// camera's decay and spin) was made for the 85 Hz display, one step a frame; the world takes 85 steps
// a second of game time and the view 85 a second of real time, whatever the display does.
inline constexpr double StepsPerSecond = 85;
inline constexpr double StepSeconds = 1 / StepsPerSecond;

inline constexpr int BugCount = 40;
inline constexpr int SpawnGroupCount = 4;
inline constexpr int BugsPerGroup = 10;

// Where a bug (re)spawns, in its group's frame: X in [-10, 10), Z in [0, 20).
inline constexpr float SpawnWidth = 20;
inline constexpr float SpawnDepth = 20;
// Jitter of a bug's target around the base centre: X + [-2.5, 1.5), Z + [-3, 3).
inline constexpr float TargetJitterX = 4;
inline constexpr float TargetJitterXLow = -2.5f;
inline constexpr float TargetJitterZ = 6;
inline constexpr float TargetJitterZLow = -3;

inline constexpr int RunIntervalBase = 40;       // ms per frame of the run, plus ...
inline constexpr int RunIntervalPerSlowness = 5;  // ... this per point of slowness
inline constexpr int MaxSlowness = 3;
inline constexpr float BugStepPerFrame = 0.02f;
inline constexpr float BugSpeed = 2;  // units per second, divided by the slowness
inline constexpr float AttackDistance2 = 3;
inline constexpr float BaseDamagePerFrame = 0.01f;
inline constexpr int KillReward = 5;
inline constexpr int DeathInterval = 500;
inline constexpr float CorpseLift = 0.2f;
inline constexpr float SinkSpeed = 0.5f;
inline constexpr float CorpseWait = 10;
inline constexpr float SinkTime = 5;
inline constexpr float BugGroundOffset = 0.2f;
inline constexpr float BugHealth = 100;
// The terrain is probed straight down from this height (above every hill).
inline constexpr float ProbeHeight = 10;
// A bug's lead marker sits this far along its walking axis, in the actor's local units.
inline constexpr float LeadMarkerOffset = 50;

inline constexpr float BaseDistance2 = 30;
inline constexpr float GunHeight = 12;
inline constexpr float TargetSearchStart = 1000;
inline constexpr float DirectionSnap = 0.001f;
inline constexpr float GatlingDamage = 1;
inline constexpr float MissileStartOffset = 2;
inline constexpr float MissileSpeed = 20;
inline constexpr float MissileCubeSize = 0.1f;
inline constexpr float MissileBoxXZ = 50;
inline constexpr float MissileBoxLowY = -10;
inline constexpr float MissileBoxHighY = 20;
inline constexpr float ImpactDistance2 = 1;
inline constexpr float BlastRadius2 = 16;
inline constexpr float BlastBase = 17;
inline constexpr float BlastFactor = 6;

inline constexpr int ExplosionFrameSize = 128;
inline constexpr int ExplosionEndFrame = 64;
inline constexpr float ExplosionFrameRate = 30;
inline constexpr float ExplosionScale = 2;
inline constexpr float ExplosionLift = 1;
inline constexpr int ExplosionStartRotation = -90;

inline constexpr float CameraSpeed = 15;
inline constexpr float CameraSlowSpeed = 3.75f;
inline constexpr float EdgeSpeedFactor = 2;
inline constexpr int EdgeBand = 15;            // pixels from the left or top edge
inline constexpr int EdgeBandFar = 16;         // pixels from the right or bottom edge
inline constexpr float MoveDecay = 0.15f;      // of MoveVelocity per view step
inline constexpr float SpinDecay = 0.3f;       // of SpinVelocity per 15 ms tick
inline constexpr float SpinThreshold = 0.001f;
inline constexpr float DragDegreesPerPixel = 0.019f;
inline constexpr int DragScale = 10;
inline constexpr float WheelDivisor = 50;
inline constexpr float CameraClearance = 3;
inline constexpr float SunStart = 40;          // degrees above the horizon
inline constexpr float SunRate = 4;            // degrees per second
inline constexpr float SunStop = -45;

// Home: the camera this far from the base's centre, looking down on it at this angle.
inline constexpr float HomeDistance = 18;
inline constexpr float HomePitch = 55;  // degrees

// The camera sinks at this rate at start, until the terrain stops it.
inline constexpr float StartSinkSpeed = 5;

inline constexpr int StartMoney = 500;
// Room for several hundred towers; a placement beyond it is refused.
inline constexpr int TowerCapacity = 512;

inline constexpr int RingGrid = 1024;
inline constexpr float TerrainModelSize = 1024;
// A hidden range ring's texture offset, far off the terrain (its texture is clamped, not repeated).
inline constexpr float RingHiddenOffset = 512;
// A ring's picture as it is, and tinted red while the tower being placed stands on an illegal spot.
inline constexpr engine::TVec4 RingLit{1, 1, 1, 1};
inline constexpr engine::TVec4 RefusedRing{1, 0.12f, 0.08f, 1};

// What a tower of each kind does.
struct TTowerRules {
    int MinRange2;  // squared distances between which a bug is a target
    int MaxRange2;
    float TurnRate;      // of the gun towards its target, per frame
    float FireInterval;  // seconds the gun holds a target between shots
    float Spacing2;      // least squared distance to every other tower while this kind is placed
    float Height;        // above the terrain
    int Charge;          // paid when the placement ends
};
inline constexpr TTowerRules RocketRules{15, 150, 0.1f, 3.0f, 16, 0.3f, 100};
inline constexpr TTowerRules GatlingRules{5, 100, 0.5f, 0.1f, 4, 0.1f, 10};
// The laser fires no shots: its beam burns while the gun points within BeamAngle of the target.
inline constexpr TTowerRules LaserRules{0, 80, 0.3f, 0.0f, 4, 0.1f, 50};

inline constexpr float MissileFlameInterval = 0.005f;  // seconds between the flame's particles

inline constexpr float BeamDamagePerSecond = 25;
inline constexpr float BeamAngle = 5;  // degrees
// The emitter's tip in the laser gun's model, where the beam starts.
inline constexpr float BeamMuzzleZ = 31;
// World units across, before the flicker, which wavers the width by up to its depth at about its rate
// (radians a second).
inline constexpr float BeamWidth = 0.25f;
inline constexpr float BeamFlickerDepth = 0.2f;
inline constexpr double BeamFlickerRate = 37;

// The base: its full health, a repair's gain, and the bar above it, one unit wide per 20 health.
inline constexpr float BaseFullHealth = 100;
inline constexpr float RepairHealth = 40;
inline constexpr float HealthPerBarUnit = 20;

// The base's health bands: below DamagedBelow the damaged model, below WreckedBelow the wreck; each
// with its smoke and the bar's colour.
struct THealthBand {
    std::string_view Model;
    bool Smoke;
    float SmokeDispersion;
    engine::TVec4 BarColor;
};
inline constexpr float DamagedBelow = 60;
inline constexpr float WreckedBelow = 30;
inline constexpr THealthBand IntactBand{"base_d0", false, 0, {0, 1, 0, 1}};
inline constexpr THealthBand DamagedBand{"base_d1", true, 0, {1, 1, 0, 1}};
inline constexpr THealthBand WreckedBand{"base_d2", true, 1, {1, 0, 0, 1}};

// The HUD panel's buttons: rocket, laser, gatling, repair. A button is hovered inside a box 64 wide,
// reaching 32 above its position and 20 below; pressed, it sits one pixel right of and below its place.
inline constexpr int ButtonCount = 4;
inline constexpr int RepairButton = 3;
inline constexpr float ButtonHalfWidth = 32;
inline constexpr float ButtonReachAbove = 32;
inline constexpr float ButtonReachBelow = 20;
inline constexpr float ButtonPressOffset = 1;
// A button's tooltip shows once the pointer has rested on it this long.
inline constexpr double TooltipDelay = 0.5;
// A button the player cannot take is drawn dimmed.
inline constexpr engine::TVec4 ButtonLit{1, 1, 1, 1};
inline constexpr engine::TVec4 ButtonDimmed{0.35f, 0.35f, 0.35f, 1};

}  // namespace game::rules
