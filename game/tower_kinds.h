#pragma once

#include <string_view>

namespace game {

// What a tower does when its reload is done.
enum class TTowerWeapon {
    Missile,  // launches a missile along the gun
    Gun       // hits its target at once and flashes its muzzle
};

// The rules and parts of one kind of tower.
struct TTowerKind {
    int Kind;                     // 1 rocket, 2 gatling
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
}  // namespace tower_kinds

inline constexpr TTowerKind RocketTower{
    tower_kinds::Rocket, 0, "firebase", "barell", "", "mark", 15, 150, 0.1f, 3.0f, 16, 0.3f, 100,
    TTowerWeapon::Missile, true};
inline constexpr TTowerKind GatlingTower{
    tower_kinds::Gatling, 2, "gutlingbase", "gutlinggun", "gutlingmuzzle", "1mark", 5, 100, 0.5f, 0.1f, 4, 0.1f, 10,
    TTowerWeapon::Gun, false};

// The kind of that number, or none.
const TTowerKind* FindTowerKind(int kind);
// The kind a HUD button buys, or none.
const TTowerKind* TowerKindOfButton(int button);

}  // namespace game
