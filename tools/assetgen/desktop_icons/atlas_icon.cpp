#include "tools/assetgen/desktop_icons/desktop_icons.h"
#include "tools/assetgen/desktop_icons/icon_canvas.h"
#include "tools/assetgen/desktop_icons/icon_shapes.h"
#include "tools/writers/colour.h"

#include <array>

namespace tools::assetgen {
namespace {

using namespace icon_shapes;

const Colour kRim = Rgb(30, 34, 40);

// Three by three cells between one-unit grid lines, the badge's rim the outer lines: the middle
// cells a unit wider, so the grid sits in the middle of the face.
constexpr std::array<float, 4> kCellEdges{2, 5, 10, 14};

void PaintTiles(IconCanvas& icon) {
    const Colour grass = Rgb(104, 160, 72);
    const Colour meadow = Rgb(76, 134, 62);
    const Colour sand = Rgb(214, 186, 118);
    const Colour water = Rgb(62, 120, 196);
    const Colour stone = Rgb(150, 140, 128);
    const std::array<std::array<Colour, 3>, 3> tiles{{
        {grass, meadow, water},
        {sand, grass, water},
        {stone, sand, meadow},
    }};
    icon.Fill(Box(0, 0, 16, 16), Solid(Rgb(40, 46, 40)));
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            // Each cell starts a grid line's width after the previous one ends.
            const float left = kCellEdges[column] + (column > 0 ? 1.0f : 0.0f);
            const float top = kCellEdges[row] + (row > 0 ? 1.0f : 0.0f);
            const float right = kCellEdges[column + 1];
            const float bottom = kCellEdges[row + 1];
            const Colour tile = tiles[row][column];
            icon.Fill(Box(left, top, right, bottom),
                      VerticalGradient(Mix(tile, Rgb(255, 255, 255), 0.18f), tile * 0.82f, top, bottom));
        }
    }
}

// A pencil laid across the map from its point at the lower left to its eraser at the upper right.
void PaintPencil(IconCanvas& icon) {
    const Point point{3.2f, 12.8f};
    const Point up{0.7071f, -0.7071f};
    const float width = 2.8f;
    const float length = 13.2f;
    // The outline: the whole pencil a little wider, its point included.
    icon.Fill(Polygon({Along(point, up, -0.6f, 0), Along(point, up, 3, -width / 2 - 0.6f),
                       Along(point, up, length + 0.6f, -width / 2 - 0.6f), Along(point, up, length + 0.6f, width / 2 + 0.6f),
                       Along(point, up, 3, width / 2 + 0.6f)}),
              Solid(kRim));
    icon.Fill(Polygon({Along(point, up, 0, 0), Along(point, up, 3, -width / 2), Along(point, up, 3, width / 2)}),
              Solid(Rgb(232, 196, 150)));
    icon.Fill(Polygon({Along(point, up, 0, 0), Along(point, up, 1.1f, -0.5f), Along(point, up, 1.1f, 0.5f)}),
              Solid(Rgb(44, 44, 52)));
    // The painted body in three facets, lit from the upper left.
    const float third = width / 3;
    const std::array<Colour, 3> facets{Rgb(255, 214, 80), Rgb(240, 174, 34), Rgb(196, 124, 20)};
    for (int i = 0; i < 3; ++i) {
        const float across = -width / 2 + third * (static_cast<float>(i) + 0.5f);
        icon.Fill(Band(Along(point, up, 0, across), up, 3, 10.2f, third), Solid(facets[static_cast<std::size_t>(i)]));
    }
    icon.Fill(Band(point, up, 10.2f, 11.4f, width), Solid(Rgb(176, 184, 194)));
    icon.Fill(Band(point, up, 11.4f, length, width), Solid(Rgb(236, 124, 136)));
}

}  // namespace

platform::Image AtlasIcon(std::int32_t size) {
    IconCanvas icon(size);
    icon.Fill(Badge(), Solid(kRim));
    icon.SetClip(BadgeFace());
    PaintTiles(icon);
    icon.ClearClip();
    PaintPencil(icon);
    return icon.ToImage();
}

}  // namespace tools::assetgen
