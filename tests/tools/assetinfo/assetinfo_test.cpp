#include "tests/editor/data/qzm_samples.h"
#include "tests/platform/bmp_builder.h"
#include "tests/platform/jpeg_encoder.h"
#include "tests/platform/wav_builder.h"
#include "tools/assetinfo/sha256.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <png.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tools {
namespace {

namespace fs = std::filesystem;
using namespace test_images;

struct Result {
    int status = -1;
    std::vector<nlohmann::json> lines;
};

class AssetInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("assetinfo_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return PathOf(name);
    }
    std::string Write(const std::string& name, const std::string& text) const {
        return Write(name, Bytes(text.begin(), text.end()));
    }

    Result Run(const std::string& arguments) const {
        const std::string command = std::string(ASSETINFO_PROGRAM) + " " + arguments + " >" + PathOf("stdout");
        Result result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream out(PathOf("stdout"));
        for (std::string line; std::getline(out, line);) {
            result.lines.push_back(nlohmann::json::parse(line));
        }
        return result;
    }

private:
    fs::path m_folder;
};

// 2 x 2, stored bottom-up: the decoder's RGBA bytes, top row first, are known exactly.
Bytes SmallBmp() {
    BmpSpec desc = Desc(2, 2, 24, 0);
    desc.pixels = Rows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    return MakeBmp(desc);
}
const Bytes kSmallBmpRgba = {9, 8, 7, 255, 12, 11, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255};

TEST_F(AssetInfoTest, ImagesReportTheDecodedPicture) {
    const Result result =
        Run(Write("small.BMP", SmallBmp()) + " " + Write("photo.jpeg", EncodeJpeg(3, 2, JCS_RGB, 3, Bytes(18, 90))));
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(result.lines.size(), 2u);
    const nlohmann::json& bmp = result.lines[0];
    EXPECT_EQ(bmp["file"], PathOf("small.BMP"));
    EXPECT_EQ(bmp["kind"], "image");
    EXPECT_EQ(bmp["format"], "bmp");
    EXPECT_EQ(bmp["width"], 2);
    EXPECT_EQ(bmp["height"], 2);
    EXPECT_EQ(bmp["transparent"], false);
    EXPECT_EQ(bmp["rgbaSha256"], Sha256Hex(kSmallBmpRgba));

    const nlohmann::json& jpeg = result.lines[1];
    EXPECT_EQ(jpeg["format"], "jpeg");
    EXPECT_EQ(jpeg["width"], 3);
    EXPECT_EQ(jpeg["height"], 2);
    EXPECT_EQ(jpeg["rgbaSha256"].get<std::string>().size(), 64u);
}

TEST_F(AssetInfoTest, QzmReportsObjectsAndTexture) {
    const Result result = Run(Write("tree.qzm", editor::qzm_samples::TexturedObject()));
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(result.lines.size(), 1u);
    const nlohmann::json& qzm = result.lines[0];
    EXPECT_EQ(qzm["kind"], "qzm");
    ASSERT_EQ(qzm["objects"].size(), 1u);
    EXPECT_EQ(qzm["objects"][0]["vertices"], 4);
    EXPECT_EQ(qzm["objects"][0]["faces"], 2);
    EXPECT_EQ(qzm["objects"][0]["scale"], nlohmann::json({0.5, 0.25, 2.0}));
    EXPECT_EQ(qzm["textured"], true);
    EXPECT_EQ(qzm["texVertices"], 3);
    EXPECT_EQ(qzm["texFaces"], 2);
}

