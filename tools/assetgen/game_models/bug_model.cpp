#include "tools/assetgen/game_models/model_parts.h"

#include "tools/writers/mesh_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

// The bug: a beetle-like insect of abdomen, thorax and head with mandibles, antennae and six
// two-part legs. Every frame rebuilds the same shapes from a pose, so all frames share one
// topology, as the format needs.
namespace tools::assetgen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kFeetZ = -10.0f;  // the game sets the bug's origin 0.2 world units above the ground
constexpr int kRunFrames = 8;
constexpr int kAttackFrames = 6;
constexpr int kDeathFrames = 8;
constexpr std::array<float, 3> kHipX{5, 0, -5};
constexpr std::array<float, 3> kFootReach{9, 0, -9};  // how far forward each pair of legs stands

struct LegPose {
    float Swing = 0;  // degrees about the hip, forward positive
    float Lift = 0;   // how far the foot is raised
};

struct Pose {
    std::array<LegPose, 6> Legs{};  // left front, middle, rear, then right
    float Curl = 0;                 // 0 standing, 1 legs folded under a dead bug
    float BodyDrop = 0;
    float Roll = 0;                 // degrees about the body's axis
    float Pitch = 0;                // degrees, nose down positive
    float Lunge = 0;                // how far the head reaches forward
    float Bite = 0;                 // 0 mandibles open wide, 1 closed
};

Vec3 Lerp(Vec3 a, Vec3 b, float t) { return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t, a.Z + (b.Z - a.Z) * t}; }

Vec3 RotateAboutHip(Vec3 p, Vec3 hip, float degrees) {
    const float a = degrees * kPi / 180.0f;
    const float dx = p.X - hip.X;
    const float dy = p.Y - hip.Y;
    return {hip.X + dx * std::cos(a) - dy * std::sin(a), hip.Y + dx * std::sin(a) + dy * std::cos(a), p.Z};
}

void AddLeg(Mesh& bug, int index, const LegPose& leg, float curl) {
    const bool left = index < 3;
    const float side = left ? 1.0f : -1.0f;
    const auto pair = static_cast<std::size_t>(index % 3);
    const Vec3 hip{kHipX[pair], 4.5f * side, -1};
    // Forward swing turns the leg towards +x on both sides.
    const float swing = leg.Swing * side;
    Vec3 knee = RotateAboutHip({kHipX[pair] + kFootReach[pair] * 0.5f, 15 * side, 6 + leg.Lift * 0.5f}, hip, swing);
    Vec3 foot = RotateAboutHip({kHipX[pair] + kFootReach[pair], 22 * side, kFeetZ + leg.Lift}, hip, swing);
    knee = Lerp(knee, {kHipX[pair], 11 * side, 7}, curl);
    foot = Lerp(foot, {kHipX[pair] + 2, 6 * side, 9}, curl);
    const UvRect none{};
    bug.Append(MakeStrut(hip, knee, 1.3f, 5, none));
    bug.Append(MakeStrut(knee, foot, 0.9f, 5, none));
    bug.Append(Transformed(MakeEllipsoid({1.6f, 1.6f, 1.6f}, 5, 3, none), Affine::Translation(knee)));
}

// The bug in one pose; texture coordinates are filled in afterwards for all frames alike.
Mesh PosedBug(const Pose& pose) {
    const UvRect none{};
    Mesh bug;
    bug.Append(Transformed(MakeEllipsoid({14, 10, 8}, 12, 8, none), Affine::Translation({-17, 0, 2})));
    bug.Append(Transformed(MakeEllipsoid({9, 7, 6}, 10, 6, none), Affine::Translation({0, 0, 1})));
    const Vec3 head{12 + pose.Lunge, 0, 1 - pose.Lunge * 0.4f};
    bug.Append(Transformed(MakeEllipsoid({6, 5.5f, 5}, 10, 6, none), Affine::Translation(head)));
    for (const float side : {1.0f, -1.0f}) {
        const Vec3 root{head.X + 4, 2.8f * side, head.Z - 2};
        const float spread = 3.5f * (1.0f - pose.Bite);
        bug.Append(MakeStrut(root, {head.X + 10, (0.6f + spread) * side, head.Z - 3}, 0.9f, 5, none));
        const float droop = pose.Curl * 8.0f;
        bug.Append(MakeStrut({head.X + 3, 2 * side, head.Z + 3}, {head.X + 12, 8 * side, head.Z + 11 - droop}, 0.45f, 4,
                             none));
    }
    for (int leg = 0; leg < 6; ++leg) {
        AddLeg(bug, leg, pose.Legs[static_cast<std::size_t>(leg)], pose.Curl);
    }
    // The whole body leans and drops about the thorax; the planted feet of a lunge stay roughly put.
    bug.Transform(Affine::Translation({0, 0, -pose.BodyDrop})
                      .After(Affine::RotationX(pose.Roll).After(Affine::RotationY(pose.Pitch))));
    return bug;
}

