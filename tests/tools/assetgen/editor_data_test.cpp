#include "generated_data_fixture.h"

#include "editor/data/package.h"
#include "editor/data/qzm_parser.h"
#include "platform/bmp_decoder.h"
#include "platform/jpeg_decoder.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"
#include "tools/assetgen/editor_data/editor_data.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace tools::assetgen {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTextures = "Data/Textures.qzp";
constexpr const char* kObjects = "Data/Objects.qzp";

// Cyrillic letters are two UTF-8 bytes led by 0xD0 or 0xD1.
bool HasCyrillic(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == 0xD0 || byte == 0xD1;
    });
}

bool IsKey(const platform::Image& image, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = image.Row(y) + x * 4;
    return p[0] == 128 && p[1] == 128 && p[2] == 128;
}

double ColumnDifference(const platform::Image& image, std::int32_t a, std::int32_t b) {
    double sum = 0;
    for (std::int32_t y = 0; y < image.Height; ++y) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(image.Row(y)[a * 4 + c] - image.Row(y)[b * 4 + c]);
        }
    }
    return sum / image.Height;
}

double RowDifference(const platform::Image& image, std::int32_t a, std::int32_t b) {
    double sum = 0;
    for (std::int32_t x = 0; x < image.Width; ++x) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(image.Row(a)[x * 4 + c] - image.Row(b)[x * 4 + c]);
        }
    }
    return sum / image.Width;
}

// Tiles join without a seam: the step across the wrap-around is no larger than a typical step
// between neighbouring pixels inside the picture.
void ExpectTileable(const platform::Image& image) {
    double inside = 0;
    for (std::int32_t i = 0; i + 1 < image.Width; ++i) {
        inside += ColumnDifference(image, i, i + 1);
    }
    inside /= image.Width - 1;
    EXPECT_LT(ColumnDifference(image, image.Width - 1, 0), inside * 2.0 + 2.0);
    double insideRows = 0;
    for (std::int32_t i = 0; i + 1 < image.Height; ++i) {
        insideRows += RowDifference(image, i, i + 1);
    }
    insideRows /= image.Height - 1;
    EXPECT_LT(RowDifference(image, image.Height - 1, 0), insideRows * 2.0 + 2.0);
}

platform::Image DecodeSkin(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (extension == ".bmp") {
        return platform::DecodeBmp(bytes);
    }
    EXPECT_EQ(extension, ".jpg") << name;
    return platform::DecodeJpeg(bytes);
}

using EditorData = GeneratedData;

TEST_F(EditorData, EveryBaseSurfaceIsATileableJpegInTheTexturePackage) {
    const auto names = CatalogueLines("System/Basic_surface.txt");
    ASSERT_GE(names.size(), 4u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(HasCyrillic(name)) << "catalogue names are Russian, as the editor's interface";
        const platform::Image image = platform::DecodeJpeg(Record(kTextures, name + ".jpg"));
        EXPECT_EQ(image.Width, 256);
        EXPECT_EQ(image.Height, 256);
        ExpectTileable(image);
    }
}

TEST_F(EditorData, EveryDetailSurfaceIsATileableBitmapShowingTheBaseThroughItsKeyColour) {
    const auto names = CatalogueLines("System/Surface.txt");
    ASSERT_GE(names.size(), 6u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(HasCyrillic(name));
        const platform::Image image = platform::DecodeBmp(Record(kTextures, name + ".bmp"));
        ASSERT_EQ(image.Width, 256);
        ASSERT_EQ(image.Height, 256);
        std::int64_t keyed = 0;
        for (std::int32_t y = 0; y < image.Height; ++y) {
            for (std::int32_t x = 0; x < image.Width; ++x) {
                keyed += IsKey(image, x, y) ? 1 : 0;
            }
        }
        const double share = static_cast<double>(keyed) / (256.0 * 256.0);
        EXPECT_GT(share, 0.01) << "some base surface shows through";
        EXPECT_LT(share, 0.9) << "most of the cell carries the detail";
        // The mask tiles too: the key colour meets itself across the edges.
        std::int32_t mismatched = 0;
        for (std::int32_t i = 0; i < 256; ++i) {
            mismatched += IsKey(image, 0, i) != IsKey(image, 255, i) ? 1 : 0;
            mismatched += IsKey(image, i, 0) != IsKey(image, i, 255) ? 1 : 0;
        }
        EXPECT_LT(mismatched, 40);
    }
}

