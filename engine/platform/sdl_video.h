#pragma once

namespace engine {

// Starts (or joins) SDL's video subsystem. When the display cannot be reached SDL quietly falls back
// to its offscreen driver, which shows nothing and takes no input; unless that driver was asked for
// (SDL_VIDEODRIVER), the connection is tried again a few times first, since a busy X server now and
// then refuses one. False when video could not be started at all. Each success needs a ReleaseSdlVideo.
bool AcquireSdlVideo();
void ReleaseSdlVideo();

}  // namespace engine
