#pragma once

#include <array>

namespace editor {

// Tiles lie just above the base surface; the cursor frame and the special markers lie below the
// tiles, so the depth test hides them where a tile lies.
constexpr float kTileLift = 0.015f;
constexpr float kMarkerLift = 0.01f;

// A surface tile is four quads meeting at the cell centre, each vertex with its Blend alpha.

// One vertex: the Blend index that gives its alpha (-1: the opaque centre), its texture
// coordinate and its position relative to the cell centre.
struct TileVertex {
    int blend;
    float s, t;
    float x, y;
};

constexpr TileVertex kCentre{-1, 0.5f, 0.5f, 0, 0};
constexpr std::array<std::array<TileVertex, 4>, 4> kTileQuads = {{
    {{{0, 0, 1, -0.5f, -0.5f}, {1, 0.5f, 1, 0, -0.5f}, kCentre, {3, 0, 0.5f, -0.5f, 0}}},  // lower-left
    {{{1, 0.5f, 1, 0, -0.5f}, {2, 1, 1, 0.5f, -0.5f}, {4, 1, 0.5f, 0.5f, 0}, kCentre}},    // lower-right
    {{{3, 0, 0.5f, -0.5f, 0}, kCentre, {6, 0.5f, 0, 0, 0.5f}, {5, 0, 0, -0.5f, 0.5f}}},    // upper-left
    {{kCentre, {4, 1, 0.5f, 0.5f, 0}, {7, 1, 0, 0.5f, 0.5f}, {6, 0.5f, 0, 0, 0.5f}}},      // upper-right
}};
constexpr int kTileVertexCount = 16;

}  // namespace editor
