#include "editor/data/mesh_table.h"
#include "editor/data/qzm_mesh.h"
#include "editor/data/texture_loader.h"

#include "tests/editor/data_gl/gl_data_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace editor {
namespace {

// A square from (x0, y0) to (x0 + 2, y0 + 2) at z = 0, with a fifth, unused vertex at (2, 2, 1)
// so every axis scales by 0.5 or 1. Face normals face the viewer, vertex normals face away.
std::string Square(float x0, float y0) {
    const auto vertex = [](float x, float y, float z) {
        return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + "\n";
    };
    return "New object\nnumverts numfaces\n5 2\nVertex list:\n" + vertex(x0, y0, 0) + vertex(x0 + 2, y0, 0) +
           vertex(x0 + 2, y0 + 2, 0) + vertex(x0, y0 + 2, 0) + vertex(2, 2, 1) +
           "Face list:\n\n1 2 3\n1 3 4\nFace normals:\n\n0 0 1\n0 0 1\nVertex normals:\n\n"
           "0 0 -1\n0 0 -1\n0 0 -1\n0 0 -1\n0 0 -1\n";
}

// Texture corners: the square's top edge (v = 1) samples the picture's top row.
const std::string kTexture =
    "New Texture:\n\n4 2\nTexture vertices:\n0 0 0\n1 0 0\n1 1 0\n0 1 0\nTexture faces:\n\n1 2 3\n1 3 4\n";

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0x000000FF;

class QzmDrawTest : public GLDataFixture {
protected:
    // Pixels inside the upper-right and lower-left quadrants of the 64 x 64 view.
    std::uint32_t UpperRight() const { return PixelAt(48, 48); }
    std::uint32_t LowerLeft() const { return PixelAt(16, 16); }

    void Clear() { glClear(GL_COLOR_BUFFER_BIT); }
};

TEST_F(QzmDrawTest, ScaleMapsTheLargestCoordinateToOne) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(Square(0, 0));
    mesh.Draw();
    EXPECT_EQ(UpperRight(), kWhite);
    EXPECT_EQ(PixelAt(60, 60), kWhite);
    EXPECT_EQ(LowerLeft(), kBlack);
    EXPECT_EQ(PixelAt(16, 48), kBlack);
    EXPECT_EQ(mesh.CurrentScale, (QzmVector{0.5f, 0.5f, 1.0f}));

    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[0], 1.0f) << "the modelview matrix is restored";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(QzmDrawTest, TextureCoordinatesFlipVForTopRowFirstTextures) {
    // Eight rows, the top four red, so linear filtering stays inside one colour at t = 1/4 and 3/4.
    std::vector<std::uint8_t> topRedBottomBlue;
    for (int row = 0; row < 8; ++row) {
        topRedBottomBlue.insert(topRedBottomBlue.end(),
                                {std::uint8_t(row < 4 ? 255 : 0), 0, std::uint8_t(row < 4 ? 0 : 255)});
    }
    const std::uint32_t texture = CreateTexture(1, 8, TextureFormat::RGB, topRedBottomBlue.data());
    TGLMultyMesh mesh;
    mesh.LoadFromText(Square(0, 0) + kTexture);
    ASSERT_TRUE(mesh.Textured());
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    mesh.Draw();
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(PixelAt(48, 56), 0xFF0000FFu) << "upper part of the square";
    EXPECT_EQ(PixelAt(48, 39), 0x0000FFFFu) << "lower part of the square";
}

TEST_F(QzmDrawTest, FlatUsesFaceNormalsSmoothUsesVertexNormals) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(Square(0, 0));
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    mesh.Draw();
    const std::uint32_t flat = UpperRight() >> 24;
    Clear();
    mesh.Smooth = true;
    mesh.Draw();
    const std::uint32_t smooth = UpperRight() >> 24;
    glDisable(GL_LIGHTING);
    EXPECT_GT(flat, 150u) << "lit from the front";
    EXPECT_LT(smooth, 80u) << "normals facing away get only ambient light";
}

TEST_F(QzmDrawTest, DrawMeshPicksTheObjectOrTheFirst) {
    TMeshTable table;
    const int slot = table.LoadMesh(WriteText("Temp.qzm", Square(0, 0) + Square(-2, -2)));
    ASSERT_EQ(slot, 0);
    const auto drawn = [&](int objectIndex) {
        Clear();
        table.DrawMesh(slot, objectIndex, false);
        return std::make_pair(UpperRight() == kWhite, LowerLeft() == kWhite);
    };
    EXPECT_EQ(drawn(1), std::make_pair(false, true));
    EXPECT_EQ(drawn(0), std::make_pair(true, false));
    EXPECT_EQ(drawn(2), std::make_pair(true, false)) << "an index past the objects draws the first";
    EXPECT_EQ(drawn(-1), std::make_pair(true, false));
    EXPECT_FALSE(table.Mesh(slot)->Smooth);
}

TEST_F(QzmDrawTest, AnimateStepsThroughTheObjectsOtherwiseTheFirstStays) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(Square(0, 0) + Square(-2, -2));
    for (int i = 0; i < 2; ++i) {
        Clear();
        mesh.Draw();
        EXPECT_EQ(UpperRight(), kWhite);
        EXPECT_EQ(LowerLeft(), kBlack);
    }
    mesh.Animate = true;
    const std::vector<std::int32_t> expected = {1, 0, 1};
    for (std::int32_t next : expected) {
        mesh.Draw();
        EXPECT_EQ(mesh.Current, next);
    }
}

TEST_F(QzmDrawTest, NothingToDrawLeavesTheViewAlone) {
    TMeshTable table;
    const int empty = table.LoadMesh(WriteText("empty.qzm", "no sections at all\n"));
    ASSERT_EQ(empty, 0);
    table.DrawMesh(empty, 0, false);
    table.DrawMesh(-1, 0, false);
    table.DrawMesh(7, 0, false);
    TGLMultyMesh never;
    never.Draw();
    EXPECT_EQ(UpperRight(), kBlack);
    EXPECT_EQ(LowerLeft(), kBlack);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace editor
