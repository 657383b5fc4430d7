#include "game/data_module.h"
#include "game/game_math.h"
#include "game/tower_kinds.h"

namespace game {

using namespace engine;

// Of the placed towers the pointer's ray touches (the ones whose ring the left button shows), the
// nearest to the eye.
TGLProxyObject* TDataModule2::TowerUnderPointer() const {
    TGLProxyObject* nearest = nullptr;
    float nearestDistance2 = 0;
    for (int i = 1; i < State.TowerCount && i <= rules::TowerCapacity; ++i) {
        const TTowerState& tower = State.TowerTable[i];
        TVec4 hit;
        if (tower.Following || !tower.Proxy || !tower.Proxy->IntersectRay(State.CameraPos, State.MouseRay, &hit, nullptr)) {
            continue;
        }
        const float distance2 = Distance2(State.CameraPos, hit);
        if (!nearest || distance2 < nearestDistance2) {
            nearest = tower.Proxy.Get();
            nearestDistance2 = distance2;
        }
    }
    return nearest;
}

// While the left button holds a placed tower (and nothing is being placed), the tower goes for half
// its price. Its nodes go with it; the table's last record moves into its place, so the table stays
// without gaps and the next placement takes the record at its end, as it always does. A laser's hum
// is owned by its record: the sold tower's stops, and the moved tower's starts again under its new
// record at its next step.
void TDataModule2::SellHeldTower() {
    if (!State.LeftDown || State.Placing || State.WorldStands()) {
        return;
    }
    TGLProxyObject* root = TowerUnderPointer();
    if (!root) {
        return;
    }
    const int index = root->Tag();
    const int last = State.TowerCount - 1;
    const TTowerKind* kind = FindTowerKind(State.TowerTable[index].Kind);
    if (!kind) {
        return;
    }
    for (const int owner : {index, last}) {
        if (FindTowerKind(State.TowerTable[owner].Kind) == &LaserTower) {
            Sound().StopLoop(gsLaser, owner);
        }
    }
    State.Money += kind->Rules.Charge / 2;
    ++Figures.TowersSold;
    HideRing(kind->Ring);
    root->Free();
    if (index != last) {
        MoveTowerRecord(State.TowerTable[last], State.TowerTable[index]);
        State.TowerTable[index].Proxy->SetTag(index);
    } else {
        ClearTowerRecord(State.TowerTable[last]);
    }
    --State.TowerCount;
    Sound().Play(gsSell);
}

}  // namespace game
