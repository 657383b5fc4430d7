#include "tools/assetgen/desktop_icons/desktop_icons.h"
#include "tools/assetgen/desktop_icons/icon_canvas.h"
#include "tools/assetgen/desktop_icons/icon_shapes.h"
#include "tools/writers/colour.h"

namespace tools::assetgen {
namespace {

using namespace icon_shapes;

const Colour kRim = Rgb(28, 24, 40);

// Stone lit from the left, between the x positions given.
Paint Stone(float left, float right) {
    return [=](float x, float) { return Mix(Rgb(206, 198, 184), Rgb(92, 86, 96), (x - left) / (right - left)); };
}

void PaintDusk(IconCanvas& icon) {
    // Deep blue above, the last light at the horizon.
    const ColourRamp sky{{2.0f, Rgb(26, 34, 92)}, {6.5f, Rgb(120, 66, 124)}, {10.5f, Rgb(252, 150, 70)}};
    icon.Fill(Box(0, 0, 16, 16), [&](float, float y) { return sky.At(y); });
    // The sun going down behind the hills, in its glow.
    icon.Fill(Disc({11.5f, 10}, 4.5f), Solid(Rgb(255, 196, 110)), 0.35f);
    icon.Fill(Disc({11.5f, 10}, 2.5f), Solid(Rgb(255, 234, 160)));
}

void PaintValley(IconCanvas& icon) {
    icon.Fill(Polygon({{0, 11}, {3, 9}, {6, 10.5f}, {9, 9.5f}, {12, 10.5f}, {16, 9}, {16, 16}, {0, 16}}),
              VerticalGradient(Rgb(92, 74, 104), Rgb(58, 50, 76), 9, 12));
    icon.Fill(Polygon({{0, 12}, {5, 11}, {8, 12.5f}, {11, 12}, {16, 11}, {16, 16}, {0, 16}}),
              VerticalGradient(Rgb(96, 146, 62), Rgb(36, 72, 34), 11, 14));
}

// The defenders' stone tower with its battlements and a lit loophole, and a rocket climbing from it.
void PaintTower(IconCanvas& icon) {
    const Shape body = Union(Polygon({{5.5f, 14}, {9.5f, 14}, {9, 7}, {6, 7}}), Box(5, 5, 10, 7));
    const Shape merlons = Union(Box(5, 4, 6, 5), Union(Box(7, 4, 8, 5), Box(9, 4, 10, 5)));
    icon.Fill(Union(body, merlons), Stone(5, 10));
    // The parapet's shadow under its ledge and the loophole's warm light.
    icon.Fill(Box(6, 7, 9, 8), Solid(Rgb(60, 52, 66)), 0.7f);
    icon.Fill(Box(7, 9, 8, 12), Solid(Rgb(255, 184, 80)));

    // The rocket over the battlements, a white-hot head in its glow at the end of a widening trail.
    const Point start{9.5f, 4.5f};
    const Point way{0.8f, -0.6f};
    const Point head = Along(start, way, 3.6f, 0);
    icon.Fill(Polygon({Along(start, way, 0, 0), Along(start, way, 3.6f, -0.35f), Along(start, way, 3.6f, 0.35f)}),
              Solid(Rgb(255, 190, 110)), 0.75f);
    icon.Fill(Disc(head, 1.5f), Solid(Rgb(255, 150, 60)), 0.55f);
    icon.Fill(Disc(head, 0.8f), Solid(Rgb(255, 250, 225)));
}

}  // namespace

platform::Image SkirmishIcon(std::int32_t size) {
    IconCanvas icon(size);
    icon.Fill(Badge(), Solid(kRim));
    icon.SetClip(BadgeFace());
    PaintDusk(icon);
    PaintValley(icon);
    PaintTower(icon);
    return icon.ToImage();
}

}  // namespace tools::assetgen
