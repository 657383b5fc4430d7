#include "editor/data/package.h"

#include "editor/data/message_reporter.h"
#include "editor/data/package_inflate.h"
#include "editor/data/package_writer.h"
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace editor {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Half random, half runs, so the deflate stream spans several blocks and is neither trivial nor stored.
Bytes Pattern(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = (i / 64) % 2 == 0 ? static_cast<std::uint8_t>(random()) : static_cast<std::uint8_t>(i / 64);
    }
    return bytes;
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Captures message boxes and works in a folder of its own.
class PackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = SetMessageReporter([this](const std::string& caption, const std::string& text) {
            m_messages.push_back(caption + "|" + text);
        });
        m_folder = fs::temp_directory_path() /
                   ("package_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        SetMessageReporter(m_previous);
        fs::remove_all(m_folder);
    }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        platform::WriteFileAtomically(PathOf(name), bytes);
        return PathOf(name);
    }

    std::string Pack(const std::vector<PackageRecord>& records) const {
        return Write("test.qzp", BuildPackage(records));
    }

    std::vector<std::string> m_messages;

private:
    MessageReporter m_previous;
    fs::path m_folder;
};

TEST_F(PackageTest, RecordsInflateCompletelyAtEveryChunkBoundary) {
    const std::vector<std::size_t> sizes = {0, 1, 100, 2047, 2048, 2049, 4095, 4096, 4097, 20000};
    std::vector<PackageRecord> records;
    for (std::size_t size : sizes) {
        std::string name = "r";
        name += std::to_string(size);  // not "r" + ...: g++ 12 warns falsely about that
        records.push_back({name, Pattern(size, static_cast<unsigned>(size))});
    }
    const std::string package = Pack(records);
    for (const PackageRecord& record : records) {
        const auto extracted = ExtractRecord(package, record.Name);
        ASSERT_TRUE(extracted.has_value()) << record.Name;
        EXPECT_EQ(*extracted, record.Data) << record.Name;
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PackageTest, InflateStreamAppendsExactlyTheAnnouncedSize) {
    const Bytes data = Pattern(5000, 7);
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes packed(size);
    ASSERT_EQ(compress2(packed.data(), &size, data.data(), data.size(), 9), Z_OK);
    packed.resize(size);

    Bytes output = {0xAB};
    InflateStream(packed, 4097, output);
    ASSERT_EQ(output.size(), 4098u);
    EXPECT_EQ(output[0], 0xAB) << "earlier output is kept";
    EXPECT_TRUE(std::equal(output.begin() + 1, output.end(), data.begin()));

    Bytes tooMuch;
    try {
        InflateStream(packed, 5001, tooMuch);
        FAIL() << "a stream shorter than announced must not pass";
    } catch (const PackageError& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
}

TEST_F(PackageTest, NamesMatchWithoutRegardToCaseAndTheFirstEntryWins) {
    const std::string package = Pack({{"grass.bmp", {1}}, {"ROCK.JPG", {2}}, {"Grass.BMP", {3}}});
    EXPECT_EQ(ExtractRecord(package, "GRASS.bmp"), Bytes{1});
    EXPECT_EQ(ExtractRecord(package, "rock.jpg"), Bytes{2});
    const std::vector<PackageEntry> entries = ReadPackageDirectory(platform::ReadWholeFile(package), package);
    EXPECT_EQ(FindPackageEntry(entries, "gRaSs.BmP"), 0u);
    EXPECT_EQ(FindPackageEntry(entries, "grass.bm"), std::nullopt);
}

TEST_F(PackageTest, FirstTwoStoredBytesAreIgnored) {
    Bytes image = BuildPackage(std::vector<PackageRecord>{{"a.txt", Pattern(3000, 3)}});
    const std::uint32_t dataOffset = static_cast<std::uint32_t>(package_format::kHeaderSize);
    image[dataOffset] = 0x00;
    image[dataOffset + 1] = 0xFF;
    const std::string package = Write("odd.qzp", image);
    EXPECT_EQ(ExtractRecord(package, "a.txt"), Pattern(3000, 3));
}

TEST_F(PackageTest, WriterLaysOutHeaderAndDirectory) {
    const Bytes data = {'h', 'e', 'l', 'l', 'o'};
    const Bytes image = BuildPackage(std::vector<PackageRecord>{{"Info.txt", data}});
    ASSERT_GE(image.size(), package_format::kHeaderSize + package_format::kEntrySize);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), (Bytes{'Q', 'Z', 'P', 0}));
    EXPECT_EQ(image[16] | image[17] << 8, 1);
    const std::size_t directory = image[22] | image[23] << 8 | image[24] << 16 | image[25] << 24;
    ASSERT_EQ(directory + package_format::kEntrySize, image.size());
    EXPECT_EQ(image[directory], 8);
    EXPECT_EQ(std::string(image.begin() + directory + 1, image.begin() + directory + 9), "Info.txt");
    const auto u32 = [&](std::size_t at) {
        return image[at] | image[at + 1] << 8 | image[at + 2] << 16 | image[at + 3] << 24;
    };
    const std::size_t stored = u32(directory + 61);
    EXPECT_EQ(u32(directory + 65), 5);
    EXPECT_EQ(u32(directory + 69), 26);
    EXPECT_EQ(image[26], 0x78);
    EXPECT_EQ(image[27], 0xDA);
    Bytes inflated(5);
    uLongf size = inflated.size();
    ASSERT_EQ(uncompress(inflated.data(), &size, image.data() + 26, stored), Z_OK);
    EXPECT_EQ(inflated, data);
}

