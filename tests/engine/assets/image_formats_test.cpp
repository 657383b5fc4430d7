#include "engine/assets/image_formats.h"

#include "engine/assets/dds_image.h"
#include "engine/assets/tga_image.h"
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

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = fs::temp_directory_path() / ("image_formats_test_" + std::to_string(::getpid()) + name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

TEST(ImageFormats, RegistersDdsAndTgaWithTheirDescriptions) {
    RegisterImageFormats();
    RegisterImageFormats();
    ASSERT_TRUE(FindImageFormat("dds").has_value());
    ASSERT_TRUE(FindImageFormat("TGA").has_value());
    EXPECT_EQ(FindImageFormat("dds")->Description, "Microsoft DirectDraw Surface");
    EXPECT_EQ(FindImageFormat("tga")->Description, "Targa");
}

TEST(ImageFormats, LoadImageFileReachesTheReadersAndTheirErrors) {
    RegisterImageFormats();
    std::vector<std::uint8_t> tga(18, 0);
    tga[2] = 2;
    tga[12] = 1;
    tga[14] = 1;
    tga[16] = 24;
    tga.insert(tga.end(), {10, 20, 30});
    const std::string tgaPath = WriteFile("pixel.TGA", tga);
    const platform::Image image = LoadImageFile(tgaPath);
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{30, 20, 10, 255}));

    const std::string ddsPath = WriteFile("bad.dds", std::vector<std::uint8_t>(128, 0));
    try {
        LoadImageFile(ddsPath);
        FAIL() << "a file without the DDS magic loaded";
    } catch (const EDDSException& error) {
        EXPECT_EQ(std::string(error.what()), "Invalid DDS file");
    }
    fs::remove(tgaPath);
    fs::remove(ddsPath);
}

}  // namespace
}  // namespace engine
