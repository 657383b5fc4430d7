#pragma once

#include "editor/data/kind_catalogue.h"
#include "editor/data/map.h"
#include "editor/data/map_history.h"
#include "editor/document/view_camera.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace editor {

// The program-wide state of the editor: the one map with its undo history, the catalogues that
// draw it, the camera and the current file. Everything here lives for the whole run.
struct TEditorSession {
    TEditorSession() {
        Map.OnNewMap = [this] {
            Camera.PanX = map_defaults::kNewMapPanX;
            Camera.PanY = map_defaults::kNewMapPanY;
        };
    }
    TEditorSession(const TEditorSession&) = delete;
    TEditorSession& operator=(const TEditorSession&) = delete;

    TMap Map;
    TMapHistory History;
    TKindCatalogues Kinds;
    TViewCamera Camera;
    // The names of "System\Basic_surface.txt"; the header's Surface indexes them.
    std::vector<std::string> BaseSurfaces;
    std::uint32_t BaseTexture = 0;
    // The surface BaseTexture was loaded for, so the texture is loaded again only when it changes.
    std::optional<std::uint8_t> BaseTextureSurface;
    std::string MapFileName;
};

}  // namespace editor
