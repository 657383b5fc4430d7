#include "engine/platform/screen_window.h"

#include "engine/platform/screen_error.h"

#include <gtest/gtest.h>
#include <SDL.h>
#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace engine {
namespace {

ScreenWindowOptions Windowed() {
    ScreenWindowOptions options;
    options.windowed = true;
    options.title = "screen window test";
    return options;
}

void PumpFor(int milliseconds) {
    const Uint32 end = SDL_GetTicks() + milliseconds;
    while (SDL_GetTicks() < end) {
        SDL_PumpEvents();
        SDL_Delay(5);
    }
}

void ResizeTo(ScreenWindow& window, int width, int height) {
    SDL_SetWindowPosition(window.Handle(), 0, 0);
    SDL_SetWindowSize(window.Handle(), width, height);
    PumpFor(100);
}

// One RGB pixel of the back buffer, y counted from the top.
std::uint32_t PixelAt(const LogicalScreen& screen, int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, screen.OuterHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
}

// Clears the logical screen red (a clear the scene itself would make) and draws a green square over
// logical (100, 100) to (300, 200), in logical pixels with y down, as the HUD draws.
void DrawLogicalFrame(ScreenWindow& window) {
    glClearColor(1, 0, 0, 1);
    window.BeginLogicalFrame();
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glColor3f(0, 1, 0);
    glBegin(GL_QUADS);
    glVertex2f(100, 100);
    glVertex2f(300, 100);
    glVertex2f(300, 200);
    glVertex2f(100, 200);
    glEnd();
    glFinish();
}

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xff0000;
constexpr std::uint32_t kGreen = 0x00ff00;

void ExpectScaledFrame(ScreenWindow& window) {
    const LogicalScreen screen = window.DrawableScreen();
    const ScreenRect box = screen.Box();
    const auto at = [&](int lx, int ly) {
        const ScreenPoint p = screen.ToOuter(lx, ly);
        return PixelAt(screen, p.x, p.y);
    };
    EXPECT_EQ(at(0, 0), kRed);
    EXPECT_EQ(at(799, 599), kRed);
    EXPECT_EQ(at(110, 110), kGreen);
    EXPECT_EQ(at(290, 190), kGreen);
    EXPECT_EQ(at(310, 150), kRed);
    EXPECT_EQ(at(200, 210), kRed);
    if (box.x > 0) {
        EXPECT_EQ(PixelAt(screen, box.x - 1, box.height / 2), kBlack) << "left bar";
        EXPECT_EQ(PixelAt(screen, box.x + box.width, box.height / 2), kBlack) << "right bar";
        EXPECT_EQ(PixelAt(screen, 0, 0), kBlack);
    }
    if (box.y > 0) {
        EXPECT_EQ(PixelAt(screen, box.width / 2, box.y - 1), kBlack) << "top bar";
        EXPECT_EQ(PixelAt(screen, box.width / 2, box.y + box.height), kBlack) << "bottom bar";
    }
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f) << "the program's clear colour is left as it was";
}

// Whitens the whole window, then draws the logical frame; again until the display has applied the
// window's size (it does so in its own time, and the GL buffers follow at the next swap).
void DrawWhenSettled(ScreenWindow& window) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        window.MakeCurrent();
        glDisable(GL_SCISSOR_TEST);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        DrawLogicalFrame(window);
        const LogicalScreen screen = window.DrawableScreen();
        const ScreenPoint first = screen.ToOuter(0, 0);
        const ScreenPoint last = screen.ToOuter(799, 599);
        if (PixelAt(screen, first.x, first.y) == kRed && PixelAt(screen, last.x, last.y) == kRed) {
            return;
        }
        window.SwapBuffers();
        PumpFor(30);
    }
}

TEST(ScreenWindow, OpensAnOpenGLWindowOfTheLogicalSize) {
    ScreenWindow window(Windowed());
    EXPECT_FALSE(window.DisplaySwitched());
    const LogicalScreen screen = window.DrawableScreen();
    EXPECT_EQ(screen.OuterWidth(), 800);
    EXPECT_EQ(screen.OuterHeight(), 600);
    window.MakeCurrent();
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    DrawWhenSettled(window);
    ExpectScaledFrame(window);
}

TEST(ScreenWindow, AWiderWindowShowsTheScreenScaledBetweenSideBars) {
    ScreenWindow window(Windowed());
    ResizeTo(window, 1000, 600);
    ASSERT_EQ(window.DrawableScreen().OuterWidth(), 1000) << "the window manager refused the size";
    DrawWhenSettled(window);
    EXPECT_EQ(window.DrawableScreen().Box().x, 100);
    ExpectScaledFrame(window);
}

TEST(ScreenWindow, ATallerWindowShowsTheScreenShrunkBetweenTopAndBottomBars) {
    ScreenWindow window(Windowed());
    ResizeTo(window, 640, 700);
    ASSERT_EQ(window.DrawableScreen().OuterHeight(), 700);
    DrawWhenSettled(window);
    EXPECT_EQ(window.DrawableScreen().Box().height, 480);
    ExpectScaledFrame(window);
}

