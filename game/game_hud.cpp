#include "game/game_hud.h"

#include "engine/hud/text_glyphs.h"
#include "game/designed_scene.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string_view>

namespace game {

using namespace engine;

namespace {

constexpr float kScreenWidth = 800;
constexpr float kScreenHeight = 600;
// The words are drawn at twice the font's pixels (three for headlines), so they read at 800 x 600.
constexpr float kWordScale = 2;
constexpr float kHeadlineScale = 3;
constexpr float kLineHeight = (text_glyphs::CellHeight + 1) * kWordScale;
constexpr float kPadding = 8;
// The tooltip's box stands on this line, just above the buttons.
constexpr float kTooltipBottom = 505;
constexpr float kBarAboveBug = 1.2f;
constexpr float kBarWidth = 1.2f;
constexpr float kPopupAboveBug = 1.6f;
constexpr float kPopupRise = 40;  // pixels a second

constexpr TVec4 kWhite{1, 1, 1, 1};
constexpr TVec4 kGold{1, 0.85f, 0.25f, 1};
constexpr TVec4 kMend{0.55f, 1, 0.55f, 1};
constexpr TVec4 kFallen{1, 0.32f, 0.25f, 1};
constexpr TVec4 kBoxColour{0.04f, 0.05f, 0.07f, 0.85f};
constexpr TVec4 kDimColour{0, 0, 0, 0.45f};

// Unlit, unfogged, blended by its colour's alpha: the look of every plain box and bar here.
void Plain(TGLMaterial& material, const TVec4& colour) {
    material.SetMaterialOptions({TMaterialOption::moIgnoreFog, TMaterialOption::moNoLighting});
    material.FrontProperties().Diffuse().SetColor(colour);
    material.SetBlendingMode(TBlendingMode::bmTransparency);
}

TGLHUDSprite* Box(TGLBaseSceneObject& parent, const char* name, float x, float y, float width, float height,
                  const TVec4& colour) {
    auto* box = parent.CreateChild<TGLHUDSprite>();
    box->SetName(name);
    box->SetPosition(TVec4{x, y, 0, 1});
    box->SetWidth(width);
    box->SetHeight(height);
    box->SetNoZWrite(true);
    Plain(box->Material(), colour);
    return box;
}

TGLHUDText* Words(TGLBaseSceneObject& parent, TGLBitmapFont& font, const char* name, float x, float y,
                  TAlignment alignment, TTextLayout layout, float scale, const TVec4& colour) {
    auto* text = parent.CreateChild<TGLHUDText>();
    text->SetName(name);
    text->SetBitmapFont(&font);
    text->SetPosition(TVec4{x, y, 0, 1});
    text->SetAlignment(alignment);
    text->SetLayout(layout);
    text->SetScale(TVec4{scale, scale, 1, 0});
    text->ModulateColor().SetColor(colour);
    return text;
}

TGLSprite* Bar(TGLBaseSceneObject& parent, float width, float height, const TVec4& colour) {
    auto* bar = parent.CreateChild<TGLSprite>();
    bar->SetWidth(width);
    bar->SetHeight(height);
    bar->SetNoZWrite(true);
    Plain(bar->Material(), colour);
    return bar;
}

// The lines of a text and the widest of them, in the font's pixels.
struct TTextSize {
    int Lines = 1;
    int Width = 0;
};
TTextSize SizeOf(const TGLCustomBitmapFont& font, std::string_view text) {
    TTextSize size{0, 0};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\r', start), text.size());
        size.Width = std::max(size.Width, font.TextWidth(std::string(text.substr(start, end - start))));
        ++size.Lines;
        start = end + 1;
    }
    return size;
}

// The colour of a bar by the share of health left, as the base's own bar shows its bands.
TVec4 ShareColour(float share) {
    return share >= 0.6f ? TVec4{0.2f, 1, 0.2f, 1} : share >= 0.3f ? TVec4{1, 1, 0.1f, 1} : TVec4{1, 0.15f, 0.1f, 1};
}

}  // namespace