TEST_F(EditorData, EveryObjectPairHasANormalisedTexturedMeshAndADecodableSkin) {
    for (const auto& [record, minimum] : {std::pair{"Info_ground.txt", 8u}, std::pair{"Info_air.txt", 4u}}) {
        SCOPED_TRACE(record);
        const auto lines = PackageCatalogueLines(kObjects, record);
        ASSERT_EQ(lines.size() % 2, 0u);
        ASSERT_GE(lines.size() / 2, minimum);
        for (std::size_t i = 0; i < lines.size(); i += 2) {
            const std::string& meshName = lines[i];
            const std::string& skinName = lines[i + 1];
            SCOPED_TRACE(meshName);
            ASSERT_GT(meshName.size(), 4u);
            EXPECT_EQ(meshName[meshName.size() - 4], '.');
            EXPECT_TRUE(std::all_of(meshName.begin(), meshName.end(), [](char c) { return c > 32 && c < 127; }));

            const std::vector<std::uint8_t> text = Record(kObjects, meshName);
            const editor::QzmContent mesh = editor::ParseQzm(std::string(text.begin(), text.end()));
            ASSERT_EQ(mesh.Objects.size(), 1u);
            const editor::TGLMesh& object = *mesh.Objects[0];
            EXPECT_GT(object.FaceCount, 0);
            EXPECT_EQ(object.Scale, (editor::QzmVector{1, 1, 1}));
            editor::QzmVector lowest{1, 1, 1};
            for (const auto& v : object.Vertices) {
                lowest = {std::min(lowest.X, v.X), std::min(lowest.Y, v.Y), std::min(lowest.Z, v.Z)};
            }
            // Standing on -1 is what puts the object on the map plane in the editor.
            EXPECT_EQ(lowest, (editor::QzmVector{-1, -1, -1}));
            EXPECT_TRUE(mesh.Texture.Textured);
            EXPECT_EQ(mesh.Texture.TexFaceCount, object.FaceCount);

            const platform::Image skin = DecodeSkin(skinName, Record(kObjects, skinName));
            EXPECT_GE(skin.Width, 32);
            if (skinName.ends_with(".bmp")) {
                for (std::int32_t y = 0; y < skin.Height; ++y) {
                    for (std::int32_t x = 0; x < skin.Width; ++x) {
                        ASSERT_FALSE(IsKey(skin, x, y)) << "a skin pixel would turn transparent";
                    }
                }
            }
        }
    }
}

TEST_F(EditorData, SpecialMarkersAreRussianNames) {
    const auto names = CatalogueLines("System/Special_obj.txt");
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names, SpecialMarkerNames());
    for (const std::string& name : names) {
        EXPECT_TRUE(platform::IsValidUtf8(name));
        EXPECT_TRUE(HasCyrillic(name)) << name;
        EXPECT_NE(name, "Script") << "the editor adds that entry itself";
    }
}

TEST_F(EditorData, CatalogueFilesEndLinesWithCarriageReturnLineFeed) {
    for (const char* file : {"System/Basic_surface.txt", "System/Surface.txt", "System/Special_obj.txt"}) {
        const auto bytes = platform::ReadWholeFile(PathOf(file));
        const std::string text(bytes.begin(), bytes.end());
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << file;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r')) << file;
    }
}

TEST_F(EditorData, PackagesHoldNothingButWhatTheCataloguesName) {
    std::vector<std::string> expected{"Info_ground.txt", "Info_air.txt"};
    for (const char* record : {"Info_ground.txt", "Info_air.txt"}) {
        for (const std::string& line : PackageCatalogueLines(kObjects, record)) {
            expected.push_back(line);
        }
    }
    const auto image = platform::ReadWholeFile(PathOf(kObjects));
    std::vector<std::string> stored;
    for (const auto& entry : editor::ReadPackageDirectory(image, kObjects)) {
        stored.push_back(entry.Name);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, expected);
}

TEST_F(EditorData, EveryRunWritesTheSameBytes) {
    const fs::path second = Folder().string() + "_again";
    fs::remove_all(second);
    ASSERT_EQ(RunGenerator(second), 0);
    std::map<std::string, std::vector<std::uint8_t>> first;
    for (const auto& entry : fs::recursive_directory_iterator(Folder())) {
        if (entry.is_regular_file()) {
            first[fs::relative(entry.path(), Folder()).string()] = platform::ReadWholeFile(entry.path().string());
        }
    }
    std::size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(second)) {
        if (entry.is_regular_file()) {
            const std::string name = fs::relative(entry.path(), second).string();
            ASSERT_TRUE(first.count(name)) << name;
            EXPECT_TRUE(first[name] == platform::ReadWholeFile(entry.path().string())) << name;
            ++compared;
        }
    }
    EXPECT_EQ(compared, first.size());
    EXPECT_GE(compared, 5u);
    fs::remove_all(second);
}

TEST_F(EditorData, TheProgramRefusesAMissingOutputFolderArgument) {
    const std::string command = std::string("\"") + ASSETGEN_PROGRAM + "\" > /dev/null 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace tools::assetgen
