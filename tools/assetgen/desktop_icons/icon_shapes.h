#pragma once

#include "tools/assetgen/game_images/sprite.h"

// What both emblems are drawn with, in design grid units.
namespace tools::assetgen::icon_shapes {

// The badge every emblem sits on: a rounded square one unit in from the edges.
inline Shape Badge() {
    return RoundedBox(1, 1, 15, 15, 3);
}
// Its face inside the one-unit rim.
inline Shape BadgeFace() {
    return RoundedBox(2, 2, 14, 14, 2);
}

// A point of a slanted part: `along` units from the origin in the direction (dx, dy) (a unit
// vector) and `across` units to its right.
inline Point Along(Point origin, Point direction, float along, float across) {
    return {origin.X + direction.X * along - direction.Y * across, origin.Y + direction.Y * along + direction.X * across};
}

// A slanted band from `from` to `to` units along the direction, `width` wide.
inline Shape Band(Point origin, Point direction, float from, float to, float width) {
    const float half = width / 2;
    return Polygon({Along(origin, direction, from, -half), Along(origin, direction, to, -half),
                    Along(origin, direction, to, half), Along(origin, direction, from, half)});
}

}  // namespace tools::assetgen::icon_shapes
