#pragma once

#include <string_view>

namespace game {

// What a tower does when its reload is done.
enum class TTowerWeapon {
    Missile,  // launches a missile along the gun
    Gun,      // hits its target at once and flashes its muzzle
    Beam      // burns its target for as long as the gun points at it
};

// The rules and parts of one kind of tower.
struct TTowerKind {
    int Kind;                     // 1 rocket, 2 gatling, 3 laser
    int Button;                   // index of its button under gui_bar
    std::string_view BaseMaster;  // template the tower root shows
    std::string_view GunMaster;   // template the gun shows
    std::string_view AimMaster;   // template the aim node shows; none: an invisible dummy
    std::string_view Ring;        // range-ring material of GLMaterialLibrary3
    int MinRange2;
    int MaxRange2;
    float TurnRate;
    float FireInterval;
    float Spacing2;  // least squared distance to every other tower while this kind is placed
    float Height;    // above the terrain
    int Charge;      // paid when the placement ends
    TTowerWeapon Weapon;
    bool AimsAhead;  // at a running bug's lead marker rather than the bug
};

namespace tower_kinds {
inline constexpr int Rocket = 1;
inline constexpr int Gatling = 2;
inline constexpr int Laser = 3;
}  // namespace tower_kinds

inline constexpr TTowerKind RocketTower{
    tower_kinds::Rocket, 0, "firebase", "barell", "", "mark", 15, 150, 0.1f, 3.0f, 16, 0.3f, 100,
    TTowerWeapon::Missile, true};
inline constexpr TTowerKind GatlingTower{
    tower_kinds::Gatling, 2, "gutlingbase", "gutlinggun", "gutlingmuzzle", "1mark", 5, 100, 0.5f, 0.1f, 4, 0.1f, 10,
    TTowerWeapon::Gun, false};

// The laser fires no shots: its beam burns while the gun points within BeamAngle of the target.
inline constexpr TTowerKind LaserTower{
    tower_kinds::Laser, 1, "laserbase", "lasergun", "", "2mark", 0, 80, 0.3f, 0.0f, 4, 0.1f, 50,
    TTowerWeapon::Beam, false};

namespace laser_rules {
inline constexpr float BeamDamagePerSecond = 25;
inline constexpr float BeamAngle = 5;  // degrees
// The emitter's tip in the gun's model, where the beam starts.
inline constexpr float MuzzleZ = 31;
}  // namespace laser_rules

// The kind of that number, or none.
const TTowerKind* FindTowerKind(int kind);
// The kind a HUD button buys, or none.
const TTowerKind* TowerKindOfButton(int button);

}  // namespace game