TEST(ScreenWindow, FullScreenCoversTheDisplayAndLetterboxes) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ScreenWindowOptions options;
    options.bits = 24;
    options.refreshRate = 85;
    if (desktop.w < 800 || desktop.h < 600) {
        EXPECT_THROW(ScreenWindow window(options), EScreenError) << "no mode of this display fits";
        return;
    }
    ScreenWindow window(options);
    EXPECT_FALSE(window.DisplaySwitched()) << "the virtual display's only mode is its desktop";
    const LogicalScreen screen = window.DrawableScreen();
    EXPECT_EQ(screen.OuterWidth(), desktop.w);
    EXPECT_EQ(screen.OuterHeight(), desktop.h);
    DrawWhenSettled(window);
    ExpectScaledFrame(window);
}

TEST(ScreenWindow, TheModeTableStartsWithTheDesktopAndListsItsMode) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    const VideoModeTable& table = SdlVideoModes();
    ASSERT_GE(table.Size(), 2u);
    EXPECT_EQ(table[0].description, "default");
    const std::size_t listed = table.BestMode(table[0].width, table[0].height, table[0].bits);
    ASSERT_NE(listed, 0u);
    EXPECT_EQ(table[listed].width, table[0].width);
    EXPECT_EQ(table[listed].height, table[0].height);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(ScreenWindow, RefusesAModeNoDisplayHas) {
    ScreenWindowOptions options;
    options.width = 20000;
    try {
        ScreenWindow window(options);
        FAIL() << "expected EScreenError";
    } catch (const EScreenError& error) {
        EXPECT_STREQ(error.what(), "Unsupported video mode");
    }
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST(ScreenWindow, SwapIntervalFollowsTheRequest) {
    ScreenWindow window(Windowed());
    if (!window.SetSwapInterval(0)) {
        GTEST_SKIP() << "the driver has no swap control";
    }
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 0);
    if (window.SetSwapInterval(1)) {
        EXPECT_EQ(SDL_GL_GetSwapInterval(), 1);
    }
}

// Records the window's events as text, in order.
class EventLog {
public:
    explicit EventLog(ScreenWindow& window) {
        window.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { Add("down", b, s, x, y); };
        window.OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) { Add("up", b, s, x, y); };
        window.OnMouseMove = [this](TShiftState s, int x, int y) { Add("move", 0, s, x, y); };
        window.OnMouseWheel = [this](TShiftState, int delta, int x, int y) { Add("wheel", delta, 0, x, y); };
        window.OnClick = [this] { lines.push_back("click"); };
        window.OnDblClick = [this] { lines.push_back("dblclick"); };
        window.OnKeyDown = [this](int key, TShiftState) { lines.push_back("keydown " + std::to_string(key)); };
        window.OnKeyUp = [this](int key, TShiftState) { lines.push_back("keyup " + std::to_string(key)); };
        window.OnKeyPress = [this](char& key) { lines.push_back(std::string("press ") + key); };
        window.OnPaint = [this] { lines.push_back("paint"); };
        window.OnMouseEnter = [this] { lines.push_back("enter"); };
        window.OnMouseLeave = [this] { lines.push_back("leave"); };
    }
    std::vector<std::string> lines;

private:
    void Add(const char* what, int value, int shift, int x, int y) {
        lines.push_back(std::string(what) + " " + std::to_string(value) + " " + std::to_string(shift) + " " +
                        std::to_string(x) + "," + std::to_string(y));
    }
};

SDL_Event Button(const ScreenWindow& window, bool down, Uint8 button, int x, int y, Uint8 clicks = 1) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(window.Handle());
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

class ScreenWindowEvents : public testing::Test {
protected:
    void SetUp() override {
        m_window = std::make_unique<ScreenWindow>(Windowed());
        ResizeTo(*m_window, 1600, 1200);  // twice the logical size: every position halves
        ASSERT_EQ(m_window->WindowScreen().OuterWidth(), 1600);
        m_log = std::make_unique<EventLog>(*m_window);
    }
    std::unique_ptr<ScreenWindow> m_window;
    std::unique_ptr<EventLog> m_log;
};

TEST_F(ScreenWindowEvents, MousePositionsArriveInLogicalPixels) {
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = SDL_GetWindowID(m_window->Handle());
    move.motion.x = 1599;
    move.motion.y = 601;
    move.motion.state = SDL_BUTTON_RMASK;
    EXPECT_TRUE(m_window->HandleEvent(move));
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = move.motion.windowID;
    wheel.wheel.y = -2;
    wheel.wheel.mouseX = 10;
    wheel.wheel.mouseY = 20;
    m_window->HandleEvent(wheel);
    EXPECT_EQ(m_log->lines, (std::vector<std::string>{"move 0 16 799,300", "wheel -240 0 5,10"}));
}

