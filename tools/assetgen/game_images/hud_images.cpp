#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/sprite.h"
#include "tools/writers/noise.h"

#include <algorithm>
#include <cmath>

namespace tools::assetgen {
namespace {

using namespace hud_layout;

const Colour kEdge = Rgb(10, 12, 14);
const Colour kSteelLight = Rgb(168, 178, 188);
const Colour kSteelShadow = Rgb(30, 34, 40);
const Colour kWell = Rgb(24, 28, 34);
const Colour kAmber = Rgb(255, 176, 32);

// Panel rows are screen rows less the panel's top.
constexpr float Row(float screenY) { return screenY - static_cast<float>(kPanelTop); }

// Brushed steel with a little grain, dark enough that white digits and bright icons stand out.
Paint Steel(Colour top, Colour bottom, float y0, float y1) {
    static const TileableNoise grain(0x9a1);
    return [=](float x, float y) {
        const Colour base = Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f));
        const float streak = grain.Fbm(x / 1024.0f, y / 64.0f, 64, 2);
        return base * (1.0f + 0.06f * streak);
    };
}

// A raised plate: lit rim above and left, shadowed rim below and right, then its face.
void RaisedPlate(Sprite& sprite, float left, float top, float right, float bottom, float chamfer, const Paint& face) {
    sprite.Fill(ChamferedBox(left, top, right, bottom, chamfer), Solid(kSteelLight));
    sprite.Detail(ChamferedBox(left + 2, top + 2, right, bottom, chamfer), Solid(kSteelShadow));
    sprite.Detail(ChamferedBox(left + 2, top + 2, right - 2, bottom - 2, chamfer - 1), face);
}

// A recess: the reverse of a plate.
void Well(Sprite& sprite, float left, float top, float right, float bottom, float radius) {
    sprite.Detail(RoundedBox(left, top, right, bottom, radius), Solid(Rgb(8, 9, 11)));
    sprite.Detail(RoundedBox(left + 2, top + 2, right, bottom, radius), Solid(Rgb(120, 128, 138)));
    sprite.Detail(RoundedBox(left + 2, top + 2, right - 2, bottom - 2, radius - 1), Solid(kWell));
}

void Rivet(Sprite& sprite, float x, float y) {
    sprite.Detail(Disc({x, y}, 2.5f), Solid(kSteelShadow));
    sprite.Detail(Disc({x - 0.5f, y - 0.5f}, 1.6f), Solid(kSteelLight));
}

void MoneyWindow(Sprite& sprite) {
    const auto right = static_cast<float>(kMoneyRight + 7);
    const auto left = static_cast<float>(kMoneyRight - kMoneyGlyphs * kGlyphWidth - 7);
    const float top = Row(kMoneyY - kGlyphHeight / 2 - 7);
    const float bottom = Row(kMoneyY + kGlyphHeight / 2 + 7);
    Well(sprite, left, top, right, bottom, 4);
    sprite.Detail(Box(left + 4, top + 4, right - 4, bottom - 4),
                  VerticalGradient(Rgb(8, 30, 22), Rgb(4, 16, 12), top, bottom));
    // A coin beside the window says what the number counts.
    const Point coin{left - 14, (top + bottom) * 0.5f};
    sprite.Detail(Disc(coin, 8), Solid(Rgb(90, 60, 6)));
    sprite.Detail(Disc({coin.X - 0.5f, coin.Y - 0.5f}, 6.5f), Solid(Rgb(250, 200, 60)));
    sprite.Detail(Annulus(coin, 3.0f, 4.2f), Solid(Rgb(170, 120, 20)));
}

void ButtonWells(Sprite& sprite) {
    const float top = Row(kButtonY - kButtonSize / 2 - 4);
    const float bottom = Row(kPriceY + kGlyphHeight / 2 + 5);
    // The three tower buttons share one tray; the repair button has its own.
    Well(sprite, static_cast<float>(kButtonX[0] - kButtonSize / 2 - 4), top,
         static_cast<float>(kButtonX[2] + kButtonSize / 2 + 3), bottom, 5);
    Well(sprite, static_cast<float>(kButtonX[3] - kButtonSize / 2 - 3), top,
         static_cast<float>(kButtonX[3] + kButtonSize / 2 + 4), bottom, 5);
}

}  // namespace

RgbaImage MakeHudPanel() {
    Sprite sprite(kPanelWidth, kPanelHeight);
    const float deckTop = Row(560);
    const float consoleTop = Row(420);
    const float floor = static_cast<float>(kPanelHeight) + 20;  // below the screen: no chamfer shows there

    // A low deck across most of the screen, and the console that carries money and buttons.
    RaisedPlate(sprite, 96, deckTop, kScreenWidth - 96, floor, 22,
                Steel(Rgb(88, 96, 106), Rgb(48, 54, 62), deckTop, kPanelHeight));
    RaisedPlate(sprite, 224, consoleTop, 536, floor, 30,
                Steel(Rgb(104, 112, 124), Rgb(54, 60, 70), consoleTop, kPanelHeight));
    // An amber strip along the console's top.
    sprite.Detail(Box(262, consoleTop + 5, 498, consoleTop + 8), Solid(kAmber));

    for (const float side : {0.0f, 1.0f}) {
        // Vents on the deck's wings.
        const float wingLeft = side == 0.0f ? 130.0f : 560.0f;
        for (int slot = 0; slot < 3; ++slot) {
            const float y = deckTop + 12 + 7.0f * static_cast<float>(slot);
            sprite.Detail(RoundedBox(wingLeft, y, wingLeft + 80, y + 3, 1.5f), Solid(Rgb(16, 18, 22)));
        }
        Rivet(sprite, side == 0.0f ? 112.0f : kScreenWidth - 112.0f, deckTop + 14);
        Rivet(sprite, side == 0.0f ? 238.0f : 522.0f, consoleTop + 40);
    }
    MoneyWindow(sprite);
    ButtonWells(sprite);
    sprite.Outline(kEdge, 2.0f);
    // Nothing shows beyond the screen's right edge.
    sprite.Cut(Box(kScreenWidth, 0, kPanelWidth + 1, kPanelHeight + 1));
    return sprite.ToImage();
}

}  // namespace tools::assetgen
