#pragma once

#include "platform/image.h"

namespace engine {

// The back buffer's pixels in a rectangle given from the bottom-left corner, as glReadPixels takes
// it, turned into a picture with its top row first. Needs the context to be current.
platform::Image ReadFrameBuffer(int x, int y, int width, int height);

}  // namespace engine
