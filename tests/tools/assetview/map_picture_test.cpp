#include "editor/data/map_file.h"
#include "editor/data/package_writer.h"
#include "tests/editor/data/record_builders.h"
#include "tools/writers/bmp_writer.h"
#include "tools/writers/jpeg_writer.h"
#include "tools/writers/output_folder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// assetview drawing a hand-made map with hand-made data, run as a user runs it: the colours at
// known cells, and the inputs it must refuse.
namespace tools {
namespace {

namespace fs = std::filesystem;
using Colour = std::array<int, 3>;

constexpr Colour kGrass = {200, 200, 40};  // base surface 0
constexpr Colour kMeadow = {60, 160, 60};  // base surface 1, the map's
constexpr Colour kStones = {220, 30, 30};
constexpr Colour kRoad = {250, 160, 0};
constexpr Colour kRoof = {120, 60, 20};
constexpr Colour kCloud = {250, 250, 250};
constexpr Colour kMarkerBlue = {0, 0, 255};

// A 4 x 4 map in a 64-pixel picture: 16 pixels a cell.
constexpr int kSide = 64;
constexpr int kCell = 16;

// `share` of `top` over `under`, as blending with source alpha makes it.
Colour Mix(const Colour& top, const Colour& under, double share) {
    Colour mixed{};
    for (int i = 0; i < 3; ++i) {
        mixed[i] = static_cast<int>(top[i] * share + under[i] * (1 - share) + 0.5);
    }
    return mixed;
}

RgbImage Solid(const Colour& colour) {
    RgbImage image{8, 8, {}};
    for (int i = 0; i < 64; ++i) {
        image.Pixels.insert(image.Pixels.end(), {static_cast<std::uint8_t>(colour[0]),
                                                 static_cast<std::uint8_t>(colour[1]),
                                                 static_cast<std::uint8_t>(colour[2])});
    }
    return image;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A flat square over the -1..1 box at its top, facing up, the texture over all of it.
std::string RoofQzm() {
    return "New object\nTri-mesh, Vertices: 4 Faces: 2\nnumverts numfaces\n4 2\n"
           "Vertex list:\n-1 -1 1\n1 -1 1\n1 1 1\n-1 1 1\n"
           "Face list:\n\n1 2 3\n1 3 4\n"
           "Face normals:\n\n0 0 1\n0 0 1\n"
           "Vertex normals:\n\n0 0 1\n0 0 1\n0 0 1\n0 0 1\n"
           "New Texture:\nTexture mapping\n4 2\n"
           "Texture vertices:\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n"
           "Texture faces:\n\n1 2 3\n1 3 4\n";
}

editor::TSurfaceTile Tile(std::uint8_t kind, std::uint8_t x, std::uint8_t y, std::uint8_t blend) {
    editor::TSurfaceTile tile{kind, x, y, {}};
    tile.Blend.fill(blend);
    return tile;
}

editor::TGroundObject Roof(std::int32_t kind, std::uint8_t x, std::uint8_t y, std::int32_t angle) {
    editor::TGroundObject roof = editor::test_records::GroundAt(kind, x, y, 1, angle);
    roof.Height = 2;  // the roof's normal keeps its length under the object's scaling: lit fully
    return roof;
}

editor::TAirObject Cloud(std::uint8_t x, std::uint8_t y, std::uint8_t side, std::uint8_t opacity) {
    editor::TAirObject cloud = editor::test_records::AirAt(0, x, y, 0, opacity);
    cloud.Length = side;
    cloud.Width = side;
    return cloud;
}

// Cells, bottom row first (y = 0):
//   y 3: cloud      cloud      .            roof at 45 degrees
//   y 2: cloud      cloud      faint cloud  .
//   y 1: marker     tile over  roof         unknown ground kind
//                   a marker
//   y 0: .          stones     road over    road fading at its edges
//                              stones
editor::TMapData HandMadeMap() {
    editor::TMapData map;
    map.Header.SizeX = 4;
    map.Header.SizeY = 4;
    map.Header.Surface = 1;
    map.Header.Version.Assign("v1_42");
    map.Tiles = {Tile(0, 1, 0, 255), Tile(0, 2, 0, 255), Tile(1, 2, 0, 255), Tile(1, 3, 0, 0), Tile(0, 1, 1, 255)};
    map.Ground = {Roof(0, 2, 1, 0), Roof(7, 3, 1, 0), Roof(0, 3, 3, 45)};
    map.Specials = {{0, 0, 1, {}}, {0, 1, 1, {}}};
    map.Air = {Cloud(0, 2, 2, 255), Cloud(2, 2, 1, 128)};
    map.Header.TileCount = static_cast<std::int32_t>(map.Tiles.size());
    map.Header.GroundCount = static_cast<std::int32_t>(map.Ground.size());
    map.Header.SpecialCount = static_cast<std::int32_t>(map.Specials.size());
    map.Header.AirCount = static_cast<std::int32_t>(map.Air.size());
    return map;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

struct Result {
    int Status = -1;
    std::string Errors;
};

struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgba;

    // The pixel `inset` pixels right of and above the cell's lower-left corner.
    Colour At(int cellX, int cellY, int insetX, int insetY) const {
        const int column = cellX * kCell + insetX;
        const int row = Height - 1 - (cellY * kCell + insetY);
        const std::uint8_t* p = Rgba.data() + (static_cast<std::size_t>(row) * Width + column) * 4;
        return {p[0], p[1], p[2]};
    }
};

Picture ReadPng(const fs::path& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << image.message;
        return picture;
    }
    image.format = PNG_FORMAT_RGBA;
    picture.Rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.Rgba.data(), 0, nullptr)) {
        ADD_FAILURE() << image.message;
        return picture;
    }
    picture.Width = static_cast<int>(image.width);
    picture.Height = static_cast<int>(image.height);
    return picture;
}

