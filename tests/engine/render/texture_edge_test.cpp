#include "engine/render/texture_edge.h"

#include <GL/glext.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using Texel = std::array<std::uint8_t, 4>;

constexpr Texel kBlack{0, 0, 0, 255};
constexpr Texel kClearWhite{255, 255, 255, 0};
constexpr Texel kWhite{255, 255, 255, 255};

// 4 x 4 RGBA rows: a white inside, the edge texels alternating between the two given.
std::vector<std::uint8_t> Framed(const Texel& edge, const Texel& otherEdge) {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool inside = x > 0 && x < 3 && y > 0 && y < 3;
            const Texel& t = inside ? kWhite : ((x + y) % 2 == 0 ? edge : otherEdge);
            rgba.insert(rgba.end(), t.begin(), t.end());
        }
    }
    return rgba;
}

// Beyond the edge an additive pass adds the texel's colour times its alpha, as far as the format
// keeps either; a compressed edge is not known.
TEST(TextureEdge, GivesNoLightOnlyWhereTheStoredEdgeIsBlackOrTransparent) {
    const struct {
        const char* what;
        GLenum format;
        Texel edge;
        Texel otherEdge;
        bool noLight;
    } cases[] = {
        {"black", GL_RGBA8, kBlack, kBlack, true},
        {"black, 16 bits", GL_RGBA4, kBlack, kBlack, true},
        {"black without alpha", GL_RGB8, kBlack, kBlack, true},
        {"black luminance", GL_LUMINANCE8, kBlack, kBlack, true},
        {"one grey texel", GL_RGBA8, kBlack, Texel{1, 0, 0, 255}, false},
        {"transparent", GL_RGBA8, kClearWhite, kClearWhite, true},
        {"transparent luminance", GL_LUMINANCE8_ALPHA8, kClearWhite, kClearWhite, true},
        {"black and transparent mixed by filtering", GL_RGBA8, kBlack, kClearWhite, false},
        {"transparent, but alpha not kept", GL_RGB8, kClearWhite, kClearWhite, false},
        {"transparent, but intensity is its own alpha", GL_INTENSITY8, kClearWhite, kClearWhite, false},
        {"alpha only: colour from the fragment", GL_ALPHA8, kBlack, kBlack, false},
        {"alpha only, transparent", GL_ALPHA8, kClearWhite, kClearWhite, true},
        {"compressed black", GL_COMPRESSED_RGBA, kBlack, kBlack, false},
        {"compressed transparent alpha", GL_COMPRESSED_ALPHA, kClearWhite, kClearWhite, false},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> rgba = Framed(c.edge, c.otherEdge);
        EXPECT_EQ(engine::EdgeGivesNoLight(c.format, rgba.data(), 4, 4), c.noLight) << c.what;
    }
    EXPECT_FALSE(engine::EdgeGivesNoLight(GL_RGBA8, nullptr, 0, 0)) << "an empty picture";
}

}  // namespace
