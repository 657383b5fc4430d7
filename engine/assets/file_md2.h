#pragma once

#include "engine/core/vector_math.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {

// An MD2 file the reader refuses: beyond its limits, an index outside its table, a frame without a
// name. A stream shorter than its header promises throws EReadError instead.
class EMD2Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace md2_limits {
inline constexpr int MaxSkins = 32;
inline constexpr int MaxTexCoords = 2048;
inline constexpr int MaxFrameSize = 8320;
inline constexpr int MaxVertices = 2070;
// Quake II's own limits. Every frame's normals are built from every triangle, so the two counts
// bound a load's work: a small file naming many of both would otherwise take minutes.
inline constexpr int MaxTriangles = 4096;
inline constexpr int MaxFrames = 512;
}  // namespace md2_limits

// One corner of a triangle: a vertex index and its texture coordinate in 0..1 of the skin.
struct TMD2Corner {
    std::int32_t VertexIndex = 0;
    float S = 0.0f;
    float T = 0.0f;
};

// An animation found in the frame names: its name and first frame.
struct TMD2AnimationName {
    std::string Name;
    int FirstFrame = 0;
};

// A Quake II model: triangles with their corners reversed, each frame's vertex positions, and
// the animations named by the frames.
class TFileMD2 {
public:
    // Reads the header and the sections after it in order; the header's offsets are not used.
    // A failure leaves the previous content.
    void LoadFromStream(std::span<const std::uint8_t> stream);

    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int VertexCount() const { return m_vertexCount; }
    int TriangleCount() const { return static_cast<int>(m_triangles.size()); }
    const std::vector<std::array<TMD2Corner, 3>>& Triangles() const { return m_triangles; }
    const std::vector<std::vector<TVec3>>& Frames() const { return m_frames; }
    const std::vector<TMD2AnimationName>& Animations() const { return m_animations; }

private:
    int m_vertexCount = 0;
    std::vector<std::array<TMD2Corner, 3>> m_triangles;
    std::vector<std::vector<TVec3>> m_frames;
    std::vector<TMD2AnimationName> m_animations;
};

// The animation a frame name belongs to: the name up to its first NUL, trimmed of blanks and
// control characters, less its last two characters when the second-to-last is a digit, else less
// its last one ("run01" and "run12" give "run", "attack9" "attack", "pain" "pai").
std::string AnimationNameOfFrame(const std::string& frameName);

}  // namespace engine
