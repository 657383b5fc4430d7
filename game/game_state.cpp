#include "game/game_state.h"

namespace game {

void MoveTowerRecord(TTowerState& from, TTowerState& to) {
    to.Target = from.Target;
    to.Reload = from.Reload;
    to.Following = from.Following;
    to.Kind = from.Kind;
    to.Proxy.Set(from.Proxy.Get());
    to.MinRange2 = from.MinRange2;
    to.MaxRange2 = from.MaxRange2;
    to.TurnRate = from.TurnRate;
    to.FireInterval = from.FireInterval;
    ClearTowerRecord(from);
}

void ClearTowerRecord(TTowerState& record) {
    record.Target = 0;
    record.Reload = 0;
    record.Following = false;
    record.Kind = 0;
    record.Proxy.Set(nullptr);
    record.MinRange2 = 0;
    record.MaxRange2 = 0;
    record.TurnRate = 0;
    record.FireInterval = 0;
}

}  // namespace game
