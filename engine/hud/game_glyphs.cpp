#include "engine/hud/game_glyphs.h"

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
    font.SetGlyphs(GameGlyphPicture());
    font.Ranges().Clear();
    TBitmapFontRange& digits = font.Ranges().Add();
    digits.SetStartASCII('0');
    digits.SetStopASCII(':');
    digits.SetStartGlyphIdx(0);
    font.SetCharWidth(11);
    font.SetCharHeight(8);
    font.SetGlyphsIntervalX(0);
    font.SetGlyphsIntervalY(0);
    font.SetMagFilter(TGLMagFilter::maNearest);
    font.SetMinFilter(TGLMinFilter::miNearest);
    font.SetGlyphsAlpha(TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
}

}  // namespace engine
