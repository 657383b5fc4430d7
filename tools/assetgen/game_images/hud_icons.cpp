#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/sprite.h"

namespace tools::assetgen {
namespace {

constexpr float kSide = 64;
// The price text covers the bottom rows of the button; a dark plate there keeps it readable.
constexpr float kPlateTop = 53;

const Colour kEdge = Rgb(8, 9, 11);
const Colour kMetal = Rgb(196, 204, 212);
const Colour kMetalDark = Rgb(96, 104, 116);

// The face of a button in its own colour, lit from above, with the price plate at its foot.
Sprite ButtonFace(Colour light, Colour dark) {
    Sprite sprite(static_cast<std::int32_t>(kSide), static_cast<std::int32_t>(kSide));
    sprite.Fill(RoundedBox(1, 1, kSide - 1, kSide - 1, 9), Solid(kEdge));
    sprite.Detail(RoundedBox(3, 3, kSide - 3, kSide - 3, 7), Solid(Mix(light, Rgb(255, 255, 255), 0.45f)));
    sprite.Detail(RoundedBox(5, 5, kSide - 3, kSide - 3, 6), Solid(dark * 0.6f));
    sprite.Detail(RoundedBox(5, 5, kSide - 5, kSide - 5, 5), VerticalGradient(light, dark, 5, kSide - 5));
    sprite.Detail(RoundedBox(8, kPlateTop, kSide - 8, kSide + 6, 3), Solid(Rgb(12, 14, 16)));
    return sprite;
}

RgbaImage Rocket() {
    Sprite sprite = ButtonFace(Rgb(150, 60, 40), Rgb(60, 20, 16));
    // A missile climbing to the upper right: points along its axis d and across it n.
    const Point tail{18, 41};
    const Point neck{39, 20};
    const float d = 0.7071f;
    const auto along = [&](Point p, float a, float across) {
        return Point{p.X + (a + across) * d, p.Y + (across - a) * d};
    };
    sprite.Detail(Polygon({along(tail, 0, -4), along(tail, -13, 0), along(tail, 0, 4)}),
                  VerticalGradient(Rgb(255, 240, 120), Rgb(255, 110, 20), 38, 54));
    sprite.Detail(Polygon({along(tail, 2, -5), along(tail, -3, -11), along(tail, 9, -5)}), Solid(Rgb(210, 40, 30)));
    sprite.Detail(Polygon({along(tail, 2, 5), along(tail, -3, 11), along(tail, 9, 5)}), Solid(Rgb(210, 40, 30)));
    sprite.Detail(Capsule(tail, neck, 12), Solid(kEdge));
    sprite.Detail(Polygon({along(neck, 0, -6), along(neck, 13, 0), along(neck, 0, 6)}), Solid(kEdge));
    sprite.Detail(Capsule(tail, neck, 8), VerticalGradient(Rgb(240, 244, 248), kMetalDark, 12, 44));
    sprite.Detail(Polygon({along(neck, 0, -4), along(neck, 10, 0), along(neck, 0, 4)}), Solid(Rgb(230, 40, 30)));
    sprite.Detail(Capsule(along(tail, 10, 0), along(tail, 13, 0), 3), Solid(Rgb(40, 44, 52)));
    return sprite.ToImage();
}

RgbaImage Laser() {
    Sprite sprite = ButtonFace(Rgb(50, 80, 170), Rgb(14, 22, 64));
    // An emitter at the lower left firing a beam to the upper right.
    sprite.Detail(Rotated(Box(8, 32, 30, 46), {19, 39}, -45), Solid(kEdge));
    sprite.Detail(Rotated(Box(10, 34, 28, 44), {19, 39}, -45), VerticalGradient(kMetal, kMetalDark, 30, 48));
    sprite.Detail(Capsule({24, 34}, {52, 10}, 7), Solid(Rgb(255, 40, 60)));
    sprite.Detail(Capsule({24, 34}, {52, 10}, 3), Solid(Rgb(255, 230, 235)));
    sprite.Detail(Disc({25, 33}, 5), Solid(Rgb(255, 120, 140)));
    sprite.Detail(Disc({25, 33}, 2.5f), Solid(Rgb(255, 255, 255)));
    for (const float angle : {0.0f, 45.0f, 90.0f, 135.0f}) {
        sprite.Detail(Rotated(Box(41, 12, 57, 14), {49, 13}, angle), Solid(Rgb(255, 220, 230)));
    }
    return sprite.ToImage();
}

RgbaImage Gatling() {
    Sprite sprite = ButtonFace(Rgb(110, 120, 50), Rgb(36, 42, 14));
    // Three barrels out of a drum, with a flash at the muzzle.
    sprite.Detail(Polygon({{50, 23}, {60, 17}, {56, 26}, {62, 30}, {55, 33}, {57, 42}, {50, 36}}),
                  Solid(Rgb(255, 220, 80)));
    sprite.Detail(RoundedBox(6, 14, 26, 46, 4), Solid(kEdge));
    sprite.Detail(RoundedBox(8, 16, 24, 44, 3), VerticalGradient(kMetal, kMetalDark, 16, 44));
    for (const float y : {21.0f, 30.0f, 39.0f}) {
        sprite.Detail(Capsule({22, y}, {51, y}, 8), Solid(kEdge));
        sprite.Detail(Capsule({22, y}, {51, y}, 5), VerticalGradient(Rgb(230, 234, 240), kMetalDark, y - 3, y + 3));
    }
    sprite.Detail(Box(38, 16, 42, 44), Solid(kEdge));
    sprite.Detail(Box(39, 17, 41, 43), Solid(kMetalDark));
    return sprite.ToImage();
}

RgbaImage Repair() {
    Sprite sprite = ButtonFace(Rgb(40, 130, 110), Rgb(10, 46, 40));
    // A wrench across the button and a plus for mending.
    const Shape slot = Rotated(Box(38, 3, 46, 22), {42, 20}, 45);
    const Shape handle = Capsule({16, 46}, {38, 24}, 8);
    const Shape rim = Union(Disc({42, 20}, 13), Capsule({16, 46}, {38, 24}, 12));
    sprite.Detail(Difference(rim, Rotated(Box(40, 3, 44, 18), {42, 20}, 45)), Solid(kEdge));
    sprite.Detail(Union(Difference(Disc({42, 20}, 11), slot), handle),
                  VerticalGradient(Rgb(240, 244, 248), kMetalDark, 8, 50));
    sprite.Detail(Box(9, 13, 25, 19), Solid(kEdge));
    sprite.Detail(Box(14, 8, 20, 24), Solid(kEdge));
    sprite.Detail(Box(10, 14, 24, 18), Solid(Rgb(120, 255, 120)));
    sprite.Detail(Box(15, 9, 19, 23), Solid(Rgb(120, 255, 120)));
    return sprite.ToImage();
}

}  // namespace

std::vector<NamedPicture> MakeHudIcons() {
    return {{"gui_rocket_sm.dds", Rocket()},
            {"gui_laser_sm.dds", Laser()},
            {"gui_gatling_sm.dds", Gatling()},
            {"gui_repair_sm.dds", Repair()}};
}

}  // namespace tools::assetgen
