#include "editor/data/qzm_mesh.h"

#include "editor/data/qzm_parser.h"
#include "tests/editor/data/qzm_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace editor {
namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

template <typename Error>
std::string MessageOf(const std::string& text) {
    try {
        ParseQzm(text);
    } catch (const Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return {};
}

TEST(QzmReader, ReadsAnObjectAndItsTexture) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(qzm_samples::TexturedObject());
    ASSERT_EQ(mesh.Objects().size(), 1u);
    const TGLMesh& object = *mesh.Objects()[0];
    EXPECT_EQ(object.VertexCount, 4);
    EXPECT_EQ(object.FaceCount, 2);
    EXPECT_EQ(object.Vertices[2], (QzmVector{0, 4, 0}));
    EXPECT_EQ(object.Faces[0], (QzmTriangle{0, 1, 2}));
    EXPECT_EQ(object.Faces[1], (QzmTriangle{0, 2, 3}));
    EXPECT_EQ(object.FaceNormals[1], (QzmVector{1, 0, 0}));
    EXPECT_EQ(object.VertexNormals[3], (QzmVector{-1, 0, 0}));
    EXPECT_EQ(object.Scale, (QzmVector{0.5f, 0.25f, 2.0f}));
    EXPECT_EQ(object.Owner, &mesh);

    EXPECT_TRUE(mesh.Textured());
    EXPECT_EQ(mesh.TexVertexCount(), 3);
    EXPECT_EQ(mesh.TexFaceCount(), 2);
    EXPECT_EQ(mesh.TexVertices()[2], (QzmVector{0, 0.25f, 0}));
    EXPECT_EQ(mesh.TexFaces()[1], (QzmTriangle{2, 1, 0}));
    EXPECT_EQ(mesh.Current, 0);
    EXPECT_FALSE(mesh.Animate);
}

TEST(QzmReader, LineEndsAndSkippedLinesDoNotMatter) {
    const std::string lf = qzm_samples::TexturedObject();
    const std::string padded =
        "header line\n" + Replace(lf, "numverts numfaces\n", "any\nnumber of\nlines\nnumverts numfaces\n");
    for (const std::string& text : {ReplaceAll(lf, "\n", "\r\n"), ReplaceAll(lf, "\n", "\r"), padded}) {
        TGLMultyMesh mesh;
        mesh.LoadFromText(text);
        ASSERT_EQ(mesh.Objects().size(), 1u);
        EXPECT_EQ(mesh.Objects()[0]->Faces[1], (QzmTriangle{0, 2, 3}));
        EXPECT_EQ(mesh.Objects()[0]->VertexNormals[3], (QzmVector{-1, 0, 0}));
        EXPECT_TRUE(mesh.Textured());
    }
}

TEST(QzmReader, ScaleTakesTheLargestCoordinateTogetherWithZero) {
    const std::string negative =
        ReplaceAll(ReplaceAll(qzm_samples::Object(), "0 0 0.5", "0 0 -0.5"), "0 0 0\n2 0 0", "0 0 -1\n2 0 -3");
    const auto content = ParseQzm(negative);
    EXPECT_EQ(content.Objects[0]->Scale.X, 0.5f);
    EXPECT_TRUE(std::isinf(content.Objects[0]->Scale.Z)) << "all z negative divides by the zero it starts from";

    const auto empty = ParseQzm("New object\nno counts line follows\n");
    ASSERT_EQ(empty.Objects.size(), 1u);
    EXPECT_EQ(empty.Objects[0]->VertexCount, 0);
    EXPECT_TRUE(empty.Objects[0]->Faces.empty());
}

TEST(QzmReader, TextureSectionNeedsItsExactMarker) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(qzm_samples::Object() + qzm_samples::Texture("Texture Vertices:"));
    EXPECT_FALSE(mesh.Textured());
    EXPECT_EQ(mesh.TexVertexCount(), 3) << "the counts were read";
    EXPECT_TRUE(mesh.TexFaces().empty());

    // A later section replaces an earlier one, here an untextured one a textured one.
    mesh.LoadFromText(qzm_samples::TexturedObject() + qzm_samples::Texture("texture vertices:"));
    EXPECT_FALSE(mesh.Textured());
}