// Tripod gait: front and rear legs of one side move with the middle leg of the other.
Pose RunPose(int frame) {
    Pose pose;
    const float phase = 2.0f * kPi * static_cast<float>(frame) / kRunFrames;
    for (int leg = 0; leg < 6; ++leg) {
        const bool firstTripod = (leg < 3) == (leg % 3 != 1);
        const float p = phase + (firstTripod ? 0.0f : kPi);
        pose.Legs[static_cast<std::size_t>(leg)] = {20.0f * std::sin(p), 5.0f * std::max(0.0f, std::cos(p))};
    }
    pose.BodyDrop = 0.8f * std::cos(2.0f * phase);
    pose.Bite = 0.5f;
    return pose;
}

// A lunge with the mandibles snapping shut, ending where it began so it loops.
Pose AttackPose(int frame) {
    Pose pose;
    const float t = 0.5f - 0.5f * std::cos(2.0f * kPi * static_cast<float>(frame) / kAttackFrames);
    pose.Lunge = 6.0f * t;
    pose.Pitch = 12.0f * t;
    pose.Bite = t * t;
    pose.Legs[0].Swing = pose.Legs[3].Swing = 10.0f * t;
    return pose;
}

// The legs give way, the body drops and rolls, and the legs fold: the last frame lies still.
Pose DeathPose(int frame) {
    Pose pose;
    const float t = static_cast<float>(frame) / (kDeathFrames - 1);
    const float eased = t * t * (3.0f - 2.0f * t);
    pose.Curl = eased;
    pose.BodyDrop = 4.0f * eased;
    pose.Roll = 28.0f * eased;
    pose.Pitch = -6.0f * eased;
    pose.Bite = 1.0f - 0.6f * eased;
    return pose;
}

std::string FrameName(const char* animation, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%02d", animation, number);
    return name;
}

// The skin seen from above: u along the body from tail to head, v across from the left side.
void MapFromAbove(Md2Model& model, const Mesh& rest) {
    const Bounds box = rest.ComputeBounds();
    for (const Vec3& p : rest.Positions) {
        const float u = (p.X - box.Min.X) / (box.Max.X - box.Min.X);
        const float v = (box.Max.Y - p.Y) / (box.Max.Y - box.Min.Y);
        model.TexCoords.push_back({std::clamp(u, 0.01f, 0.99f), std::clamp(v, 0.01f, 0.99f)});
    }
    for (const MeshTriangle& triangle : rest.Triangles) {
        model.Triangles.push_back({triangle.Corners, triangle.Corners});
    }
}

}  // namespace

Md2Model MakeBug() {
    Md2Model model;
    model.SkinName = "bug.jpg";
    MapFromAbove(model, PosedBug(Pose{}));
    const auto addFrames = [&](const char* name, int count, Pose (*pose)(int)) {
        for (int i = 0; i < count; ++i) {
            model.Frames.push_back({FrameName(name, i + 1), PosedBug(pose(i)).Positions});
        }
    };
    addFrames("run", kRunFrames, RunPose);
    addFrames("attack", kAttackFrames, AttackPose);
    addFrames("crdeath", kDeathFrames, DeathPose);
    return model;
}

}  // namespace tools::assetgen
