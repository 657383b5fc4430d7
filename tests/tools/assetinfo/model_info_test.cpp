#include "tests/engine/assets/model_builders.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Runs assetinfo on one file: its exit status and the JSON line it printed.
std::pair<int, nlohmann::json> Describe(const fs::path& file) {
    const std::string command = std::string(ASSETINFO_PROGRAM) + " '" + file.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), nlohmann::json::parse(output)};
}

class ModelInfo : public ::testing::Test {
protected:
    ModelInfo() : m_folder(fs::temp_directory_path() / "assetinfo_model_test") {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    ~ModelInfo() override { fs::remove_all(m_folder); }

    fs::path Write(const std::string& name, const tests::Bytes& bytes) const {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    fs::path m_folder;
};

TEST_F(ModelInfo, A3DSModelReportsSplitVerticesDrawnTrianglesAndMaterials) {
    tests::MaterialDesc rock{"Rock", {51, 51, 51}, {255, 0, 0}, {0, 0, 255}, 50, 25, "rock.jpg"};
    const fs::path file = Write(
        "base.3DS",
        tests::File3DS({tests::MaterialEntry(rock),
                        tests::NamedMesh("cube", {tests::VertexList(tests::CubeVertices()),
                                                  tests::FaceList(tests::CubeFaces(),
                                                                  {tests::MaterialGroup("rock", {0, 1, 2, 3})})})}));
    const auto [status, info] = Describe(file);
    ASSERT_EQ(status, 0) << info.dump();
    EXPECT_EQ(info["kind"], "model");
    EXPECT_EQ(info["format"], "3ds");
    ASSERT_EQ(info["meshObjects"].size(), 1u);
    const auto& cube = info["meshObjects"][0];
    EXPECT_EQ(cube["name"], "cube");
    EXPECT_EQ(cube["vertices"], 36);
    EXPECT_EQ(cube["triangles"], 4);  // only the grouped faces are drawn
    EXPECT_EQ(cube["faceGroups"][0]["material"], "Rock");
    ASSERT_EQ(info["materials"].size(), 1u);
    const auto& material = info["materials"][0];
    EXPECT_EQ(material["texture"], "rock.jpg");
    EXPECT_FLOAT_EQ(material["diffuse"][0].get<float>(), 1.0f);
    EXPECT_FLOAT_EQ(material["specular"][2].get<float>(), 0.5f);
    EXPECT_EQ(material["shininess"], 96);
    EXPECT_EQ(info["frames"], 0);
    EXPECT_EQ(info["bounds"]["max"], nlohmann::json({1.0, 1.0, 1.0}));
}

TEST_F(ModelInfo, AnMD2ModelReportsFramesAndAnimations) {
    const fs::path file =
        Write("bug.md2", tests::FileMD2(tests::QuadModel({"run01", "run02", "crdeath1", "crdeath2", "crdeath3"})));
    const auto [status, info] = Describe(file);
    ASSERT_EQ(status, 0) << info.dump();
    EXPECT_EQ(info["format"], "md2");
    EXPECT_EQ(info["frames"], 5);
    EXPECT_EQ(info["animations"], nlohmann::json::parse(R"([{"name":"run","start":0,"end":1},
                                                           {"name":"crdeath","start":2,"end":4}])"));
    EXPECT_EQ(info["meshObjects"][0]["vertices"], 4);
    EXPECT_EQ(info["meshObjects"][0]["triangles"], 2);
    EXPECT_EQ(info["bounds"]["max"], nlohmann::json({10.0, 10.0, 0.0}));
}

TEST_F(ModelInfo, MalformedModelsReportTheReadersMessage) {
    tests::Bytes cut = tests::FileMD2(tests::QuadModel({"a1"}));
    cut.resize(80);
    const auto [status, info] = Describe(Write("cut.md2", cut));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(info["error"], "Stream read error");
    tests::Md2Desc bad = tests::QuadModel({"a1"});
    bad.skins = 40;
    const auto [status2, info2] = Describe(Write("skins.md2", tests::FileMD2(bad)));
    EXPECT_EQ(status2, 1);
    EXPECT_NE(info2["error"].get<std::string>().find("skin count 40"), std::string::npos);
}

}  // namespace
