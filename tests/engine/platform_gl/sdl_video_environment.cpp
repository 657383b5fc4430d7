#include <gtest/gtest.h>
#include <SDL.h>

namespace {

// Holds one display connection for the whole test program. Under Xvfb an X connection now and then
// fails to open, and SDL then quietly falls back to its offscreen driver (no cursors, no pointer);
// connecting once, with retries and X11 named, keeps every test on the real display.
class SdlVideoEnvironment : public testing::Environment {
public:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
                m_initialised = true;
                return;
            }
            SDL_Delay(50);
        }
        FAIL() << "no X display: " << SDL_GetError();
    }
    void TearDown() override {
        if (m_initialised) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }

private:
    bool m_initialised = false;
};

testing::Environment* const kSdlVideo = testing::AddGlobalTestEnvironment(new SdlVideoEnvironment);

}  // namespace