TEST_F(ScreenWindowEvents, ALeftClickReportsTheClickBeforeTheRelease) {
    m_window->HandleEvent(Button(*m_window, true, SDL_BUTTON_LEFT, 200, 400));
    m_window->HandleEvent(Button(*m_window, false, SDL_BUTTON_LEFT, 202, 400));
    m_window->HandleEvent(Button(*m_window, true, SDL_BUTTON_RIGHT, 0, 0));
    m_window->HandleEvent(Button(*m_window, false, SDL_BUTTON_RIGHT, 0, 0));
    EXPECT_EQ(m_log->lines, (std::vector<std::string>{"down 0 8 100,200", "click", "up 0 0 101,200",
                                                      "down 1 16 0,0", "up 1 0 0,0"}));
}

TEST_F(ScreenWindowEvents, TheSecondPressOfADoubleClickIsNoClick) {
    m_window->HandleEvent(Button(*m_window, true, SDL_BUTTON_LEFT, 10, 10));
    m_window->HandleEvent(Button(*m_window, false, SDL_BUTTON_LEFT, 10, 10));
    m_window->HandleEvent(Button(*m_window, true, SDL_BUTTON_LEFT, 10, 10, 2));
    m_window->HandleEvent(Button(*m_window, false, SDL_BUTTON_LEFT, 10, 10, 2));
    EXPECT_EQ(m_log->lines, (std::vector<std::string>{"down 0 8 5,5", "click", "up 0 0 5,5", "dblclick",
                                                      "down 0 72 5,5", "up 0 0 5,5"}));
}

TEST_F(ScreenWindowEvents, KeysAndTypedCharactersArriveAsKeyEvents) {
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = SDL_GetWindowID(m_window->Handle());
    SDL_strlcpy(text.text.text, "0\xc3\xa9w", sizeof text.text.text);
    m_window->HandleEvent(text);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = text.text.windowID;
    key.key.keysym.sym = SDLK_RETURN;
    m_window->HandleEvent(key);
    key.type = SDL_KEYUP;
    m_window->HandleEvent(key);
    EXPECT_EQ(m_log->lines, (std::vector<std::string>{"press 0", "press w", "keydown 13", "press \r", "keyup 13"}));
}

TEST_F(ScreenWindowEvents, EventsOfOtherWindowsAreLeftAlone) {
    SDL_Event event = Button(*m_window, true, SDL_BUTTON_LEFT, 1, 1);
    event.button.windowID += 1000;
    EXPECT_FALSE(m_window->HandleEvent(event));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(m_window->HandleEvent(quit));
    EXPECT_TRUE(m_log->lines.empty());
}

TEST_F(ScreenWindowEvents, ThePointerEnteringAndLeavingIsTold) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(m_window->Handle());
    for (const Uint8 what : {SDL_WINDOWEVENT_LEAVE, SDL_WINDOWEVENT_ENTER}) {
        event.window.event = what;
        EXPECT_TRUE(m_window->HandleEvent(event));
    }
    EXPECT_EQ(m_log->lines, (std::vector<std::string>{"leave", "enter"}));
}

TEST_F(ScreenWindowEvents, ClosingAsksFirst) {
    bool allow = false;
    int closes = 0;
    m_window->OnCloseQuery = [&allow](bool& canClose) { canClose = allow; };
    m_window->OnClose = [&closes] { ++closes; };
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = SDL_GetWindowID(m_window->Handle());
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    m_window->HandleEvent(close);
    EXPECT_EQ(closes, 0);
    allow = true;
    m_window->HandleEvent(close);
    EXPECT_EQ(closes, 1);
}

TEST_F(ScreenWindowEvents, AHandlerMayDestroyTheWindow) {
    int releases = 0;
    m_window->OnClick = [this] { m_window.reset(); };
    m_window->OnMouseUp = [&releases](TMouseButton, TShiftState, int, int) { ++releases; };
    ScreenWindow* raw = m_window.get();
    raw->HandleEvent(Button(*raw, true, SDL_BUTTON_LEFT, 10, 10));
    raw->HandleEvent(Button(*raw, false, SDL_BUTTON_LEFT, 10, 10));
    EXPECT_EQ(m_window, nullptr);
    EXPECT_EQ(releases, 0) << "nothing of the destroyed window runs after its handler";
}

TEST_F(ScreenWindowEvents, WarpingPutsThePointerOnTheLogicalPixel) {
    SDL_Rect display{};
    SDL_GetDisplayBounds(0, &display);
    if (display.w < 1000 || display.h < 750) {
        GTEST_SKIP() << "the window must fit on the display for the pointer to reach every pixel";
    }
    ResizeTo(*m_window, 1000, 750);
    bool moved = false;
    std::string last;
    m_window->OnMouseMove = [&](TShiftState, int x, int y) {
        moved = true;
        last = std::to_string(x) + "," + std::to_string(y);
    };
    // Warped again now and then: a warp before the display has placed the window reports nothing.
    for (int i = 0; i < 300 && last != "123,456"; ++i) {
        if (i % 20 == 0) {
            m_window->WarpMouse(123, 456);
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            m_window->HandleEvent(event);
        }
        SDL_Delay(10);
    }
    ASSERT_TRUE(moved) << "the display sent no motion after the warp";
    EXPECT_EQ(last, "123,456");
}

}  // namespace
}  // namespace engine
