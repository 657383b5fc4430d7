#include "editor/data/texture_loader.h"

#include "editor/data/package_writer.h"
#include "tests/editor/data_gl/gl_data_fixture.h"
#include "tests/platform/bmp_builder.h"
#include "tests/platform/jpeg_encoder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace editor {
namespace {

using namespace test_images;

constexpr std::int32_t kMiddleGrey = 0x808080;

struct Level {
    GLint width = 0;
    GLint height = 0;
    Bytes rgba;
};

Level ReadLevel(std::uint32_t texture, int level) {
    Level result;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &result.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &result.height);
    result.rgba.resize(static_cast<std::size_t>(result.width) * result.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!result.rgba.empty()) {
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, result.rgba.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return result;
}

GLint BoundTexture() {
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound;
}

class TextureLoaderTest : public GLDataFixture {
protected:
    std::string Package(const std::vector<PackageRecord>& records) {
        const std::string name = PathOf("Textures.qzp");
        WritePackage(name, records);
        return name;
    }
};

TEST_F(TextureLoaderTest, CreateTextureUploadsTopRowFirstWithMipmaps) {
    const Bytes pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 0};
    const std::uint32_t texture = CreateTexture(2, 2, TextureFormat::RGBA, pixels.data());
    EXPECT_NE(texture, 0u);
    EXPECT_EQ(BoundTexture(), 0) << "left unbound";
    const Level top = ReadLevel(texture, 0);
    EXPECT_EQ(top.width, 2);
    EXPECT_EQ(top.rgba, pixels) << "the first buffer row is the row at t = 0";
    EXPECT_EQ(ReadLevel(texture, 1).width, 1) << "mipmap chain built";

    glBindTexture(GL_TEXTURE_2D, texture);
    GLint minFilter = 0;
    GLint magFilter = 0;
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(wrap, GL_REPEAT);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(TextureLoaderTest, RgbRowsOfOddWidthUploadWithoutSkew) {
    // 5 x 5: rows of 15 bytes, which a 4-byte unpack alignment would read one byte off, turning
    // blue into green. Two red rows over three blue ones; GLU shrinks it to 4 x 4.
    Bytes pixels;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            pixels.insert(pixels.end(), {std::uint8_t(y < 2 ? 255 : 0), 0, std::uint8_t(y < 2 ? 0 : 255)});
        }
    }
    GLint alignment = 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::uint32_t texture = CreateTexture(5, 5, TextureFormat::RGB, pixels.data());
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the caller's unpack alignment is restored";
    const Level level = ReadLevel(texture, 0);
    ASSERT_GT(level.width, 0);
    ASSERT_GT(level.height, 1);
    for (GLint x = 0; x < level.width; ++x) {
        const std::uint8_t* top = level.rgba.data() + 4 * x;
        const std::uint8_t* bottom = level.rgba.data() + 4 * ((level.height - 1) * level.width + x);
        EXPECT_EQ((Bytes{top[0], top[1], top[2]}), (Bytes{255, 0, 0})) << "top row, x " << x;
        EXPECT_EQ((Bytes{bottom[0], bottom[1], bottom[2]}), (Bytes{0, 0, 255})) << "bottom row, x " << x;
    }
}

TEST_F(TextureLoaderTest, TextureCoordinatesUpToThreeRepeatThreeTimes) {
    // Left half red, right half blue, drawn over the whole view with s running from 0 to 3.
    const Bytes pixels = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    const std::uint32_t texture = CreateTexture(4, 1, TextureFormat::RGB, pixels.data());
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(3, 0);
    glVertex2f(1, -1);
    glTexCoord2f(3, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    const double period = m_gl->Width() / 3.0;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(PixelAt(static_cast<int>((k + 0.25) * period), 32), 0xFF0000FFu) << "period " << k;
        EXPECT_EQ(PixelAt(static_cast<int>((k + 0.75) * period), 32), 0x0000FFFFu) << "period " << k;
    }
}

Bytes GreyPairBmp() {
    BmpDesc desc = Desc(2, 1, 24, 0);
    desc.pixels = Rows({{128, 128, 128, 129, 128, 128}});
    return MakeBmp(desc);
}

