#pragma once

#include "editor/app/paint_stroke.h"
#include "editor/data/cell_rect.h"
#include "editor/data/map.h"
#include "editor/data/map_clipboard.h"
#include "editor/document/tool_settings.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace editor {

// What Escape did: a paste and a selection go first, so Escape quits only when neither is there.
enum class TEscapeResult { CancelledPaste, ClearedSelection, Nothing };

// The tools that work on a block of cells: the rectangle and flood fills of the surface tool, the
// selection with its copy, cut and delete, and a paste that follows the pointer until a click puts
// it down. Every change goes through the edit function, one undo step each.
class TRegionTools {
public:
    using TEdit = std::function<void(const std::function<void()>& change)>;
    TRegionTools(TMap& map, TEdit edit);

    // A left press with the cursor on the cell ((-1, -1) off the map). True when one of these
    // tools took it, so the press adds no record of the palette's tool.
    bool Press(const TToolSettings& tools, TCell cell);
    // The cursor's cell while the button is held; off the map the drag keeps its last cell.
    void Follow(TCell cell);
    // The button released: a rectangle drag fills its block, a selection drag selects it.
    void Release();

    // The block being dragged, while a drag goes on.
    std::optional<TCellRect> DragRect() const;
    const std::optional<TCellRect>& Selection() const { return m_selection; }
    void Select(const TCellRect& rect) { m_selection = rect; }

    // Each false when there is nothing to do it on (no selection, an empty clipboard).
    bool Copy();
    bool Cut();
    bool DeleteSelection();
    // The clipboard's block follows the pointer until the next left press on the map.
    bool StartPaste();
    bool Pasting() const { return m_pasting; }
    const TMapClipboard& Clipboard() const { return m_clipboard; }

    TEscapeResult Escape();

private:
    enum class TDragKind { Fill, Select };
    struct TDrag {
        TDragKind Kind;
        TCell Start;
        TCell End;
        std::uint8_t SurfaceKind;
    };

    TMap& m_map;
    TEdit m_edit;
    std::optional<TDrag> m_drag;
    std::optional<TCellRect> m_selection;
    TMapClipboard m_clipboard;
    bool m_pasting = false;
};

}  // namespace editor
