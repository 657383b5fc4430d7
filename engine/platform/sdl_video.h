#pragma once

namespace engine {

// Starts (or joins) SDL's video subsystem. When the display cannot be reached SDL quietly falls back
// to its offscreen driver, which shows nothing and takes no input; unless that driver was asked for
// (SDL_VIDEODRIVER), that counts as no display, after the connection has been tried again a few times
// (a busy X server now and then refuses one). False when there is no display or video could not be
// started at all. Each success needs a ReleaseSdlVideo.
bool AcquireSdlVideo();
void ReleaseSdlVideo();

}  // namespace engine
