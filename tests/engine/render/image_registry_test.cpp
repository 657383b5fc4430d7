#include "engine/render/image_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace engine {
namespace {

namespace fs = std::filesystem;

// A reader for tests: a 1 x 1 picture whose red byte is the file's first byte and whose green
// byte tells which reader ran; an empty file is bad data.
class ReaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

ImageReader TestReader(std::uint8_t marker) {
    return [marker](std::span<const std::uint8_t> data) {
        if (data.empty()) {
            throw ReaderError("empty test image");
        }
        platform::Image image;
        image.Width = 1;
        image.Height = 1;
        image.Pixels = {data[0], marker, 0, 255};
        return image;
    };
}

class ImageRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() / ("image_registry_test_" + std::to_string(::getpid()));
        fs::create_directories(m_root / "Textures");
        RegisterImageFormat({"tst", "Test picture", TestReader(1)});
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(m_root / relative, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (m_root / relative).string();
    }
    std::string Root() const { return m_root.string(); }

    fs::path m_root;
};

TEST(ImageExtension, IsTheLowerCaseTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(ImageExtension("textures\\Gui_Bar.DDS"), "dds");
    EXPECT_EQ(ImageExtension("models/terrain.tex.Jpeg"), "jpeg");
    EXPECT_EQ(ImageExtension("some.folder/noextension"), "");
    EXPECT_EQ(ImageExtension("some.folder\\noextension"), "");
    EXPECT_EQ(ImageExtension("trailing."), "");
    EXPECT_EQ(ImageExtension(""), "");
}

void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A 2 x 1 24-bit Windows bitmap: a red pixel, then a blue one.
std::vector<std::uint8_t> TinyBmp() {
    std::vector<std::uint8_t> bytes{'B', 'M'};
    AppendU32(bytes, 62);
    AppendU32(bytes, 0);
    AppendU32(bytes, 54);
    for (std::uint32_t field : {40u, 2u, 1u}) {
        AppendU32(bytes, field);
    }
    bytes.insert(bytes.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i) {
        AppendU32(bytes, 0);
    }
    bytes.insert(bytes.end(), {0, 0, 255, 255, 0, 0, 0, 0});
    return bytes;
}

TEST_F(ImageRegistryTest, JpegAndBmpAreThereFromTheStart) {
    ASSERT_TRUE(FindImageFormat("jpg").has_value());
    ASSERT_TRUE(FindImageFormat("jpeg").has_value());
    ASSERT_TRUE(FindImageFormat("bmp").has_value());
    EXPECT_EQ(FindImageFormat("JPG")->Description, "JPEG Image File");
    EXPECT_EQ(FindImageFormat("jpeg")->Description, "JPEG Image File");

    const platform::Image image = LoadImageFile(Write("Tiny.Bmp", TinyBmp()));
    ASSERT_EQ(image.Width, 2);
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{255, 0, 0, 255, 0, 0, 255, 255}));
    EXPECT_THROW(LoadImageFile(Write("broken.jpg", {0xFF, 0xD8, 0xFF})), platform::ImageError);
}

TEST_F(ImageRegistryTest, FindsFormatsWhateverTheCaseOrDot) {
    ASSERT_TRUE(FindImageFormat(".TST").has_value());
    EXPECT_EQ(FindImageFormat("tSt")->Description, "Test picture");
    EXPECT_EQ(FindImageFormat("tst")->Extension, "tst");
    EXPECT_FALSE(FindImageFormat("nosuchformat").has_value());
    EXPECT_FALSE(FindImageFormat("").has_value());
}

TEST_F(ImageRegistryTest, RegisteringAnExtensionAgainReplacesItsReader) {
    RegisterImageFormat({"TST2", "First", TestReader(1)});
    RegisterImageFormat({".tst2", "Second", TestReader(2)});
    int count = 0;
    for (const ImageFormat& format : RegisteredImageFormats()) {
        count += format.Extension == "tst2";
    }
    EXPECT_EQ(count, 1);
    EXPECT_EQ(FindImageFormat("tst2")->Description, "Second");
    const std::vector<std::uint8_t> data{9};
    EXPECT_EQ(DecodeImage("tst2", data).Pixels[1], 2);
}

TEST_F(ImageRegistryTest, LoadsByTheFileExtensionAndResolvesTheName) {
    Write("Textures/Sky.TST", {42});
    const platform::Image image = LoadImageFile(Root() + "\\textures\\sky.tst");
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{42, 1, 0, 255}));
}

TEST_F(ImageRegistryTest, MissingFilesAndUnknownExtensionsFailClearly) {
    const std::string missing = Root() + "/Textures/missing.tst";
    try {
        LoadImageFile(missing);
        FAIL() << "a missing file loaded";
    } catch (const EImageFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not open file: " + missing);
    }
    EXPECT_THROW(LoadImageFile(Root() + "/Textures"), EImageFileError) << "a folder is not a file";

    const std::string unknown = Write("picture.xyz", {1});
    EXPECT_THROW(LoadImageFile(unknown), EImageFileError);
    EXPECT_THROW(LoadImageFile(Write("noextension", {1})), EImageFileError);
    const std::vector<std::uint8_t> data{1};
    EXPECT_THROW(DecodeImage("xyz", data), EImageFileError);
}

TEST_F(ImageRegistryTest, ReaderFailuresKeepTheirOwnClassAndMessage) {
    const std::string empty = Write("empty.tst", {});
    try {
        LoadImageFile(empty);
        FAIL() << "an empty file loaded";
    } catch (const ReaderError& error) {
        EXPECT_EQ(std::string(error.what()), "empty test image");
    }
}

}  // namespace
}  // namespace engine
