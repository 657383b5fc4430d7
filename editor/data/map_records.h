#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The records of a .map file. In memory they keep the file's layout byte for byte, padding
// included, so a loaded map saves back exactly as it was read.
namespace editor {

// A length-prefixed text of at most N characters: one length byte, then N character bytes.
template <std::size_t N>
struct TShortString {
    std::uint8_t Length = 0;
    std::array<char, N> Chars{};

    // The characters the length announces (never more than N, whatever the length byte says).
    std::string Text() const { return std::string(Chars.data(), std::min<std::size_t>(Length, N)); }

    // Stores the text cut to N characters, with zeros after it.
    void Assign(std::string_view text) {
        text = text.substr(0, N);
        Chars.fill(0);
        std::copy(text.begin(), text.end(), Chars.begin());
        Length = static_cast<std::uint8_t>(text.size());
    }

    bool operator==(const TShortString&) const = default;
};

struct TMapHeader {
    std::uint8_t SizeX = 0;
    std::uint8_t SizeY = 0;
    std::uint8_t Surface = 0;
    std::uint8_t Padding3 = 0;
    std::int32_t TileCount = 0;
    std::int32_t GroundCount = 0;
    std::int32_t SpecialCount = 0;
    std::int32_t AirCount = 0;
    TShortString<5> Version;
    std::array<std::uint8_t, 2> Padding26{};

    bool operator==(const TMapHeader&) const = default;
};

// Blend holds the vertex alphas in the order of the kBlend... indices below.
struct TSurfaceTile {
    std::uint8_t Kind = 0;
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::array<std::uint8_t, 8> Blend{};

    bool operator==(const TSurfaceTile&) const = default;
};

struct TGroundObject {
    std::int32_t Kind = 0;
    std::int32_t Angle = 0;
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::uint8_t Length = 1;
    std::uint8_t Width = 1;
    std::uint8_t Height = 1;
    std::array<std::uint8_t, 3> Padding{};

    bool operator==(const TGroundObject&) const = default;
};

struct TSpecialObject {
    std::uint8_t Kind = 0;
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    TShortString<20> Param;

    bool operator==(const TSpecialObject&) const = default;
};

struct TAirObject {
    std::int32_t Kind = 0;
    std::int32_t Angle = 0;
    std::int32_t Level = 0;
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::uint8_t Length = 1;
    std::uint8_t Width = 1;
    std::uint8_t Height = 1;
    std::uint8_t Opacity = 255;
    std::array<std::uint8_t, 2> Padding{};

    bool operator==(const TAirObject&) const = default;
};

namespace map_layout {
constexpr std::size_t kHeaderSize = 28;
constexpr std::size_t kTileSize = 11;
constexpr std::size_t kGroundSize = 16;
constexpr std::size_t kSpecialSize = 24;
constexpr std::size_t kAirSize = 20;
// The version's second character, the only one that is checked.
constexpr std::size_t kVersionMarkOffset = 22;
constexpr char kVersionMark = '1';

// Indices into TSurfaceTile::Blend.
constexpr std::size_t kBlendLowerLeft = 0;
constexpr std::size_t kBlendBottom = 1;
constexpr std::size_t kBlendLowerRight = 2;
constexpr std::size_t kBlendLeft = 3;
constexpr std::size_t kBlendRight = 4;
constexpr std::size_t kBlendUpperLeft = 5;
constexpr std::size_t kBlendTop = 6;
constexpr std::size_t kBlendUpperRight = 7;
constexpr std::uint8_t kOpaque = 255;
}  // namespace map_layout

static_assert(sizeof(TMapHeader) == map_layout::kHeaderSize && offsetof(TMapHeader, TileCount) == 4 &&
              offsetof(TMapHeader, AirCount) == 16 && offsetof(TMapHeader, Version) == 20);
static_assert(sizeof(TSurfaceTile) == map_layout::kTileSize && offsetof(TSurfaceTile, Blend) == 3);
static_assert(sizeof(TGroundObject) == map_layout::kGroundSize && offsetof(TGroundObject, X) == 8 &&
              offsetof(TGroundObject, Padding) == 13);
static_assert(sizeof(TSpecialObject) == map_layout::kSpecialSize && offsetof(TSpecialObject, Param) == 3);
static_assert(sizeof(TAirObject) == map_layout::kAirSize && offsetof(TAirObject, X) == 12 &&
              offsetof(TAirObject, Padding) == 18);

}  // namespace editor