TGameHud::TGameHud(TDesignedScene& scene) {
    SetUpTextFont(TextFont);
    TextFont.SetName("TextFont");

    Bars = scene.scene->CreateChild<TGLDummyCube>();
    Bars->SetName("bug_bars");
    for (int i = 1; i <= rules::BugCount; ++i) {
        BugBars[i].Frame = Bar(*Bars, kBarWidth + 0.1f, 0.18f, TVec4{0, 0, 0, 0.8f});
        BugBars[i].Fill = Bar(*BugBars[i].Frame, kBarWidth, 0.1f, kWhite);
        BugBars[i].Frame->SetVisible(false);
    }

    // The pause dims the scene, drawn just before the designed sign so its bars stay bright; its
    // words go below them.
    TGLBaseSceneObject& root = scene.World1.Objects();
    auto pause = std::make_unique<TGLDummyCube>();
    PauseDim = pause.get();
    PauseDim->SetName("pause_dim");
    PauseDim->SetObjectsSorting(osNone);
    PauseDim->SetVisible(false);
    root.InsertChild(root.IndexOfChild(scene.pause_sign), std::move(pause));
    Box(*PauseDim, "pause_shade", kScreenWidth / 2, kScreenHeight / 2, kScreenWidth, kScreenHeight, kDimColour);
    Words(*PauseDim, TextFont, "pause_words", kScreenWidth / 2, 345, taCenter, tlTop, kWordScale, kWhite)
        ->SetText("Paused\rPause or F9 to go on");

    Root = root.CreateChild<TGLDummyCube>();
    Root->SetName("game_hud");
    // In the order made: each box before its words, the fallen base's panel over everything.
    Root->SetObjectsSorting(osNone);
    WaveLine = Words(*Root, TextFont, "wave_line", kScreenWidth / 2, 12, taCenter, tlTop, kWordScale, kWhite);
    SpeedSign = Words(*Root, TextFont, "speed_sign", 792, 30, taRightJustify, tlTop, kHeadlineScale, kGold);
    // Under the wave line, clear of the pause's words.
    RepairBox = Box(*Root, "repair_box", kScreenWidth / 2, 66, 520, 34, kBoxColour);
    RepairSign = Words(*RepairBox, TextFont, "repair_sign", kScreenWidth / 2, 66, taCenter, tlCenter, kWordScale, kMend);
    RepairSign->SetText("Repair: click the base (+40 health)");
    RepairBox->SetVisible(false);
    TooltipBox = Box(*Root, "tooltip_box", 0, 0, 0, 0, kBoxColour);
    Tooltip = Words(*TooltipBox, TextFont, "tooltip", 0, 0, taLeftJustify, tlCenter, kWordScale, kWhite);
    TooltipBox->SetVisible(false);
    for (TPopup& popup : m_popups) {
        popup.Text = Words(*Root, TextFont, "reward_popup", 0, 0, taCenter, tlCenter, kWordScale, kGold);
        popup.Text->SetVisible(false);
    }
    DefeatDim = Box(*Root, "defeat_dim", kScreenWidth / 2, kScreenHeight / 2, kScreenWidth, kScreenHeight, kDimColour);
    DefeatBox = Box(*DefeatDim, "defeat_box", kScreenWidth / 2, 270, 500, 290, TVec4{0.1f, 0.04f, 0.04f, 0.96f});
    DefeatTitle = Words(*DefeatBox, TextFont, "defeat_title", kScreenWidth / 2, 142, taCenter, tlTop, kHeadlineScale, kFallen);
    DefeatTitle->SetText("THE BASE HAS FALLEN");
    DefeatBody = Words(*DefeatBox, TextFont, "defeat_body", 190, 196, taLeftJustify, tlTop, kWordScale, kWhite);
    DefeatKeys = Words(*DefeatBox, TextFont, "defeat_keys", kScreenWidth / 2, 382, taCenter, tlTop, kWordScale, kGold);
    DefeatKeys->SetText("R: play again     0: quit");
    DefeatDim->SetVisible(false);
}

// The nodes that write with the font go before it.
TGameHud::~TGameHud() {
    for (TGLBaseSceneObject* node : std::initializer_list<TGLBaseSceneObject*>{Root, Bars, PauseDim}) {
        node->Free();
    }
}

void TGameHud::ShowTooltip(const std::string& text, float buttonX) {
    TooltipBox->SetVisible(!text.empty());
    if (text.empty()) {
        return;
    }
    const TTextSize size = SizeOf(TextFont, text);
    const float width = static_cast<float>(size.Width) * kWordScale + 2 * kPadding;
    const float height = static_cast<float>(size.Lines) * kLineHeight + 2 * kPadding;
    const float x = std::clamp(buttonX, width / 2 + 4, kScreenWidth - width / 2 - 4);
    const float y = kTooltipBottom - height / 2;
    TooltipBox->SetPosition(TVec4{x, y, 0, 1});
    TooltipBox->SetWidth(width);
    TooltipBox->SetHeight(height);
    Tooltip->SetPosition(TVec4{x - width / 2 + kPadding, y, 0, 1});
    Tooltip->SetText(text);
}

void TGameHud::ShowSpeed(int speed) {
    SpeedSign->SetText(speed == 1 ? "" : std::to_string(speed) + "x");
}

void TGameHud::ShowWaveLine(const std::string& text) {
    WaveLine->SetText(text);
}

void TGameHud::ShowDefeat(const std::string& body) {
    DefeatBody->SetText(body);
    DefeatDim->SetVisible(!body.empty());
}

void TGameHud::ShowBugBar(int bug, const std::optional<TVec4>& above, float share) {
    const TBugBar& bar = BugBars[static_cast<std::size_t>(bug)];
    bar.Frame->SetVisible(above.has_value());
    if (!above) {
        return;
    }
    bar.Frame->SetPosition(TVec4{above->X, above->Y + kBarAboveBug, above->Z, 1});
    const float clamped = std::clamp(share, 0.0f, 1.0f);
    bar.Fill->SetWidth(kBarWidth * clamped);
    bar.Fill->Material().FrontProperties().Diffuse().SetColor(ShareColour(clamped));
}

void TGameHud::AddPopup(const TVec4& at, const std::string& text) {
    TPopup& popup = m_popups[static_cast<std::size_t>(m_nextPopup)];
    m_nextPopup = (m_nextPopup + 1) % PopupCount;
    popup.At = TVec4{at.X, at.Y + kPopupAboveBug, at.Z, 1};
    popup.Age = 0;
    popup.Text->SetText(text);
}

void TGameHud::PlacePopup(TPopup& popup, const TVec4& screen) {
    popup.Text->SetPosition(TVec4{screen.X, screen.Y - static_cast<float>(popup.Age) * kPopupRise, 0, 1});
    TVec4 colour = kGold;
    colour.W = static_cast<float>(1 - popup.Age / PopupSeconds);
    popup.Text->ModulateColor().SetColor(colour);
}

void TGameHud::ClearPopups() {
    for (TPopup& popup : m_popups) {
        popup.Age = PopupSeconds;
        popup.Text->SetVisible(false);
    }
}

int TGameHud::PopupsShown() const {
    return static_cast<int>(std::count_if(m_popups.begin(), m_popups.end(),
                                          [](const TPopup& popup) { return popup.Text->Visible(); }));
}

}  // namespace game
