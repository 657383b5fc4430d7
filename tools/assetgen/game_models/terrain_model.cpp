#include "tools/assetgen/game_models/model_parts.h"

#include "tools/writers/noise.h"

#include <algorithm>
#include <array>
#include <cmath>

// The battlefield: a valley floor around the base, a slope rising gently to the four spawn
// corners along open lanes, and rough hills between the lanes where towers can stand high.
namespace tools::assetgen {
namespace {

using namespace terrain_layout;

constexpr float kRise = 95.0f;         // from the floor to the corners' level
constexpr float kHills = 55.0f;        // the hills' extra height between the lanes
constexpr float kLaneBumps = 6.0f;     // small unevenness along the lanes
constexpr float kLimit = 92.0f;        // world 9.2, inside the game's height band
// Every triangle that touches the flat disc lies inside this radius (a cell's diagonal beyond).
constexpr float kRampStart = kFlatRadius + 24.0f;
constexpr float kRampEnd = 600.0f;
constexpr float kLaneInner = 110.0f;    // half width of a lane that is fully open: the spawn squares fit
constexpr float kLaneOuter = 230.0f;    // where the hills are fully back
constexpr std::uint64_t kSeed = 7001;

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Distance from (x, y) to the segment from the base to a spawn corner.
float DistanceToLane(float x, float y, float cornerX, float cornerY) {
    const float dx = cornerX - kBaseX;
    const float dy = cornerY - kBaseY;
    const float t = std::clamp(((x - kBaseX) * dx + (y - kBaseY) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (kBaseX + t * dx), y - (kBaseY + t * dy));
}

const TileableNoise& Noise() {
    static const TileableNoise noise(kSeed);
    return noise;
}

}  // namespace

float TerrainHeight(float x, float y) {
    const float fromBase = std::hypot(x - kBaseX, y - kBaseY);
    const float ramp = kRise * SmoothStep(kRampStart, kRampEnd, fromBase);
    float lane = 1e9f;
    for (const float cx : {-kCorner, kCorner}) {
        for (const float cy : {-kCorner, kCorner}) {
            lane = std::min(lane, DistanceToLane(x, y, cx, cy));
        }
    }
    const float open = 1.0f - SmoothStep(kLaneInner, kLaneOuter, lane);
    const float u = (x + kHalfSize) / (2 * kHalfSize);
    const float v = (y + kHalfSize) / (2 * kHalfSize);
    const float hills = kHills * (0.55f + 0.45f * Noise().Fbm(u, v, 4, 4));
    const float bumps = kLaneBumps * Noise().Fbm(u + 0.37f, v + 0.61f, 16, 2);
    const float away = SmoothStep(kRampStart, kRampStart + 120.0f, fromBase);
    const float height = kFloor + ramp + away * ((1.0f - open) * hills + open * bumps);
    return std::clamp(height, -kLimit, kLimit);
}

Model3ds MakeTerrain() {
    constexpr float kCell = 2 * kHalfSize / kCells;
    Mesh grid;
    for (int j = 0; j <= kCells; ++j) {
        for (int i = 0; i <= kCells; ++i) {
            const float x = -kHalfSize + kCell * static_cast<float>(i);
            const float y = -kHalfSize + kCell * static_cast<float>(j);
            grid.Positions.push_back({x, y, TerrainHeight(x, y)});
            // The range rings are placed by u = (x + 512) / 1024 and v = (y + 512) / 1024, v
            // counted from the picture's bottom row.
            grid.TexCoords.push_back({(x + kHalfSize) / (2 * kHalfSize), 1.0f - (y + kHalfSize) / (2 * kHalfSize)});
        }
    }
    const auto at = [](int i, int j) { return static_cast<std::int32_t>(j * (kCells + 1) + i); };
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            // Counter-clockwise seen from above, so every face normal points up.
            const std::array<std::int32_t, 4> q{at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
            grid.Triangles.push_back({{q[0], q[1], q[2]}, {q[0], q[1], q[2]}});
            grid.Triangles.push_back({{q[0], q[2], q[3]}, {q[0], q[2], q[3]}});
        }
    }
    Material3ds ground{"terrain", Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(0, 0, 0), 0, 0, "terrain.jpg"};
    return {{ground}, {{"terrain", {{"terrain", std::move(grid), 1}}}}};
}

}  // namespace tools::assetgen