TEST_F(PackageTest, WriterRefusesWhatTheFormatCannotHold) {
    EXPECT_THROW(BuildPackage(std::vector<PackageRecord>{{std::string(61, 'n'), {}}}), PackageError);
    EXPECT_NO_THROW(BuildPackage(std::vector<PackageRecord>{{std::string(60, 'n'), {}}}));
    std::string cyrillic;
    for (int i = 0; i < 61; ++i) {
        cyrillic += "\xD0\xB6";  // ж
    }
    EXPECT_THROW(BuildPackage(std::vector<PackageRecord>{{cyrillic, {}}}), PackageError);
}

// Found by fuzzing: a name stored in Windows-1251 reads as UTF-8 of up to twice the length, which
// the writer refused, so a package read could not be packed again.
TEST_F(PackageTest, WriterStoresLongCyrillicNamesSoThatTheyReadBackTheSame) {
    std::string name;
    for (int i = 0; i < 40; ++i) {
        name += "\xD0\xB6";  // ж
    }
    name += ".jpg";
    const Bytes image = BuildPackage(std::vector<PackageRecord>{{name, {1, 2}}});
    const std::vector<PackageEntry> entries = ReadPackageDirectory(image, "test.qzp");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, name);
    EXPECT_EQ(InflateRecord(image, entries[0], "test.qzp"), (Bytes{1, 2}));
}

TEST_F(PackageTest, EveryFailureShowsItsMessage) {
    const Bytes good = BuildPackage(std::vector<PackageRecord>{{"a.bmp", Pattern(10, 1)}});

    EXPECT_FALSE(ExtractRecord(PathOf("missing.qzp"), "a.bmp"));
    EXPECT_FALSE(ExtractRecord(Pack({}), "a.bmp"));
    Bytes wrongMagic = good;
    wrongMagic[3] = 'X';
    EXPECT_FALSE(ExtractRecord(Write("magic.qzp", wrongMagic), "a.bmp"));
    EXPECT_FALSE(ExtractRecord(Write("tiny.qzp", {'Q', 'Z'}), "a.bmp"));
    EXPECT_FALSE(ExtractRecord(Write("short.qzp", {'Q', 'Z', 'P', 0, 0, 0}), "a.bmp"));
    Bytes farDirectory = good;
    PutU32(farDirectory, 22, static_cast<std::uint32_t>(good.size() + 1));
    EXPECT_FALSE(ExtractRecord(Write("far.qzp", farDirectory), "a.bmp"));
    Bytes cutDirectory(good.begin(), good.end() - 1);
    EXPECT_FALSE(ExtractRecord(Write("cut.qzp", cutDirectory), "a.bmp"));

    const auto quoted = [&](const std::string& name) { return "\"" + PathOf(name) + "\""; };
    EXPECT_EQ(m_messages, (std::vector<std::string>{
                              "Error|Package file not found " + quoted("missing.qzp"),
                              "Error|Record \"a.bmp\" not found in " + quoted("test.qzp"),
                              "Error|Invalid QZP or file corrupted " + quoted("magic.qzp"),
                              "Error|Invalid QZP or file corrupted " + quoted("tiny.qzp"),
                              "Error|Unexpected end of file - file corrupted " + quoted("short.qzp"),
                              "Error|Unexpected end of file - file corrupted " + quoted("far.qzp"),
                              "Error|Unexpected end of file - file corrupted " + quoted("cut.qzp"),
                          }));
}