// A working folder holding the editor's data as the editor reads it from the current folder.
class MapPictureGL : public ::testing::Test {
protected:
    MapPictureGL() : m_folder(fs::temp_directory_path() / ("assetview_map_test_" + std::to_string(::getpid()))) {
        fs::remove_all(m_folder);
        OutputFolder data(m_folder);
        data.WriteText("System/Basic_surface.txt", "Grass\nMeadow\n");
        data.WriteText("System/Surface.txt", "Stones\nRoad\n");
        data.WriteText("System/Special_obj.txt", "Start\n");
        const std::vector<editor::PackageRecord> textures = {
            {"Grass.jpg", EncodeJpeg(Solid(kGrass), 100)},
            {"Meadow.jpg", EncodeJpeg(Solid(kMeadow), 100)},
            {"Stones.bmp", EncodeBmp24(Solid(kStones))},
            {"Road.bmp", EncodeBmp24(Solid(kRoad))},
        };
        data.Write("Data/Textures.qzp", editor::BuildPackage(textures));
        const std::vector<editor::PackageRecord> objects = {
            {"Info_ground.txt", Bytes("Roof.qzm\nRoof.bmp\n")},
            {"Info_air.txt", Bytes("Cloud.qzm\nCloud.bmp\n")},
            {"Roof.qzm", Bytes(RoofQzm())},
            {"Roof.bmp", EncodeBmp24(Solid(kRoof))},
            {"Cloud.qzm", Bytes(RoofQzm())},
            {"Cloud.bmp", EncodeBmp24(Solid(kCloud))},
        };
        data.Write("Data/Objects.qzp", editor::BuildPackage(objects));
        WriteMap("hand-made.map", editor::EncodeMap(HandMadeMap()));
    }
    ~MapPictureGL() override { fs::remove_all(m_folder); }

    void WriteMap(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(m_folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<std::streamsize>(bytes.size()));
    }

    // Runs in the folder or one inside it.
    Result Run(const std::string& arguments, const std::string& inside = ".") {
        const std::string command = "cd '" + (m_folder / inside).string() + "' && " ASSETVIEW_PROGRAM " " + arguments +
                                    " 2>" + (m_folder / "stderr.txt").string();
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(m_folder / "stderr.txt")};
    }

    fs::path m_folder;
};