TEST(QzmReader, SeveralObjectsAreFramesInFileOrder) {
    const std::string second = ReplaceAll(qzm_samples::Object(), "2 0 0", "8 0 0");
    TGLMultyMesh mesh;
    mesh.LoadFromText(qzm_samples::Object() + second + qzm_samples::Texture());
    ASSERT_EQ(mesh.Objects().size(), 2u);
    EXPECT_EQ(mesh.Objects()[0]->Scale.X, 0.5f);
    EXPECT_EQ(mesh.Objects()[1]->Scale.X, 0.125f);
    EXPECT_EQ(mesh.Objects()[1]->Owner, &mesh);
}

TEST(QzmReader, NumbersFollowTheTextFileRules) {
    const std::string signs = Replace(Replace(qzm_samples::Object(), "2 0 0", "+2 0e0 0"), "1 2 3", "+1 2 3");
    EXPECT_EQ(ParseQzm(signs).Objects[0]->Vertices[1], (QzmVector{2, 0, 0}));
    EXPECT_EQ(ParseQzm(Replace(qzm_samples::Object(), "2 0 0", "2.5e1 .5 -1.")).Objects[0]->Vertices[1],
              (QzmVector{25, 0.5f, -1}));

    for (const auto& [from, to] :
         std::initializer_list<std::pair<std::string, std::string>>{{"2 0 0", "2 0 zero"},
                                                                    {"2 0 0", "2 0"},
                                                                    {"2 0 0", "2 0 inf"},
                                                                    {"2 0 0", "2,5 0 0"},
                                                                    {"1 2 3", "1.0 2 3"},
                                                                    {"1 2 3", "1 2 3x"},
                                                                    {"4 2", "4"},
                                                                    {"4 2", "99999999999 2"}}) {
        EXPECT_EQ(MessageOf<QzmNumericError>(Replace(qzm_samples::Object(), from, to)), "Invalid numeric input") << to;
    }
}

TEST(QzmReader, RefusesNumbersOutsideTheirLists) {
    EXPECT_NE(MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "1 3 4", "1 3 5")).find("vertex number 5"),
              std::string::npos);
    MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "1 2 3", "0 2 3"));
    MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "1 2 3", "-1 2 3"));
    MessageOf<QzmContentError>(Replace(qzm_samples::TexturedObject(), "3 2 1", "3 2 4"));
    // Texture triangle i textures triangle i: fewer texture triangles than triangles is refused.
    const std::string fewer =
        Replace(Replace(qzm_samples::TexturedObject(), "3 2\nTexture", "3 1\nTexture"), "1 2 3\n3 2 1\n", "1 2 3\n");
    EXPECT_NE(MessageOf<QzmContentError>(fewer).find("only 1"), std::string::npos);
    // Untextured, the texture triangles are never used, so their count does not matter.
    EXPECT_NO_THROW(ParseQzm(Replace(qzm_samples::Object() + qzm_samples::Texture("x"), "3 2\nx", "3 1\nx")));
}

TEST(QzmReader, RefusesCountsTheFileCannotHold) {
    // Neither count may make the reader allocate more items than the file has lines.
    MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "4 2", "2000000000 2"));
    MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "4 2", "4 2000000000"));
    MessageOf<QzmContentError>(Replace(qzm_samples::Object(), "4 2", "-4 2"));
    MessageOf<QzmContentError>(Replace(qzm_samples::TexturedObject(), "3 2\n", "2000000000 2\n"));
    MessageOf<QzmContentError>(Replace(qzm_samples::TexturedObject(), "3 2\n", "3 -2\n"));
}

TEST(QzmReader, EveryTruncationIsReadOrRefusedNeverReadPast) {
    const std::string whole = qzm_samples::TexturedObject();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        try {
            TGLMultyMesh mesh;
            mesh.LoadFromText(std::string_view(whole).substr(0, size));
            for (const auto& object : mesh.Objects()) {
                EXPECT_EQ(object->Vertices.size(), static_cast<std::size_t>(object->VertexCount));
                EXPECT_EQ(object->Faces.size(), static_cast<std::size_t>(object->FaceCount));
            }
        } catch (const QzmError&) {
        }
    }
}

TEST(QzmReader, FailedLoadKeepsTheMeshAsItWas) {
    TGLMultyMesh mesh;
    mesh.LoadFromText(qzm_samples::TexturedObject());
    EXPECT_THROW(mesh.LoadFromText(Replace(qzm_samples::Object(), "1 2 3", "1 2 9")), QzmContentError);
    ASSERT_EQ(mesh.Objects().size(), 1u);
    EXPECT_EQ(mesh.Objects()[0]->FaceCount, 2);
    EXPECT_TRUE(mesh.Textured());
}

}  // namespace
}  // namespace editor
