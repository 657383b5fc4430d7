#include "engine/platform/sdl_video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace engine {
namespace {

constexpr int kAttempts = 10;
constexpr Uint32 kRetryDelayMs = 50;

bool IsFallbackDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace

bool AcquireSdlVideo() {
    const bool driverAsked = SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr;
    const bool running = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    // Without a display server named there is nobody to ask again.
    const int attempts = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ? kAttempts : 1;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            if (running || driverAsked || !IsFallbackDriver(SDL_GetCurrentVideoDriver())) {
                return true;
            }
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        if (attempt == attempts) {
            return false;
        }
        SDL_Delay(kRetryDelayMs);
    }
}

void ReleaseSdlVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

}  // namespace engine