TEST_F(MapPictureGL, EachLayerShowsAtItsCellsAsTheEditorDrawsIt) {
    const Result result = Run("hand-made.map out.png --size 64");
    ASSERT_EQ(result.Status, 0) << result.Errors;
    EXPECT_EQ(result.Errors, "");
    const Picture picture = ReadPng(m_folder / "out.png");
    ASSERT_EQ(picture.Width, kSide);
    ASSERT_EQ(picture.Height, kSide);

    constexpr int kMiddle = kCell / 2;
    struct Expected {
        const char* what;
        int cellX, cellY, insetX, insetY;
        Colour colour;
        int tolerance;
    };
    const Expected cases[] = {
        {"the base surface the header names", 0, 0, kMiddle, kMiddle, kMeadow, 4},
        {"a tile", 1, 0, kMiddle, kMiddle, kStones, 2},
        {"the later of two tiles on a cell", 2, 0, kMiddle, kMiddle, kRoad, 2},
        // Blend 0 at every edge: opaque only at the centre. The pixels lie on the diagonals of
        // the tile's quads, 1/16 of a half cell from the centre and 3/16 from the corner.
        {"a tile near its opaque centre", 3, 0, kMiddle, kMiddle, Mix(kRoad, kMeadow, 15.0 / 16), 6},
        {"a tile near its transparent corner", 3, 0, 1, 1, Mix(kRoad, kMeadow, 3.0 / 16), 6},
        {"a special marker on the base", 0, 1, kMiddle, kMiddle, Mix(kMarkerBlue, kMeadow, 100.0 / 255), 4},
        {"a special marker under a tile", 1, 1, kMiddle, kMiddle, kStones, 2},
        {"a ground object lit from the viewer", 2, 1, kMiddle, kMiddle, kRoof, 3},
        {"a ground object to its cell's corner", 2, 1, 1, 1, kRoof, 3},
        {"a ground kind the catalogue lacks", 3, 1, kMiddle, kMiddle, kMeadow, 4},
        {"a turned ground object at the centre", 3, 3, kMiddle, kMiddle, kRoof, 3},
        {"a turned ground object leaving the corner", 3, 3, 1, 1, kMeadow, 4},
        {"an air object stretched over 2 x 2 cells", 1, 3, kMiddle, kMiddle, kCloud, 2},
        {"an air object at opacity 128", 2, 2, kMiddle, kMiddle, Mix(kCloud, kMeadow, 128.0 / 255), 4},
    };
    for (const Expected& expected : cases) {
        const Colour seen = picture.At(expected.cellX, expected.cellY, expected.insetX, expected.insetY);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(seen[i], expected.colour[i], expected.tolerance)
                << expected.what << ": channel " << i << " of (" << seen[0] << ", " << seen[1] << ", " << seen[2]
                << ")";
        }
    }
}

TEST_F(MapPictureGL, RefusesWhatItCannotDrawInOneLineAndKeepsTheOldPicture) {
    editor::TMapData noCells = HandMadeMap();
    noCells.Header.SizeX = 0;
    editor::TMapData otherVersion = HandMadeMap();
    otherVersion.Header.Version.Assign("v2_42");
    std::vector<std::uint8_t> negativeCount = editor::EncodeMap(HandMadeMap());
    negativeCount[4 + 3] = 0x80;  // the tile count's high byte
    const std::vector<std::uint8_t> whole = editor::EncodeMap(HandMadeMap());
    WriteMap("truncated.map", {whole.begin(), whole.end() - 5});
    WriteMap("no-cells.map", editor::EncodeMap(noCells));
    WriteMap("other-version.map", editor::EncodeMap(otherVersion));
    WriteMap("negative-count.map", negativeCount);
    // Catalogues without their packages.
    fs::create_directories(m_folder / "catalogues-only");
    fs::copy(m_folder / "System", m_folder / "catalogues-only" / "System", fs::copy_options::recursive);


    struct Refused {
        std::string arguments;
        int status;
        std::string said;
        std::string inside = ".";
    };
    const Refused cases[] = {
        {"truncated.map out.png", 1, "broken map"},
        {"negative-count.map out.png", 1, "broken map"},
        {"other-version.map out.png", 1, "not a map"},
        {"no-cells.map out.png", 1, "no cells"},
        {"absent.map out.png", 1, "absent.map"},
        {"hand-made.map no-such-folder/out.png", 1, "no-such-folder/out.png"},
        {"../hand-made.map ../out.png", 1, "Textures.qzp is missing", "catalogues-only"},
        {"hand-made.map out.png --size 0", 2, "--size"},
        {"hand-made.map out.png --size 4097", 2, "--size"},
        {"hand-made.map out.png --size 64x64", 2, "--size"},
        {"hand-made.map out.png --yaw 30", 2, "--yaw does not apply to a map"},
    };
    for (const Refused& refused : cases) {
        std::ofstream(m_folder / "out.png") << "the old picture";
        const Result result = Run(refused.arguments, refused.inside);
        EXPECT_EQ(result.Status, refused.status) << refused.arguments;
        const std::string firstLine = result.Errors.substr(0, result.Errors.find('\n'));
        EXPECT_TRUE(firstLine.starts_with("assetview: ")) << refused.arguments << ": " << result.Errors;
        EXPECT_NE(firstLine.find(refused.said), std::string::npos) << refused.arguments << ": " << result.Errors;
        if (refused.status == 1) {
            EXPECT_EQ(result.Errors, firstLine + "\n") << refused.arguments;
        }
        EXPECT_EQ(ReadText(m_folder / "out.png"), "the old picture") << refused.arguments;
    }
}

}  // namespace
}  // namespace tools