TEST_F(AssetInfoTest, SoundsReportTheirFormatLengthAndLevels) {
    using test_sounds::Samples16;
    using test_sounds::Wav;
    const Result result = Run(Write("stereo.WAV", Wav({.channels = 2, .rate = 44100}, Samples16({-32768, 0, 16384, 0}))) +
                              " " + Write("cut.wav", Bytes{'R', 'I', 'F', 'F', 90, 0, 0, 0, 'W', 'A', 'V', 'E'}));
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.lines.size(), 2u);
    const nlohmann::json& sound = result.lines[0];
    EXPECT_EQ(sound["kind"], "sound");
    EXPECT_EQ(sound["sampleRate"], 44100);
    EXPECT_EQ(sound["channels"], 2);
    EXPECT_EQ(sound["frames"], 2);
    EXPECT_DOUBLE_EQ(sound["peak"].get<double>(), 1.0);
    EXPECT_DOUBLE_EQ(sound["rms"].get<double>(), std::sqrt((1.0 + 0.25) / 4));
    EXPECT_EQ(result.lines[1]["error"], "WAV file is cut short: its RIFF size announces 90 bytes, 4 follow");
}

TEST_F(AssetInfoTest, FailuresGiveTheReadersMessageAndStatusOne) {
    std::string badMesh = editor::qzm_samples::Object();
    badMesh.replace(badMesh.find("2 0 0"), 5, "2 0 x");
    const Result result =
        Run(Write("good.bmp", SmallBmp()) + " " + Write("cut.bmp", Bytes{'B', 'M', 0}) + " " +
            Write("bad.qzm", badMesh) + " " + PathOf("missing.jpg") + " " + Write("notes.txt", std::string("text")));
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.lines.size(), 5u) << "one line per file, in order";
    EXPECT_EQ(result.lines[0]["kind"], "image");
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_TRUE(result.lines[i].contains("error")) << result.lines[i];
        EXPECT_FALSE(result.lines[i].contains("kind")) << result.lines[i];
    }
    EXPECT_EQ(result.lines[1]["file"], PathOf("cut.bmp"));
    EXPECT_EQ(result.lines[2]["error"], "Invalid numeric input");
}

// Every input that fuzzing found a defect with, named as its kind of file: the answer is the file's
// facts or the reader's message, never a crash.
TEST_F(AssetInfoTest, EveryFuzzReproducerGetsFactsOrTheReadersMessage) {
    const std::map<std::string, std::string> extensionOfTarget = {
        {"bmp", "bmp"},       {"jpeg", "jpg"}, {"dds", "dds"},       {"tga", "tga"},     {"model_3ds", "3ds"},
        {"md2", "md2"},       {"cursor", "ani"}, {"package", "qzp"}, {"qzm", "qzm"},     {"map", "map"},
        {"wav", "wav"},
    };
    for (const auto& [target, extension] : extensionOfTarget) {
        const fs::path folder = fs::path(FUZZ_REGRESSIONS) / target;
        if (!fs::exists(folder)) {
            continue;
        }
        for (const auto& input : fs::directory_iterator(folder)) {
            const std::string copy = PathOf(input.path().filename().string() + "." + extension);
            fs::copy_file(input.path(), copy);
            const Result result = Run(copy);
            ASSERT_EQ(result.lines.size(), 1u) << input.path();
            const bool failed = result.lines[0].contains("error");
            EXPECT_EQ(result.status, failed ? 1 : 0) << input.path();
            EXPECT_TRUE(failed || result.lines[0].contains("kind")) << input.path();
        }
    }
}

TEST_F(AssetInfoTest, PngOptionWritesTheDecodedPicture) {
    const std::string png = PathOf("out.png");
    const Result result = Run("--png " + png + " " + Write("small.bmp", SmallBmp()));
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0]["width"], 2);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str())) << image.message;
    image.format = PNG_FORMAT_RGBA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(pixels, kSmallBmpRgba);

    const Result notAPicture =
        Run("--png " + PathOf("mesh.png") + " " + Write("tree.qzm", editor::qzm_samples::Object()));
    EXPECT_EQ(notAPicture.status, 1);
    ASSERT_EQ(notAPicture.lines.size(), 1u);
    EXPECT_TRUE(notAPicture.lines[0].contains("error"));
    EXPECT_FALSE(fs::exists(PathOf("mesh.png")));
}

}  // namespace
}  // namespace tools
