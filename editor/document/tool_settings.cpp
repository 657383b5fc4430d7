#include "editor/document/tool_settings.h"

#include <exception>

namespace editor {
namespace {

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

bool IsOffMap(int cursorX, int cursorY) {
    return cursorX == -1 && cursorY == -1;
}

// A tile of the kind already on top of the cell would hide under nothing and show nothing new;
// a right click would then remove the older of the two. It is not added.
void AddSurfaceTile(TMap& map, std::uint8_t kind, std::uint8_t x, std::uint8_t y) {
    const TSurfaceTile* top = map.TopTileAt(x, y);
    if (top == nullptr || top->Kind != kind) {
        map.AddTile(kind, x, y);
    }
}

}  // namespace

std::uint8_t SurfaceKind(const TToolSettings& tools) {
    return Byte(tools.SurfaceIndex);
}

TGroundObject GroundRecord(const TToolSettings& tools, int x, int y) {
    TGroundObject record;
    record.Kind = tools.GroundIndex;
    record.Angle = tools.GroundAngle;
    record.X = Byte(x);
    record.Y = Byte(y);
    record.Length = Byte(tools.GroundLength);
    record.Width = Byte(tools.GroundWidth);
    record.Height = Byte(tools.GroundHeight);
    return record;
}

TStoredParam SpecialParam(const TToolSettings& tools) {
    const std::string param = tools.SpecialIndex == 0 ? std::to_string(tools.ScriptLength) + "|" +
                                                            std::to_string(tools.ScriptWidth) + "|" + tools.ScriptName
                                                      : tools.SpecialParam;
    return StoreSpecialParam(param);
}

TSpecialObject SpecialRecord(const TToolSettings& tools, int x, int y) {
    TSpecialObject record;
    record.Kind = Byte(tools.SpecialIndex);
    record.X = Byte(x);
    record.Y = Byte(y);
    record.Param = SpecialParam(tools).Param;
    return record;
}

TAirObject AirRecord(const TToolSettings& tools, int x, int y) {
    TAirObject record;
    record.Kind = tools.AirIndex;
    record.Angle = tools.AirAngle;
    record.Level = tools.AirLevel;
    record.X = Byte(x);
    record.Y = Byte(y);
    record.Length = Byte(tools.AirLength);
    record.Width = Byte(tools.AirWidth);
    record.Height = Byte(tools.AirHeight);
    record.Opacity = Byte(tools.AirOpacity);
    return record;
}

void ApplyToolClick(TMap& map, const TToolSettings& tools, int cursorX, int cursorY) {
    if (IsOffMap(cursorX, cursorY)) {
        return;
    }
    switch (tools.Tool) {
    case TTool::Surface: AddSurfaceTile(map, SurfaceKind(tools), Byte(cursorX), Byte(cursorY)); break;
    case TTool::Ground: map.AddGroundObject(GroundRecord(tools, cursorX, cursorY)); break;
    case TTool::Special: map.AddSpecialObject(SpecialRecord(tools, cursorX, cursorY)); break;
    case TTool::Air: map.AddAirObject(AirRecord(tools, cursorX, cursorY)); break;
    }
}

void ApplyToolDelete(TMap& map, const TToolSettings& tools, int cursorX, int cursorY) {
    if (IsOffMap(cursorX, cursorY)) {
        return;
    }
    const std::uint8_t x = Byte(cursorX);
    const std::uint8_t y = Byte(cursorY);
    // A failed removal leaves the map as it was; the user just clicks again.
    try {
        switch (tools.Tool) {
        case TTool::Surface: map.DeleteTileAt(x, y); break;
        case TTool::Ground: map.DeleteGroundAt(x, y); break;
        case TTool::Special: map.DeleteSpecialAt(x, y); break;
        case TTool::Air: map.DeleteAirAt(x, y); break;
        }
    } catch (const std::exception&) {
    }
}

}  // namespace editor
