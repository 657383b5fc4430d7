#pragma once

#include "editor/data/map.h"
#include "editor/data/map_records.h"
#include "editor/data/special_param.h"

#include <cstdint>
#include <string>

namespace editor {

enum class TTool { Surface = 0, Ground = 1, Special = 2, Air = 3 };
// What a left press of the surface tool does: paint cell by cell, fill a dragged rectangle, or
// flood the connected cells of one surface.
enum class TSurfaceMode { Brush, Rectangle, Flood };

// What the palette's controls hold at one moment: the tool and, per tool, the selected kind
// (-1 when its list has no selection) and the values a click stores.
struct TToolSettings {
    TTool Tool = TTool::Surface;

    int SurfaceIndex = 0;
    TSurfaceMode SurfaceMode = TSurfaceMode::Brush;
    // A left drag selects a block of cells instead of using the tool.
    bool Selecting = false;

    int GroundIndex = 0;
    int GroundLength = 1;
    int GroundWidth = 1;
    int GroundHeight = 1;
    int GroundAngle = 0;

    int SpecialIndex = 1;
    std::string SpecialParam;
    int ScriptLength = 1;
    int ScriptWidth = 1;
    std::string ScriptName;

    int AirIndex = 0;
    int AirLength = 1;
    int AirWidth = 1;
    int AirHeight = 1;
    int AirAngle = 0;
    int AirLevel = 0;
    int AirOpacity = 255;
};

// The records a left click on the cell stores; the view's preview draws the very same records.
std::uint8_t SurfaceKind(const TToolSettings& tools);
TGroundObject GroundRecord(const TToolSettings& tools, int x, int y);
TSpecialObject SpecialRecord(const TToolSettings& tools, int x, int y);
TAirObject AirRecord(const TToolSettings& tools, int x, int y);

// A script area's parameter "length|width|name", any other kind's free text, as the record stores
// it (Windows-1251, cut to 20 characters), with what storing it lost.
TStoredParam SpecialParam(const TToolSettings& tools);

// A left click in the view: adds one record of the tool's layer at the cursor cell; nothing
// when the cursor is (-1, -1), and no surface tile of the kind already on top of the cell.
// Objects may be stacked and overlap.
void ApplyToolClick(TMap& map, const TToolSettings& tools, int cursorX, int cursorY);

// A right click: removes the first record of the tool's layer anchored at the cursor cell.
void ApplyToolDelete(TMap& map, const TToolSettings& tools, int cursorX, int cursorY);

}  // namespace editor
