#pragma once

#include "game/game_rules.h"

#include <string_view>

namespace game {

// What a tower does when its reload is done.
enum class TTowerWeapon {
    Missile,  // launches a missile along the gun
    Gun,      // hits its target at once and flashes its muzzle
    Beam      // burns its target for as long as the gun points at it
};

// The parts and rules of one kind of tower.
struct TTowerKind {
    int Kind;                     // 1 rocket, 2 gatling, 3 laser
    int Button;                   // index of its button under gui_bar
    std::string_view BaseMaster;  // template the tower root shows
    std::string_view GunMaster;   // template the gun shows
    std::string_view AimMaster;   // template the aim node shows; none: an invisible dummy
    std::string_view Ring;        // range-ring material of GLMaterialLibrary3
    TTowerWeapon Weapon;
    bool AimsAhead;  // at a running bug's lead marker rather than the bug
    rules::TTowerRules Rules;
    std::string_view Name;  // as the player reads it
};

namespace tower_kinds {
inline constexpr int Rocket = 1;
inline constexpr int Gatling = 2;
inline constexpr int Laser = 3;
}  // namespace tower_kinds

inline constexpr TTowerKind RocketTower{
    tower_kinds::Rocket, 0, "firebase", "barell", "", "mark", TTowerWeapon::Missile, true, rules::RocketRules,
    "Rocket tower"};
inline constexpr TTowerKind GatlingTower{
    tower_kinds::Gatling, 2, "gutlingbase", "gutlinggun", "gutlingmuzzle", "1mark", TTowerWeapon::Gun, false,
    rules::GatlingRules, "Gatling tower"};
inline constexpr TTowerKind LaserTower{
    tower_kinds::Laser, 1, "laserbase", "lasergun", "", "2mark", TTowerWeapon::Beam, false, rules::LaserRules,
    "Laser tower"};

// The kind of that number, or none.
const TTowerKind* FindTowerKind(int kind);
// The kind a HUD button buys, or none.
const TTowerKind* TowerKindOfButton(int button);

}  // namespace game
