#pragma once

#include <bitset>
#include <optional>
#include <utility>
#include <vector>

namespace editor {

// A map cell, (-1, -1) for none.
using TCell = std::pair<int, int>;

// The cells a drag of the surface tool passes, each given out once per stroke. The cursor cell
// is sampled once a frame, so a fast drag jumps; the cells on the line between two samples
// count as passed too.
class TPaintStroke {
public:
    // The cells to paint now that the cursor is on this cell, in the order passed; none for a
    // cell off the map (the next cell on the map starts a new line).
    std::vector<TCell> MoveTo(TCell cell);

private:
    bool Take(TCell cell);

    std::optional<TCell> m_last;
    std::bitset<256 * 256> m_painted;
};

// The cells of the line from one cell to another, both included, each touching the one before.
std::vector<TCell> CellsBetween(TCell from, TCell to);

}  // namespace editor
