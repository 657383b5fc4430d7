#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/sprite.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace tools::assetgen {
namespace {

constexpr std::int32_t kSide = 32;
constexpr float kCentre = 15.5f;  // pixel 15's centre: shapes around it sit symmetric on the grid
const Colour kOutline = Rgb(8, 8, 10);

struct Hotspot {
    std::int32_t X;
    std::int32_t Y;
};

// Draws one frame's shapes; the sprite gets its dark outline afterwards.
using FramePainter = std::function<void(Sprite& sprite, int frame)>;

AnimatedCursor Animate(int frames, Hotspot hotspot, std::uint32_t jiffies, const FramePainter& paint,
                       std::vector<std::uint32_t> sequence = {}) {
    AnimatedCursor cursor;
    for (int frame = 0; frame < frames; ++frame) {
        Sprite sprite(kSide, kSide);
        paint(sprite, frame);
        sprite.Outline(kOutline);
        cursor.Frames.push_back({sprite.ToImage(), hotspot.X, hotspot.Y});
    }
    cursor.Sequence = std::move(sequence);
    const std::size_t steps = cursor.Sequence.empty() ? cursor.Frames.size() : cursor.Sequence.size();
    cursor.RatesJiffies.assign(steps, jiffies);
    return cursor;
}

// The classic pointer, its tip at (1, 1).
Shape ArrowPointer() {
    return Polygon({{1, 1}, {1, 23}, {6.5f, 18}, {10.5f, 27}, {14.5f, 25.5f}, {10.5f, 17}, {17.5f, 17}});
}

AnimatedCursor DefaultCursor() {
    return Animate(1, {1, 1}, 10, [](Sprite& sprite, int) {
        sprite.Fill(ArrowPointer(), VerticalGradient(Rgb(255, 255, 255), Rgb(176, 190, 210), 1, 27));
    });
}

// Over a button the player can afford: the pointer turns green and a ring beside it pulses.
AnimatedCursor ChooseCursor() {
    return Animate(
        4, {1, 1}, 8,
        [](Sprite& sprite, int frame) {
            const float pulse = 0.5f + 0.5f * std::cos(static_cast<float>(frame) * std::numbers::pi_v<float> / 2);
            sprite.Fill(ArrowPointer(), VerticalGradient(Rgb(220, 255, 200), Rgb(60, 200, 60), 1, 27));
            const float radius = 4.0f + 2.0f * (1.0f - pulse);
            const Colour ring = Mix(Rgb(120, 255, 90), Rgb(255, 255, 160), pulse);
            sprite.Fill(Annulus({23.5f, 23.5f}, radius - 1.6f, radius), Solid(ring));
        },
        {0, 1, 2, 3, 2, 1});
}

// Refusing: a red no-entry sign that blinks.
AnimatedCursor DenyCursor() {
    return Animate(2, {15, 15}, 24, [](Sprite& sprite, int frame) {
        const Colour red = frame == 0 ? Rgb(240, 30, 30) : Rgb(170, 16, 16);
        const Point middle{kCentre + 0.5f, kCentre + 0.5f};
        const Shape sign =
            Union(Annulus(middle, 9.0f, 13.0f), Rotated(Box(5, kCentre - 1.5f, 27, kCentre + 2.5f), middle, 45));
        sprite.Fill(sign, Solid(red));
    });
}

// A block arrow pointing along `degrees` (0 right, 90 down) from the centre to `reach`, nudged
// towards its tip by `shift`.
Shape ScrollArrow(float degrees, float reach, float shift) {
    const float tip = kCentre + reach + shift;
    const float back = kCentre - reach * 0.85f + shift;
    const float neck = tip - 10.0f;
    const Shape right = Polygon({{back, kCentre - 3.5f},
                                 {neck, kCentre - 3.5f},
                                 {neck, kCentre - 9.5f},
                                 {tip, kCentre + 0.5f},
                                 {neck, kCentre + 10.5f},
                                 {neck, kCentre + 4.5f},
                                 {back, kCentre + 4.5f}});
    return Rotated(right, {kCentre, kCentre + 0.5f}, degrees);
}

AnimatedCursor ScrollCursor(float degrees) {
    const bool diagonal = std::fmod(degrees, 90.0f) != 0.0f;
    const float reach = diagonal ? 17.5f : 14.0f;
    const float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    const Hotspot hotspot{static_cast<std::int32_t>(std::lround(kCentre + std::cos(radians) * (reach - 0.5f))),
                          static_cast<std::int32_t>(std::lround(kCentre + std::sin(radians) * (reach - 0.5f)))};
    return Animate(
        3, hotspot, 6,
        [=](Sprite& sprite, int frame) {
            sprite.Fill(ScrollArrow(degrees, reach, static_cast<float>(frame - 2)),
                        VerticalGradient(Rgb(255, 236, 120), Rgb(230, 150, 20), 0, 31));
        },
        {0, 1, 2, 1});
}

// Placing a tower on a legal spot: target brackets closing in on the point.
AnimatedCursor PlaceCursor() {
    return Animate(
        3, {15, 15}, 7,
        [](Sprite& sprite, int frame) {
            const Colour green = Rgb(90, 255, 110);
            const float h = 11.0f - 2.0f * static_cast<float>(frame);
            for (const float sx : {-1.0f, 1.0f}) {
                for (const float sy : {-1.0f, 1.0f}) {
                    const Point corner{kCentre + sx * h, kCentre + sy * h};
                    sprite.Fill(Capsule(corner, {corner.X - sx * 5, corner.Y}, 2.2f), Solid(green));
                    sprite.Fill(Capsule(corner, {corner.X, corner.Y - sy * 5}, 2.2f), Solid(green));
                }
            }
            sprite.Fill(Disc({kCentre + 0.5f, kCentre + 0.5f}, 2.0f), Solid(Rgb(255, 255, 255)));
        },
        {0, 1, 2, 1});
}

// Repair mode: a wrench that rocks, its jaws at the top left doing the work.
AnimatedCursor RepairCursor() {
    return Animate(
        4, {3, 3}, 8,
        [](Sprite& sprite, int frame) {
            const float angle = frame == 1 ? 10.0f : frame == 3 ? -10.0f : 0.0f;
            const Point pivot{7, 7};
            const Shape head = Difference(Disc({8, 8}, 7), Rotated(Box(5, -2, 11, 8), {8, 8}, -45));
            const Shape wrench = Union(head, Capsule({11, 11}, {27, 27}, 6));
            sprite.Fill(Rotated(wrench, pivot, angle), VerticalGradient(Rgb(240, 244, 250), Rgb(120, 134, 150), 0, 30));
            sprite.Detail(Rotated(Capsule({17, 17}, {25, 25}, 2), pivot, angle), Solid(Rgb(220, 60, 40)));
        },
        {0, 1, 0, 3});
}

}  // namespace

std::vector<AnimatedCursor> MakeCursors() {
    // Arrow, refusing, choosing; scrolling left, right, up, down, then the four corners; placing, repairing.
    return {DefaultCursor(),     DenyCursor(),       ChooseCursor(),     ScrollCursor(180), ScrollCursor(0),
            ScrollCursor(270),   ScrollCursor(90),   ScrollCursor(225),  ScrollCursor(135), ScrollCursor(315),
            ScrollCursor(45),    PlaceCursor(),      RepairCursor()};
}

}  // namespace tools::assetgen
