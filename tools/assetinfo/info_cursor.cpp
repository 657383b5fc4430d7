#include "tools/assetinfo/info_kinds.h"

#include "engine/platform/cursor_file.h"

namespace tools {

nlohmann::json InfoCursor(const std::string& path) {
    const engine::CursorFile cursor = engine::LoadCursorFile(path);
    const engine::CursorImage& first = cursor.frames.front();
    return {{"frames", cursor.frames.size()},
            {"steps", cursor.sequence.size()},
            {"width", first.width},
            {"height", first.height},
            {"hotspot", {first.hotspotX, first.hotspotY}},
            {"ratesJiffies", cursor.ratesJiffies}};
}

}  // namespace tools
