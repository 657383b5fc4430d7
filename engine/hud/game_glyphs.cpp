#include "engine/hud/game_glyphs.h"

#include "engine/hud/pixel_font.h"

#include <array>
#include <string_view>

namespace engine {
namespace {

// Top row first; '#' is black, '.' is white.
constexpr std::array<std::string_view, 8> kGlyphRows = {
    "#........####...######.........##.........##..####..###..........##........##.........###........###........###.........########",
    "..........###....#####..........#..........#..####..###..........#.........##..........#..........#..........#..........########",
    "..######..#####..#############..#########..#..####..###..#########..#################..#..######..#..######..#..##..############",
    "..######..#####..######.........##.........#..####..###.........##.........##########..#..........#..........#.........#########",
    "..######..#####..#####.........###.........#..........#..........#..........#########..#..........##.........##.........########",
    "..######..#####..#####..#################..##.........#########..#..######..#########..#..######..#########..#####..##..########",
    "..........#####..#####..........#..........#######..###..........#..........#########..#..........##.........#..........########",
    "#........######..#####..........#.........########..###.........###........##########..##........###........##.........#########",
};

}  // namespace

platform::Image GameGlyphPicture() {
    platform::Image picture;
    picture.Width = static_cast<std::int32_t>(kGlyphRows[0].size());
    picture.Height = static_cast<std::int32_t>(kGlyphRows.size());
    picture.Pixels.reserve(static_cast<std::size_t>(picture.Width) * picture.Height * 4);
    for (std::string_view row : kGlyphRows) {
        for (char pixel : row) {
            const std::uint8_t value = pixel == '#' ? 0 : 255;
            picture.Pixels.insert(picture.Pixels.end(), {value, value, value, 255});
        }
    }
    return picture;
}

void SetUpGameFont(TGLCustomBitmapFont& font) {
    SetUpPixelFont(font, GameGlyphPicture(), '0', ':', 11, 8);
}

}  // namespace engine
