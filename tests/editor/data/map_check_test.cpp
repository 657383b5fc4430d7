#include "editor/data/map_check.h"

#include "editor/data/map.h"
#include "tests/editor/data/record_builders.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace editor {
namespace {

using namespace test_records;
using P = TProblem;
using L = TMapLayer;

// What a finding is about, without its wording.
using Finding = std::tuple<TProblem, TMapLayer, int, int, int>;

std::vector<Finding> FindingsOf(const std::vector<TMapProblem>& problems) {
    std::vector<Finding> findings;
    for (const TMapProblem& problem : problems) {
        findings.emplace_back(problem.Problem, problem.Layer, problem.Index, problem.X, problem.Y);
    }
    return findings;
}

const TCatalogueSizes kCatalogues = {3, 2, 2, 1, 4};

struct CheckCase {
    const char* Name;
    std::function<void(TMap&)> Make;
    TCatalogueSizes Catalogues;
    std::vector<Finding> Expected;
};

TEST(MapCheckTest, FindsWhatIsBrokenAndNothingTheToolsMakeThemselves) {
    const std::vector<CheckCase> cases = {
        {"what the tools make",
         [](TMap& map) {
             map.AddTile(0, 1, 1);
             map.AddTile(1, 1, 1);
             map.AddTile(0, 1, 1);  // stacked, the same kind again on top of another
             map.AddGroundObject(GroundAt(1, 9, 9, 3));  // reaching past the edge
             map.AddGroundObject(GroundAt(1, 2, 2, 3, 0));
             map.AddGroundObject(GroundAt(1, 2, 2, 3, 90));  // a rotated twin
             map.AddSpecialObject(SpecialAt(0, 3, 3, "1|1|Script1"));
             map.AddSpecialObject(SpecialAt(0, 3, 3, "1|1|Script2"));
             map.AddAirObject(AirAt(0, 4, 4, 0));
             map.AddAirObject(AirAt(0, 4, 4, 8));  // one above the other
             map.SetSurface(2);
         },
         kCatalogues,
         {}},
        {"records off the map",
         [](TMap& map) {
             map.AddTile(0, 10, 0);
             map.AddTile(0, 9, 9);
             map.AddGroundObject(GroundAt(0, 0, 200, 3));
             map.AddSpecialObject(SpecialAt(1, 255, 255, ""));
             map.AddAirObject(AirAt(0, 9, 10));
         },
         {},
         {{P::Outside, L::Tiles, 0, 10, 0}, {P::Outside, L::Ground, 0, 0, 200}, {P::Outside, L::Special, 0, 255, 255},
          {P::Outside, L::Air, 0, 9, 10}}},
        {"kinds beyond the catalogues",
         [](TMap& map) {
             map.SetSurface(3);
             map.AddTile(1, 0, 0);
             map.AddTile(2, 1, 0);
             map.AddTile(255, 2, 0);  // a surface click with nothing selected
             map.AddGroundObject(GroundAt(-1, 0, 0, 3));
             map.AddGroundObject(GroundAt(2, 5, 0, 3));
             map.AddSpecialObject(SpecialAt(3, 0, 0, ""));
             map.AddSpecialObject(SpecialAt(4, 1, 1, ""));
             map.AddAirObject(AirAt(1, 0, 0));
         },
         kCatalogues,
         {{P::Kind, L::Header, -1, -1, -1},
          {P::Kind, L::Tiles, 1, 1, 0},
          {P::Kind, L::Tiles, 2, 2, 0},
          {P::Kind, L::Ground, 0, 0, 0},
          {P::Kind, L::Ground, 1, 5, 0},
          {P::Kind, L::Special, 1, 1, 1},
          {P::Kind, L::Air, 0, 0, 0}}},
        {"kinds unchecked without catalogues",
         [](TMap& map) {
             map.SetSurface(200);
             map.AddTile(200, 0, 0);
             map.AddGroundObject(GroundAt(-1, 0, 0, 3));
         },
         {},
         {}},
        {"duplicates",
         [](TMap& map) {
             map.AddGroundObject(GroundAt(1, 2, 2, 3, 0));
             map.AddGroundObject(GroundAt(1, 2, 2, 3, 360));  // the same turn
             map.AddGroundObject(GroundAt(1, 2, 2, 3, -360));
             map.AddSpecialObject(SpecialAt(2, 3, 3, "x"));
             map.AddSpecialObject(SpecialAt(2, 3, 3, "x"));
             map.AddAirObject(AirAt(0, 4, 4, 2, 255));
             map.AddAirObject(AirAt(0, 4, 4, 2, 60));  // translucent, but in the very same place
         },
         kCatalogues,
         {{P::Duplicate, L::Ground, 1, 2, 2}, {P::Duplicate, L::Ground, 2, 2, 2}, {P::Duplicate, L::Special, 1, 3, 3},
          {P::Duplicate, L::Air, 1, 4, 4}}},
    };
    for (const CheckCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TMap map;
        map.SetSize(10, 10);
        test.Make(map);
        EXPECT_EQ(FindingsOf(CheckMap(map.Data(), test.Catalogues)), test.Expected);
    }
}

TEST(MapCheckTest, MessagesNameTheRecordAndWhatIsWrong) {
    TMap map;
    map.SetSize(10, 12);
    map.SetSurface(5);
    map.AddTile(7, 12, 1);
    map.AddGroundObject(GroundAt(0, 1, 1, 3));
    map.AddGroundObject(GroundAt(0, 1, 1, 3));
    std::vector<std::string> messages;
    for (const TMapProblem& problem : CheckMap(map.Data(), kCatalogues)) {
        messages.push_back(problem.Message);
    }
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "header: base surface 5 is beyond the catalogue's 3 base surfaces",
                            "tile 0: (12, 1) is off the 10 x 12 map",
                            "tile 0: kind 7 is beyond the catalogue's 2 surfaces",
                            "ground object 1: repeats ground object 0",
                        }));
}

