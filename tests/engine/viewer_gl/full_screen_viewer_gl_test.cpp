#include "tests/engine/viewer_gl/viewer_gl_fixture.h"

#include "engine/platform/screen_error.h"

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

namespace engine::test {
namespace {

void PushToWindow(const TGLFullScreenViewer& viewer, SDL_Event event) {
    const Uint32 id = SDL_GetWindowID(viewer.Window()->Handle());
    switch (event.type) {
        case SDL_TEXTINPUT: event.text.windowID = id; break;
        case SDL_MOUSEBUTTONDOWN: event.button.windowID = id; break;
        case SDL_WINDOWEVENT: event.window.windowID = id; break;
        default: break;
    }
    SDL_PushEvent(&event);
}

SDL_Event Typed(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text, sizeof event.text.text - 1);
    return event;
}

SDL_Event CloseRequest() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    return event;
}

TEST_F(ViewerGL, TheLoopPaintsOnlyWhenTheSceneChanged) {
    PaintWhileInvalid();
    int frames = 0;
    viewer.Buffer().AfterRender = [&frames](TGLRenderBuffer*) { ++frames; };
    for (int i = 0; i < 10; ++i) {
        Application().ProcessMessages();
    }
    EXPECT_EQ(frames, 0) << "nothing changed";
    quad->SetPosition(TVec4{1, 0, 0, 1});
    EXPECT_TRUE(viewer.Invalid());
    for (int i = 0; i < 10; ++i) {
        Application().ProcessMessages();
    }
    EXPECT_EQ(frames, 1) << "one change, one frame";
}

TEST_F(ViewerGL, InputArrivesWithTheViewerAsSender) {
    std::vector<std::string> log;
    viewer.OnMouseDown = [&](TComponent* sender, TMouseButton button, TShiftState, int x, int y) {
        EXPECT_EQ(sender, &viewer);
        log.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    viewer.OnKeyPress = [&](TComponent* sender, char& key) {
        EXPECT_EQ(sender, &viewer);
        log.push_back(std::string("press ") + key);
        if (key == '0') {
            key = '\0';
            viewer.SetScreenActive(false);  // the game's quit key, from inside the window's event
        }
    };
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.button = SDL_BUTTON_RIGHT;
    down.button.x = 30;
    down.button.y = 40;
    PushToWindow(viewer, down);
    PushToWindow(viewer, Typed("w0"));
    for (int i = 0; i < 10 && viewer.ScreenActive(); ++i) {
        Application().ProcessMessages();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 30,40", "press w", "press 0"}));
    EXPECT_FALSE(viewer.ScreenActive());
    EXPECT_EQ(viewer.Window(), nullptr);
}

TEST_F(ViewerGL, ClosingAsksAndThenGivesTheScreenBack) {
    bool allow = false;
    int closes = 0;
    viewer.OnCloseQuery = [&allow](TComponent*, bool& canClose) { canClose = allow; };
    viewer.OnClose = [&closes](TComponent*) { ++closes; };
    PushToWindow(viewer, CloseRequest());
    for (int i = 0; i < 5; ++i) {
        Application().ProcessMessages();
    }
    EXPECT_TRUE(viewer.ScreenActive());
    allow = true;
    PushToWindow(viewer, CloseRequest());
    for (int i = 0; i < 5 && viewer.ScreenActive(); ++i) {
        Application().ProcessMessages();
    }
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(viewer.ScreenActive());
}

TEST_F(ViewerGL, LeavingDuringAFrameWaitsForItsEnd) {
    viewer.Buffer().BeforeRender = [this](TGLRenderBuffer*) { viewer.SetScreenActive(false); };
    Render();
    EXPECT_TRUE(viewer.ScreenActive()) << "the window stays while its frame is drawn";
    viewer.Buffer().BeforeRender = nullptr;
    for (int i = 0; i < 5 && viewer.ScreenActive(); ++i) {
        Application().ProcessMessages();
    }
    EXPECT_FALSE(viewer.ScreenActive());
}

TEST_F(ViewerGL, ANewLogicalSizeTakesTheScreenAgain) {
    // SDL numbers every window anew; a new window may well reuse the old one's memory.
    const Uint32 before = SDL_GetWindowID(viewer.Window()->Handle());
    viewer.SetWidth(640);
    viewer.SetHeight(480);
    ASSERT_TRUE(viewer.ScreenActive());
    EXPECT_NE(SDL_GetWindowID(viewer.Window()->Handle()), before);
    EXPECT_EQ(viewer.Window()->DrawableScreen().LogicalWidth(), 640);
    EXPECT_EQ(viewer.Buffer().Viewport().width, 640);
    EXPECT_EQ(viewer.Buffer().Viewport().height, 480);
    Render();
    EXPECT_GT(RgbAt(320, 240).r, 200) << "the quad is drawn in the new context";
}

TEST_F(ViewerGL, TheCursorSelectsItsSlotWhileTheScreenIsHeld) {
    CursorTable cursors;
    viewer.SetCursor(2);
    viewer.SetCursorTable(&cursors);
    EXPECT_EQ(cursors.Selected(), 2);
    viewer.SetCursor(5);
    EXPECT_EQ(cursors.Selected(), 5);
    viewer.SetScreenActive(false);
    EXPECT_EQ(cursors.Selected(), 0) << "the desktop gets its own pointer back";
    viewer.SetCursorTable(nullptr);
}

TEST(FullScreenViewerGL, TakesTheWholeVirtualDisplayWithoutSwitchingAndGivesItBack) {
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    TGLFullScreenViewer viewer;
    viewer.SetScreenDepth(sd24bits);
    viewer.SetRefreshRate(85);
    if (desktop.w < 800 || desktop.h < 600) {
        EXPECT_THROW(viewer.SetScreenActive(true), EScreenError) << "no mode of this display fits";
        return;
    }
    viewer.SetScreenActive(true);
    ASSERT_TRUE(viewer.ScreenActive());
    EXPECT_FALSE(viewer.DisplaySwitched()) << "the virtual display has only its desktop mode";
    EXPECT_FALSE(viewer.Window()->Windowed());
    EXPECT_EQ(viewer.Window()->DrawableScreen().OuterWidth(), desktop.w);
    viewer.Buffer().RenderToScreen();
    EXPECT_EQ(viewer.Buffer().FrameCount(), 1);
    viewer.SetScreenActive(false);
    EXPECT_FALSE(viewer.ScreenActive());
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    viewer.SetScreenActive(true);
    EXPECT_TRUE(viewer.ScreenActive()) << "the screen can be taken again";
}

TEST(FullScreenViewerGL, AModeNoDisplayHasIsRefusedAndNothingOpens) {
    TGLFullScreenViewer viewer;
    viewer.SetWidth(20000);
    try {
        viewer.SetScreenActive(true);
        FAIL() << "expected EScreenError";
    } catch (const EScreenError& error) {
        EXPECT_STREQ(error.what(), "Unsupported video mode");
    }
    EXPECT_FALSE(viewer.ScreenActive());
    EXPECT_FALSE(viewer.Buffer().HasRC());
}

}  // namespace
}  // namespace engine::test
