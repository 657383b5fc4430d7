#pragma once

// The numbers of the game's rules, each named once.
namespace game::rules {

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
inline constexpr float MoveDecay = 0.15f;      // of MoveVelocity per frame
inline constexpr float SpinDecay = 0.3f;       // of SpinVelocity per 15 ms tick
inline constexpr float SpinThreshold = 0.001f;
inline constexpr float DragDegreesPerPixel = 0.019f;
inline constexpr int DragScale = 10;
inline constexpr float WheelDivisor = 50;
inline constexpr float CameraClearance = 3;
inline constexpr float SunRate = 4;            // degrees per second
inline constexpr float SunStop = -45;

inline constexpr int StartMoney = 500;
// Room for several hundred towers; a placement beyond it is refused.
inline constexpr int TowerCapacity = 512;

inline constexpr int RingGrid = 1024;
inline constexpr float TerrainModelSize = 1024;

}  // namespace game::rules