TEST_F(PackageTest, MagicIsAZeroTerminatedText) {
    Bytes image = BuildPackage(std::vector<PackageRecord>{{"a", {5}}});
    EXPECT_NO_THROW(ReadPackageDirectory(image, "p"));
    image[2] = 0;  // "QZ"
    EXPECT_THROW(ReadPackageDirectory(image, "p"), PackageCorruptError);
    image[2] = 'p';  // case matters
    EXPECT_THROW(ReadPackageDirectory(image, "p"), PackageCorruptError);
}

TEST_F(PackageTest, LyingRecordRangesAreRejectedWithoutReadingPastTheFile) {
    const Bytes good = BuildPackage(std::vector<PackageRecord>{{"a.bmp", Pattern(3000, 2)}});
    const std::size_t entry = good.size() - package_format::kEntrySize;

    Bytes longRecord = good;
    PutU32(longRecord, entry + 61, static_cast<std::uint32_t>(good.size()));
    EXPECT_FALSE(ExtractRecord(Write("long.qzp", longRecord), "a.bmp"));
    Bytes wrappingRecord = good;
    PutU32(wrappingRecord, entry + 61, 0xFFFFFFF0u);
    PutU32(wrappingRecord, entry + 69, 0x20u);
    EXPECT_FALSE(ExtractRecord(Write("wrap.qzp", wrappingRecord), "a.bmp"));
    EXPECT_EQ(m_messages, (std::vector<std::string>{
                              "Error|Unexpected end of file - file corrupted \"" + PathOf("long.qzp") + "\"",
                              "Error|Unexpected end of file - file corrupted \"" + PathOf("wrap.qzp") + "\"",
                          }));

    Bytes manyEntries = good;
    manyEntries[16] = 0xFF;
    manyEntries[17] = 0xFF;
    EXPECT_THROW(ReadPackageDirectory(manyEntries, "p"), PackageCorruptError);
}

TEST_F(PackageTest, InflateFailuresGoToTheCaller) {
    const Bytes good = BuildPackage(std::vector<PackageRecord>{{"a.bmp", Pattern(3000, 2)}});
    const std::size_t entry = good.size() - package_format::kEntrySize;

    Bytes garbage = good;
    for (std::size_t i = 2; i < 40; ++i) {
        garbage[26 + i] = 0xFF;
    }
    const std::string garbled = Write("garbage.qzp", garbage);
    try {
        ExtractRecord(garbled, "a.bmp");
        FAIL() << "corrupt deflate data must raise";
    } catch (const PackageError& error) {
        EXPECT_STREQ(error.what(), "Error");
    }

    Bytes oversized = good;
    PutU32(oversized, entry + 65, 0x7FFFFFFFu);
    const std::string lying = Write("oversized.qzp", oversized);
    try {
        ExtractRecord(lying, "a.bmp");
        FAIL() << "a record shorter than announced must raise";
    } catch (const PackageError& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PackageTest, ExtractToFileWritesTheRecordOrRaises) {
    const std::string package = Pack({{"mesh.qzm", Pattern(2500, 9)}});
    ExtractRecordToFile(package, "MESH.QZM", PathOf("Temp.qzm"));
    EXPECT_EQ(platform::ReadWholeFile(PathOf("Temp.qzm")), Pattern(2500, 9));

    EXPECT_THROW(ExtractRecordToFile(package, "none.qzm", PathOf("other.qzm")), PackageError);
    EXPECT_FALSE(fs::exists(PathOf("other.qzm")));
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(PackageTest, PackageNamesResolveLikeWindowsPaths) {
    fs::create_directories(PathOf("Data"));
    platform::WriteFileAtomically(PathOf("Data/Textures.qzp"),
                                  BuildPackage(std::vector<PackageRecord>{{"a", {1, 2}}}));
    const std::string windowsName = PathOf("data") + "\\textures.QZP";
    EXPECT_EQ(ExtractRecord(windowsName, "A"), (Bytes{1, 2}));
}

}  // namespace
}  // namespace editor
