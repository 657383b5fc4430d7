#include "editor/data/map_file.h"
#include "editor/data/package_writer.h"
#include "platform/paths.h"
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

    // The program's output lines; its standard error goes to the file "stderr".
    Result Run(const std::string& arguments, const std::string& program = ASSETINFO_PROGRAM) const {
        const std::string command = program + " " + arguments + " >" + PathOf("stdout") + " 2>" + PathOf("stderr");
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
    BmpDesc desc = Desc(2, 2, 24, 0);
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

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A 6 x 6 map with one problem of every kind the checker knows, against catalogues of 2 base
// surfaces, 3 surfaces, 2 ground kinds (the list's odd fifth line makes none), 1 air kind and the
// special list "Script" and one marker.
editor::TMapData BrokenMap() {
    editor::TMapData map;
    map.Header.SizeX = 6;
    map.Header.SizeY = 6;
    map.Header.Surface = 2;
    map.Header.Version.Assign("v1_00");
    map.Tiles = {{2, 1, 1, {}}, {3, 2, 1, {}}, {0, 6, 0, {}}};
    editor::TGroundObject ground;
    ground.Kind = 1;
    map.Ground = {ground, ground};
    map.Ground[1].Kind = 2;
    map.Ground.push_back(ground);
    map.Specials = {{1, 0, 0, {}}, {2, 1, 0, {}}};
    map.Air = {{0, 0, 0, 2, 2, 1, 1, 1, 255, {}}, {1, 0, 0, 3, 3, 1, 1, 1, 255, {}}};
    map.Header.TileCount = 3;
    map.Header.GroundCount = 3;
    map.Header.SpecialCount = 2;
    map.Header.AirCount = 2;
    return map;
}

TEST_F(AssetInfoTest, CheckListsEachProblemOfAMapAgainstTheCataloguesBesideIt) {
    // assetinfo in a folder of its own, as build/bin holds it beside the editor's data.
    const fs::path tool = PathOf("bin");
    fs::create_directories(tool / "System");
    fs::create_directories(tool / "Data");
    fs::copy_file(ASSETINFO_PROGRAM, tool / "assetinfo");
    Write("bin/System/Basic_surface.txt", std::string("grass\nsand\n"));
    Write("bin/System/surface.txt", std::string("moss\r\nmud\r\nsnow"));
    Write("bin/System/Special_obj.txt", std::string("start\n"));
    const std::vector<editor::PackageRecord> lists = {
        {"Info_ground.txt", TextBytes("hut.qzm\nhut.bmp\nwall.qzm\nwall.bmp\nlonely.qzm\n")},
        {"Info_air.txt", TextBytes("cloud.qzm\ncloud.bmp\n")},
    };
    editor::WritePackage((tool / "Data" / "Objects.qzp").string(), lists);
    const std::string program = (tool / "assetinfo").string();

    Bytes broken = editor::EncodeMap(BrokenMap());
    broken.insert(broken.end(), 3, 0);
    const std::string map = Write("broken.map", broken);
    const auto check = [&](const std::string& files) { return Run("--check " + files, program); };
    const auto findings = [](const Result& result) {
        std::vector<std::string> found;
        for (const nlohmann::json& line : result.lines) {
            found.push_back(line["problem"].get<std::string>() + " " + line["layer"].get<std::string>() + " " +
                            line["index"].dump());
        }
        return found;
    };

    const Result all = check(map);
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(findings(all), (std::vector<std::string>{
                                 "header header null", "kind header null", "kind tiles 1", "outside tiles 2",
                                 "kind ground 1", "duplicate ground 2", "kind special 1", "kind air 1"}));
    ASSERT_EQ(all.lines.size(), 8u);
    EXPECT_EQ(all.lines[3], nlohmann::json({{"file", map},
                                            {"problem", "outside"},
                                            {"layer", "tiles"},
                                            {"index", 2},
                                            {"x", 6},
                                            {"y", 0},
                                            {"message", "tile 2: (6, 0) is off the 6 x 6 map"}}));
    EXPECT_EQ(all.lines[0]["x"], nullptr);

    fs::remove(tool / "Data" / "Objects.qzp");
    const Result withoutObjects = check(map);
    EXPECT_EQ(findings(withoutObjects),
              (std::vector<std::string>{"header header null", "kind header null", "kind tiles 1", "outside tiles 2",
                                        "duplicate ground 2", "kind special 1"}))
        << "ground and air kinds go unchecked without their lists";
    EXPECT_EQ(platform::ReadWholeFile(PathOf("stderr")), Bytes{}) << "a missing package is no message";

    editor::TMapData fine;
    fine.Header.SizeX = fine.Header.SizeY = 4;
    fine.Header.Version.Assign("v1_00");
    fine.Tiles = {{2, 3, 3, {}}};
    fine.Header.TileCount = 1;
    const Result clean = check(Write("fine.map", editor::EncodeMap(fine)));
    EXPECT_EQ(clean.status, 0);
    EXPECT_TRUE(clean.lines.empty());

    Bytes otherVersion = editor::EncodeMap(fine);
    otherVersion[22] = '2';
    const Result notMaps = check(Write("v2.map", otherVersion) + " " + Write("short.map", Bytes(27, 0)) + " " +
                                 PathOf("missing.map") + " " + PathOf("fine.map"));
    EXPECT_EQ(notMaps.status, 1);
    ASSERT_EQ(notMaps.lines.size(), 3u) << "one error object for each file that is no map";
    EXPECT_EQ(notMaps.lines[0],
              nlohmann::json({{"file", PathOf("v2.map")},
                              {"error", "Not a map the editor loads: its version mark (byte 22) is not \"1\""}}));
    EXPECT_EQ(notMaps.lines[1]["error"], "Read beyond end of file");
    EXPECT_TRUE(notMaps.lines[2].contains("error"));

    EXPECT_EQ(check("").status, 2) << "--check needs a map";
}

}  // namespace
}  // namespace tools
