#include "engine/render/image_registry.h"
#include "engine/material/material_errors.h"
#include "engine/material/material_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using engine::TGLMaterialLibrary;

TEST(TexturePaths, PiecesAreTrimmedBlankOnesDroppedAndSeparatorsAppended) {
    EXPECT_EQ(engine::ParseTexturePaths("textures; ;maps\\"), (std::vector<std::string>{"textures\\", "maps\\"}));
    EXPECT_EQ(engine::ParseTexturePaths("  a ;;b/"), (std::vector<std::string>{"a\\", "b/"}));
    EXPECT_TRUE(engine::ParseTexturePaths("").empty());
    EXPECT_TRUE(engine::ParseTexturePaths(" ; ;").empty());

    TGLMaterialLibrary library;
    library.SetTexturePaths("textures");
    EXPECT_EQ(library.TexturePathList().size(), 1u);
    library.SetTexturePaths("");
    EXPECT_TRUE(library.TexturePathList().empty());
}

// Runs in a fresh folder made current, with a reader for ".texturetest" files: a 1 x 1 picture
// whose red byte is the file's first byte; an empty file is bad data.
class TextureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = fs::current_path();
        m_root = fs::temp_directory_path() / ("texture_paths_test_" + std::to_string(::getpid()));
        fs::create_directories(m_root);
        fs::current_path(m_root);
        engine::RegisterImageFormat({"texturetest", "test pictures", [](std::span<const std::uint8_t> data) {
                                         if (data.empty()) {
                                             throw std::runtime_error("empty test picture");
                                         }
                                         platform::Image image;
                                         image.Width = 1;
                                         image.Height = 1;
                                         image.Pixels = {data[0], 0, 0, 255};
                                         return image;
                                     }});
    }
    void TearDown() override {
        fs::current_path(m_previous);
        fs::remove_all(m_root);
    }
    static void Write(const fs::path& path, const std::string& content) {
        if (path.has_parent_path()) {
            fs::create_directories(path.parent_path());
        }
        std::ofstream(path, std::ios::binary) << content;
    }

    fs::path m_previous;
    fs::path m_root;
};

TEST_F(TextureFiles, ThePrefixesAreTriedInOrder) {
    Write("first/both.texturetest", "1");
    Write("second/both.texturetest", "2");
    Write("second/only.texturetest", "2");
    TGLMaterialLibrary library;
    library.SetTexturePaths("first;second");
    EXPECT_EQ(library.ResolveTextureFileName("both.texturetest"), "first\\both.texturetest");
    EXPECT_EQ(library.ResolveTextureFileName("only.texturetest"), "second\\only.texturetest");
    EXPECT_EQ(library.ResolveTextureFileName("none.texturetest"), "none.texturetest");
}

TEST_F(TextureFiles, AbsoluteNamesAreNotCombined) {
    Write("first/x.texturetest", "1");
    Write("first/c:/x.texturetest", "1");
    TGLMaterialLibrary library;
    library.SetTexturePaths("first");
    EXPECT_EQ(library.ResolveTextureFileName("\\x.texturetest"), "\\x.texturetest");
    EXPECT_EQ(library.ResolveTextureFileName("/x.texturetest"), "/x.texturetest");
    EXPECT_EQ(library.ResolveTextureFileName("c:\\x.texturetest"), "c:\\x.texturetest");
}

TEST_F(TextureFiles, OnTextureNeededRenamesBeforeThePrefixes) {
    Write("maps/Ring.texturetest", "r");
    TGLMaterialLibrary library;
    library.SetTexturePaths("maps");
    std::string asked;
    library.OnTextureNeeded = [&](TGLMaterialLibrary& sender, std::string& name) {
        EXPECT_EQ(&sender, &library);
        asked = name;
        name = "Ring.texturetest";
    };
    EXPECT_EQ(library.ResolveTextureFileName("ring.jpg"), "maps\\Ring.texturetest");
    EXPECT_EQ(asked, "ring.jpg");
}

TEST_F(TextureFiles, ALibraryMaterialLoadsItsPictureThroughTheLibraryPaths) {
    Write("Textures/Terrain.texturetest", "T");
    TGLMaterialLibrary library;
    library.SetTexturePaths("textures");  // letter case differs from the folder on disk
    engine::TGLTexture& texture = library.Materials().Add("terrain").Material().Texture();
    texture.LoadImageFromFile("terrain.texturetest");
    ASSERT_EQ(texture.Image().Width, 1);
    EXPECT_EQ(texture.Image().Pixels[0], 'T');
    EXPECT_TRUE(texture.IsChanged());
}

TEST_F(TextureFiles, AMissingFileEmptiesThePictureAndNamesTheFileAsGiven) {
    Write("textures/a.texturetest", "A");
    TGLMaterialLibrary library;
    library.SetTexturePaths("textures");
    engine::TGLTexture& texture = library.Materials().Add().Material().Texture();
    texture.LoadImageFromFile("a.texturetest");
    try {
        texture.LoadImageFromFile("gone.texturetest");
        FAIL() << "no error";
    } catch (const engine::EGLTextureException& e) {
        EXPECT_STREQ(e.what(), "Could not open file: gone.texturetest");
    }
    EXPECT_EQ(texture.Image().Width, 0);
    EXPECT_TRUE(texture.Image().Pixels.empty());
}

TEST_F(TextureFiles, AReaderErrorKeepsThePreviousPicture) {
    Write("a.texturetest", "A");
    Write("bad.texturetest", "");
    engine::TGLTexture texture;
    texture.LoadImageFromFile("a.texturetest");
    EXPECT_THROW(texture.LoadImageFromFile("bad.texturetest"), std::runtime_error);
    ASSERT_EQ(texture.Image().Width, 1);
    EXPECT_EQ(texture.Image().Pixels[0], 'A');
}

}  // namespace
