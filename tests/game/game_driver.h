#pragma once

#include "game/data_module.h"

namespace tests {

// Plays the game's input the way the player does: a button is hovered for a frame of the panel's
// handler before the click, a tower is placed by a click off the panel.
class TGameDriver {
public:
    explicit TGameDriver(game::TDataModule2& game) : m_game(game) {}

    void ClickButton(int button) {
        const engine::TGLCoordinates& p = m_game.Scene.gui_bar->ChildAt(button)->Position();
        Click(static_cast<int>(p.X()), static_cast<int>(p.Y()));
    }
    // The terrain's point below (X, Z) of a world point.
    engine::TVec4 Ground(const engine::TVec4& point) const {
        engine::TVec4 hit;
        m_game.Scene.terrain->OctreeRayCast(engine::TVec4{point.X, 20, point.Z, 1}, engine::TVec4{0, -1, 0, 0}, &hit,
                                            nullptr);
        return hit;
    }
    // The pointer's ray looks straight down onto the terrain at (X, Z) of a world point.
    void PointAt(const engine::TVec4& point) {
        m_game.State.CameraPos = engine::TVec4{point.X, 20, point.Z, 1};
        m_game.State.MouseRay = engine::TVec4{0, -1, 0, 0};
    }
    // Clicks the terrain at a position, so that the tower being placed stands there in its frame and
    // is paid for, then puts it exactly at the position (Towers has no transform).
    engine::TGLProxyObject* PlaceAt(const engine::TVec4& position) {
        engine::TGLProxyObject* root = m_game.State.TowerTable[m_game.State.TowerCount - 1].Proxy.Get();
        PointAt(position);
        ClickTerrain();
        m_game.firebaseProgress(root, 0, 0);
        root->SetPosition(position);
        return root;
    }
    // A click off the panel.
    void ClickTerrain() { Click(400, 200); }
    engine::TGLProxyObject* Tower(int button, const engine::TVec4& position) {
        ClickButton(button);
        return PlaceAt(position);
    }

    // The pointer at a screen point for a frame of the panel's handler, then a click there.
    void Click(int x, int y) {
        m_game.State.MouseX = x;
        m_game.State.MouseY = y;
        m_game.gui_barProgress(m_game.Scene.gui_bar, 0, 0);
        m_game.GLFullScreenViewer1Click(&m_game.Scene.GLFullScreenViewer1);
    }

private:
    game::TDataModule2& m_game;
};

}  // namespace tests