struct FileCase {
    const char* Name;
    std::function<void(std::vector<std::uint8_t>&)> Break;
    std::vector<Finding> Expected;
    std::vector<std::string> Messages;
};

void PutI32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}

TEST(MapCheckTest, HeaderCountsAreCheckedAgainstTheFileAndTheRecordsItHoldsStillAre) {
    // Two tiles (the second off the 4 x 4 map), one ground object, one air object.
    TMap map;
    map.AddTile(0, 1, 1);
    map.AddTile(0, 5, 1);
    map.AddGroundObject(GroundAt(0, 2, 2, 3));
    map.AddAirObject(AirAt(0, 3, 3));
    const std::vector<std::uint8_t> saved = EncodeMap(map.Data());
    const Finding offMap = {P::Outside, L::Tiles, 1, 5, 1};

    const std::vector<FileCase> cases = {
        {"as saved", [](auto&) {}, {offMap}, {}},
        {"bytes after the last record",
         [](auto& bytes) { bytes.insert(bytes.end(), 40, 0); },
         {{P::Header, L::Header, -1, -1, -1}, offMap},
         {"header: 40 bytes follow the last record it counts"}},
        {"a record cut short",
         [](auto& bytes) { bytes.resize(bytes.size() - 1); },
         {{P::Header, L::Air, 0, -1, -1}, offMap},
         {"header: counts 1 air objects, the file holds 0"}},
        {"more air objects counted than the file holds",
         [](auto& bytes) { PutI32(bytes, 16, 3); },
         {{P::Header, L::Air, 1, -1, -1}, offMap},
         {"header: counts 3 air objects, the file holds 1"}},
        {"a file that ends inside the ground layer holds no later record",
         [](auto& bytes) { bytes.resize(28 + 2 * 11 + 10); },
         {{P::Header, L::Ground, 0, -1, -1}, {P::Header, L::Air, 0, -1, -1}, offMap},
         {"header: counts 1 ground objects, the file holds 0"}},
        {"a negative count",
         [](auto& bytes) { PutI32(bytes, 12, -3); },
         {{P::Header, L::Special, -1, -1, -1}, offMap},
         {"header: counts -3 special objects, the file holds 0"}},
        {"an air object not counted",
         [](auto& bytes) { PutI32(bytes, 16, 0); },
         {{P::Header, L::Header, -1, -1, -1}, offMap},
         {"header: 20 bytes follow the last record it counts"}},
    };
    for (const FileCase& test : cases) {
        SCOPED_TRACE(test.Name);
        std::vector<std::uint8_t> bytes = saved;
        test.Break(bytes);
        const auto problems = CheckMapFile(bytes);
        ASSERT_TRUE(problems);
        EXPECT_EQ(FindingsOf(*problems), test.Expected);
        for (std::size_t i = 0; i < test.Messages.size(); ++i) {
            EXPECT_EQ((*problems)[i].Message, test.Messages[i]);
        }
    }

    std::vector<std::uint8_t> otherVersion = saved;
    otherVersion[22] = '2';
    EXPECT_FALSE(CheckMapFile(otherVersion)) << "no map at all";
    EXPECT_THROW(CheckMapFile(std::vector<std::uint8_t>(saved.begin(), saved.begin() + 27)), MapFileError);
}

}  // namespace
}  // namespace editor
