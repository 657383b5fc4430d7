#include "tools/assetview/render/model_view.h"
#include "tools/assetview/render/view_options.h"

#include "tools/writers/jpeg_writer.h"
#include "tools/writers/model_3ds_writer.h"
#include "tools/writers/model_md2_writer.h"
#include "tools/writers/output_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tools {
namespace {

std::optional<ViewOptions> Parse(std::vector<std::string> arguments) {
    std::string error;
    auto options = ParseViewOptions(arguments, error);
    EXPECT_EQ(options.has_value(), error.empty());
    return options;
}

TEST(ViewOptions, TakesTheFilesAndEveryOption) {
    const auto plain = Parse({"model.3ds", "out.png"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->Input, "model.3ds");
    EXPECT_EQ(plain->Output, "out.png");
    EXPECT_EQ(plain->Frame, 0);
    const auto full = Parse({"--frame", "7", "bug.md2", "--yaw", "-45.5", "--pitch", "10", "out.png", "--size",
                             "640x480", "--up-y"});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->Input, "bug.md2");
    EXPECT_EQ(full->Frame, 7);
    EXPECT_FLOAT_EQ(full->Yaw, -45.5f);
    EXPECT_FLOAT_EQ(full->Pitch, 10.0f);
    EXPECT_EQ(full->Width, 640);
    EXPECT_EQ(full->Height, 480);
    EXPECT_TRUE(full->UpIsY);
}

TEST(ViewOptions, RefusesWhatMakesNoSense) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"only.3ds"},
                                               {"a.3ds", "b.png", "c.png"},
                                               {"a.3ds", "b.png", "--size", "0x10"},
                                               {"a.3ds", "b.png", "--size", "64"},
                                               {"a.3ds", "b.png", "--frame", "-1"},
                                               {"a.3ds", "b.png", "--pitch", "95"},
                                               {"a.3ds", "b.png", "--yaw"},
                                               {"a.3ds", "b.png", "--zoom", "2"}}) {
        EXPECT_FALSE(Parse(arguments)) << arguments.back();
    }
}

constexpr int kSize = 64;

// A folder laid out as the game's: models/ and textures/ side by side.
class RenderModelGL : public ::testing::Test {
protected:
    RenderModelGL()
        : m_folder(std::filesystem::temp_directory_path() / ("assetview_test_" + std::to_string(::getpid()))),
          m_output(m_folder) {}
    ~RenderModelGL() override { std::filesystem::remove_all(m_folder); }

    // A square of side 2 around the origin facing +z (or +y), named with a texture that is absent.
    std::string WriteSquare(bool facingY) {
        Mesh square;
        square.Positions = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
        if (facingY) {
            square.Positions = {{-1, 0, 1}, {1, 0, 1}, {1, 0, -1}, {-1, 0, -1}};
        }
        square.TexCoords = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
        square.Triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
        const Material3ds material{"m", Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(0, 0, 0), 0, 0, "absent.jpg"};
        m_output.Write("models/square.3ds", Write3ds({material}, {{"square", {{"m", square, 1}}}}));
        return (m_folder / "models/square.3ds").string();
    }

    // A flat triangle fan of two frames, the second one shrunk to a corner.
    std::string WriteTent() {
        Md2Model model;
        model.SkinName = "tent.jpg";
        model.TexCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        model.Triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
        model.Frames.push_back({"open01", {{-10, -10, 0}, {10, -10, 0}, {10, 10, 0}, {-10, 10, 0}}});
        model.Frames.push_back({"open02", {{-10, -10, 0}, {-8, -10, 0}, {-8, -8, 0}, {-10, -8, 0}}});
        m_output.Write("models/tent.md2", WriteMd2(model));
        return (m_folder / "models/tent.md2").string();
    }

    static ViewOptions View(const std::string& file, float pitch) {
        ViewOptions options;
        options.Input = file;
        options.Pitch = pitch;
        options.Width = kSize;
        options.Height = kSize;
        return options;
    }

    static const std::uint8_t* Pixel(const platform::Image& image, int x, int y) {
        return image.Pixels.data() + (static_cast<std::size_t>(y) * image.Width + x) * 4;
    }
    static bool IsBackground(const platform::Image& image, int x, int y) {
        const std::uint8_t* background = Pixel(image, 0, 0);
        const std::uint8_t* p = Pixel(image, x, y);
        return p[0] == background[0] && p[1] == background[1] && p[2] == background[2];
    }

    std::filesystem::path m_folder;
    OutputFolder m_output;
};

TEST_F(RenderModelGL, FramesTheModelAndDrawsItInPlainColourWithoutItsTexture) {
    const platform::Image image = RenderModel(View(WriteSquare(false), 60));
    ASSERT_EQ(image.Width, kSize);
    ASSERT_EQ(image.Height, kSize);
    EXPECT_FALSE(IsBackground(image, kSize / 2, kSize / 2));
    EXPECT_TRUE(IsBackground(image, kSize - 1, kSize - 1));
}

TEST_F(RenderModelGL, BackFacesAreCulledSoAWrongWindingShows) {
    const std::string file = WriteSquare(false);
    EXPECT_TRUE(IsBackground(RenderModel(View(file, -60)), kSize / 2, kSize / 2));
    ViewOptions standing = View(WriteSquare(true), 60);
    standing.UpIsY = true;
    EXPECT_FALSE(IsBackground(RenderModel(standing), kSize / 2, kSize / 2));
}

TEST_F(RenderModelGL, ShowsTheChosenFrameInTheSkinBesideTheModels) {
    const std::string file = WriteTent();
    RgbImage red{4, 4, std::vector<std::uint8_t>(4 * 4 * 3)};
    for (std::size_t i = 0; i < red.Pixels.size(); i += 3) {
        red.Pixels[i] = 255;
    }
    m_output.Write("textures/tent.jpg", EncodeJpeg(red));
    ViewOptions options = View(file, 89);
    const platform::Image first = RenderModel(options);
    const std::uint8_t* centre = Pixel(first, kSize / 2, kSize / 2);
    EXPECT_GT(centre[0], 2 * centre[1]);
    options.Frame = 1;
    EXPECT_TRUE(IsBackground(RenderModel(options), kSize / 2, kSize / 2));
    options.Frame = 2;
    EXPECT_THROW(RenderModel(options), std::out_of_range);
}

}  // namespace
}  // namespace tools
