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
    // Ends the placement in progress, then stands the tower at a position (Towers has no transform).
    engine::TGLProxyObject* PlaceAt(const engine::TVec4& position) {
        engine::TGLProxyObject* root = m_game.State.TowerTable[m_game.State.TowerCount - 1].Proxy.Get();
        Click(400, 200);
        m_game.firebaseProgress(root, 0, 0);
        root->SetPosition(position);
        return root;
    }
    engine::TGLProxyObject* Tower(int button, const engine::TVec4& position) {
        ClickButton(button);
        return PlaceAt(position);
    }

private:
    void Click(int x, int y) {
        m_game.State.MouseX = x;
        m_game.State.MouseY = y;
        m_game.gui_barProgress(m_game.Scene.gui_bar, 0, 0);
        m_game.GLFullScreenViewer1Click(&m_game.Scene.GLFullScreenViewer1);
    }

    game::TDataModule2& m_game;
};

}  // namespace tests
