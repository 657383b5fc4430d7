#include "editor/app/status_text.h"

#include "editor/document/editor_texts.h"

#include <filesystem>

namespace editor {

std::string StatusText(const TMapData& map, int cursorX, int cursorY, const std::string& fileName, bool modified) {
    const TMapHeader& h = map.Header;
    const std::string cell = cursorX == -1 && cursorY == -1
                                 ? std::string(texts::kStatusNoCell)
                                 : std::to_string(cursorX) + ", " + std::to_string(cursorY);
    const std::string name =
        fileName.empty() ? std::string(texts::kStatusUnnamed) : std::filesystem::path(fileName).filename().string();
    return std::string(texts::kStatusCell) + cell + texts::kStatusSeparator + texts::kStatusSize +
           std::to_string(h.SizeX) + " x " + std::to_string(h.SizeY) + texts::kStatusSeparator + texts::kStatusTiles +
           std::to_string(map.Tiles.size()) + texts::kStatusSeparator + texts::kStatusGround +
           std::to_string(map.Ground.size()) + texts::kStatusSeparator + texts::kStatusSpecial +
           std::to_string(map.Specials.size()) + texts::kStatusSeparator + texts::kStatusAir +
           std::to_string(map.Air.size()) + texts::kStatusSeparator + name + (modified ? "*" : "");
}

std::string ToolHint(const TToolSettings& tools, bool pasting) {
    if (pasting) {
        return texts::kHintPaste;
    }
    if (tools.Selecting) {
        return texts::kHintSelect;
    }
    if (tools.Tool != TTool::Surface) {
        return {};
    }
    switch (tools.SurfaceMode) {
    case TSurfaceMode::Brush: return {};
    case TSurfaceMode::Rectangle: return texts::kHintRectangle;
    case TSurfaceMode::Flood: return texts::kHintFlood;
    }
    return {};
}

}  // namespace editor
