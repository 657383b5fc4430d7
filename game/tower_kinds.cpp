#include "game/tower_kinds.h"

#include <array>

namespace game {

namespace {
constexpr std::array<const TTowerKind*, 3> kKinds{&RocketTower, &GatlingTower, &LaserTower};
}  // namespace

const TTowerKind* FindTowerKind(int kind) {
    for (const TTowerKind* k : kKinds) {
        if (k->Kind == kind) {
            return k;
        }
    }
    return nullptr;
}

const TTowerKind* TowerKindOfButton(int button) {
    for (const TTowerKind* k : kKinds) {
        if (k->Button == button) {
            return k;
        }
    }
    return nullptr;
}

}  // namespace game