TEST_F(TextureLoaderTest, LoadsBmpWithTheKeyColourAndJpgByExtensionInAnyCase) {
    const Bytes jpeg = EncodeJpeg(5, 3, JCS_RGB, 3, Bytes(5 * 3 * 3, 200));
    const std::string package = Package({{"grey.bmp", GreyPairBmp()}, {"Photo.JPG", jpeg}});
    std::uint32_t texture = 0;
    ASSERT_TRUE(LoadTexture(package, "GREY.BMP", texture, 0, kMiddleGrey));
    ASSERT_NE(texture, 0u);
    const Level bmp = ReadLevel(texture, 0);
    ASSERT_EQ(bmp.width, 2);
    EXPECT_EQ(bmp.rgba, (Bytes{128, 128, 128, 0, 128, 128, 129, 255}));

    std::uint32_t photo = 0;
    ASSERT_TRUE(LoadTexture(package, "photo.jpg", photo, 0, kMiddleGrey));
    EXPECT_NE(photo, texture);
    const Level jpg = ReadLevel(photo, 0);
    EXPECT_GT(jpg.width, 0);
    EXPECT_EQ(jpg.rgba[3], 255) << "JPEG textures are opaque";
    EXPECT_NEAR(jpg.rgba[0], 200, 4);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(TextureLoaderTest, QualityScalesTheUploadedSize) {
    BmpDesc desc = Desc(256, 128, 8, 0);
    desc.palette = {kRed};
    desc.pixels = Bytes(256 * 128, 0);
    const std::string package = Package({{"big.bmp", MakeBmp(desc)}});
    std::uint32_t texture = 0;
    ASSERT_TRUE(LoadTexture(package, "big.bmp", texture, 2, kMiddleGrey));
    const Level level = ReadLevel(texture, 0);
    EXPECT_EQ(level.width, 128);
    EXPECT_EQ(level.height, 64);
}

TEST_F(TextureLoaderTest, OtherExtensionsLoadNothingAndSayNothing) {
    const std::string package = Package({{"a.jpeg", EncodeJpeg(1, 1, JCS_RGB, 3, {1, 2, 3})}});
    std::uint32_t texture = 77;
    EXPECT_FALSE(LoadTexture(package, "a.jpeg", texture, 0, kMiddleGrey));
    EXPECT_FALSE(LoadTexture(package, "bmp", texture, 0, kMiddleGrey));
    EXPECT_EQ(texture, 77u);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(TextureLoaderTest, FailuresShowTheUnitBoxAndKeepTheTexture) {
    const Bytes bmp = GreyPairBmp();
    const std::string package = Package({{"broken.bmp", Bytes{'B', 'M', 1, 2, 3}},
                                         {"broken.jpg", bmp},
                                         {"cut.bmp", Bytes(bmp.begin(), bmp.end() - 3)}});
    std::uint32_t texture = 77;
    EXPECT_FALSE(LoadTexture(package, "broken.bmp", texture, 0, kMiddleGrey));
    EXPECT_FALSE(LoadTexture(package, "cut.bmp", texture, 0, kMiddleGrey));
    EXPECT_FALSE(LoadTexture(package, "broken.jpg", texture, 0, kMiddleGrey));
    EXPECT_EQ(texture, 77u);
    EXPECT_EQ(m_messages, (std::vector<std::string>{"BMP Unit|Couldn't load BMP from stream",
                                                    "BMP Unit|Couldn't load BMP from stream",
                                                    "JPG Unit|Couldn't load JPG from stream"}));

    m_messages.clear();
    EXPECT_FALSE(LoadTexture(package, "absent.jpg", texture, 0, kMiddleGrey));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].rfind("Error|Record \"absent.jpg\" not found in ", 0), 0u) << m_messages[0];
    EXPECT_EQ(m_messages[1], "JPG Unit|Couldn't load JPG from stream");
    EXPECT_EQ(texture, 77u);
}

}  // namespace
}  // namespace editor
