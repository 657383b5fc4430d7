#include "editor/app/region_tools.h"

#include "editor/data/map_fill.h"

#include <utility>

namespace editor {
namespace {

bool OnMap(TCell cell) {
    return cell.first != -1 || cell.second != -1;
}

}  // namespace

TRegionTools::TRegionTools(TMap& map, TEdit edit) : m_map(map), m_edit(std::move(edit)) {}

bool TRegionTools::Press(const TToolSettings& tools, TCell cell) {
    const auto [x, y] = cell;
    if (m_pasting) {
        if (OnMap(cell)) {
            m_edit([&] { PasteRegion(m_map, m_clipboard, x, y); });
            m_pasting = false;
        }
        return true;
    }
    if (tools.Selecting) {
        if (OnMap(cell)) {
            m_drag = TDrag{TDragKind::Select, cell, cell, 0};
        }
        return true;
    }
    if (tools.Tool != TTool::Surface) {
        return false;
    }
    switch (tools.SurfaceMode) {
    case TSurfaceMode::Brush: return false;
    case TSurfaceMode::Rectangle:
        if (OnMap(cell)) {
            m_drag = TDrag{TDragKind::Fill, cell, cell, SurfaceKind(tools)};
        }
        return true;
    case TSurfaceMode::Flood:
        if (OnMap(cell)) {
            m_edit([&] { FloodFill(m_map, x, y, SurfaceKind(tools)); });
        }
        return true;
    }
    return false;
}

void TRegionTools::Follow(TCell cell) {
    if (m_drag && OnMap(cell)) {
        m_drag->End = cell;
    }
}

void TRegionTools::Release() {
    const std::optional<TCellRect> rect = DragRect();
    if (!rect) {
        return;
    }
    const TDrag drag = *std::exchange(m_drag, std::nullopt);
    if (drag.Kind == TDragKind::Select) {
        m_selection = rect;
    } else {
        m_edit([&] { FillRectangle(m_map, *rect, drag.SurfaceKind); });
    }
}

std::optional<TCellRect> TRegionTools::DragRect() const {
    if (!m_drag) {
        return std::nullopt;
    }
    return CellRectBetween(m_drag->Start.first, m_drag->Start.second, m_drag->End.first, m_drag->End.second);
}

bool TRegionTools::Copy() {
    if (!m_selection) {
        return false;
    }
    m_clipboard = CopyRegion(m_map, *m_selection);
    return true;
}

bool TRegionTools::Cut() {
    if (!m_selection) {
        return false;
    }
    m_edit([&] { m_clipboard = CutRegion(m_map, *m_selection); });
    return true;
}

bool TRegionTools::DeleteSelection() {
    if (!m_selection) {
        return false;
    }
    m_edit([&] { DeleteRegion(m_map, *m_selection); });
    return true;
}

bool TRegionTools::StartPaste() {
    if (m_clipboard.Length <= 0 || m_clipboard.Width <= 0) {
        return false;
    }
    m_pasting = true;
    return true;
}

TEscapeResult TRegionTools::Escape() {
    if (m_pasting) {
        m_pasting = false;
        return TEscapeResult::CancelledPaste;
    }
    if (m_selection || m_drag) {
        m_selection.reset();
        m_drag.reset();
        return TEscapeResult::ClearedSelection;
    }
    return TEscapeResult::Nothing;
}

}  // namespace editor
