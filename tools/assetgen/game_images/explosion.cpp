#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/shaping.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tools::assetgen {
namespace {

using namespace boom_layout;

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kMaxRadius = 53.0f;
// Nothing is drawn beyond this distance from a frame's centre, so neighbouring frames never show
// at the edges of the one drawn, even after the texture is resized and filtered.
constexpr float kFrameReach = 56.0f;
constexpr int kSparks = 28;

struct Spark {
    float Angle;
    float Speed;  // fraction of the frame reach travelled over the whole animation
    float Size;
};

const ColourRamp& FireRamp() {
    static const ColourRamp ramp{{0.0f, Rgb(0, 0, 0)},         {0.12f, Rgb(70, 8, 0)},
                                 {0.3f, Rgb(190, 48, 4)},      {0.5f, Rgb(250, 130, 24)},
                                 {0.72f, Rgb(255, 214, 100)},  {1.0f, Rgb(255, 252, 236)}};
    return ramp;
}

class ExplosionPainter {
public:
    ExplosionPainter() : m_noise(0xb00e) {
        SeededRandom random(0xb00f);
        for (int i = 0; i < kSparks; ++i) {
            m_sparks.push_back({random.Range(0.0f, kTwoPi), random.Range(0.55f, 1.0f), random.Range(1.0f, 2.2f)});
        }
    }

    // The colour at (x, y) pixels from the frame's centre, at age 0..1.
    Colour At(float x, float y, float age) const {
        const float r = std::hypot(x, y);
        if (r > kFrameReach) {
            return {};
        }
        const float taper = SmoothStep(kFrameReach, kFrameReach - 8.0f, r);
        return FireRamp().At(std::min(1.0f, (Fire(x, y, r, age) + Sparks(x, y, age)) * taper));
    }

private:
    float Fire(float x, float y, float r, float age) const {
        const float radius = 10.0f + (kMaxRadius - 10.0f) * (1.0f - std::pow(1.0f - age, 4.0f));
        const float around = (std::atan2(y, x) + std::numbers::pi_v<float>) / kTwoPi;
        // Turbulence that streams outwards as the ball grows; around the centre it wraps, so no seam.
        const float turbulence = m_noise.Fbm(around, r / 90.0f - age * 0.6f, 9, 4);
        const float edge = r / (radius * (0.78f + 0.28f * turbulence));
        float heat = std::clamp(1.0f - edge, 0.0f, 1.0f) * (1.15f + 0.5f * turbulence);
        // Late on the middle burns out first, leaving a ragged ring of embers.
        heat *= 1.0f - age * age * SmoothStep(0.75f, 0.1f, edge) * 0.85f;
        const float flash = 1.0f + 0.6f * SmoothStep(0.12f, 0.0f, age);
        // The ball cools to almost nothing, so the sprite's removal after its last frame is not seen.
        const float cooling = 1.0f - 0.93f * SmoothStep(0.1f, 1.0f, age);
        return heat * flash * cooling;
    }

    float Sparks(float x, float y, float age) const {
        float glow = 0;
        for (const Spark& spark : m_sparks) {
            const float travelled = kFrameReach * 0.9f * spark.Speed * std::sqrt(age);
            const float dx = x - std::cos(spark.Angle) * travelled;
            const float dy = y - std::sin(spark.Angle) * travelled;
            const float d = std::hypot(dx, dy);
            glow += SmoothStep(spark.Size + 1.0f, spark.Size * 0.3f, d) * (1.0f - 0.75f * age);
        }
        return glow * 0.8f;
    }

    TileableNoise m_noise;
    std::vector<Spark> m_sparks;
};

}  // namespace

Canvas MakeExplosionSheet() {
    const ExplosionPainter painter;
    Canvas canvas(kFramesPerRow * kFrameSide, kRows * kFrameSide);
    for (std::int32_t frame = 0; frame <= kLastFrame; ++frame) {
        const std::int32_t left = frame % kFramesPerRow * kFrameSide;
        const std::int32_t top = frame / kFramesPerRow * kFrameSide;
        const float age = static_cast<float>(frame) / kLastFrame;
        const float half = kFrameSide * 0.5f;
        canvas.PaintRegion(left, top, left + kFrameSide, top + kFrameSide, [&](float s, float t) {
            return painter.At(s * kFrameSide - half, t * kFrameSide - half, age);
        });
    }
    return canvas;
}

}  // namespace tools::assetgen
