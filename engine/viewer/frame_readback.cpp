#include "engine/viewer/frame_readback.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace engine {

platform::Image ReadFrameBuffer(int x, int y, int width, int height) {
    platform::Image image;
    image.Width = width;
    image.Height = height;
    image.Pixels.resize(static_cast<std::size_t>(width) * height * 4);
    std::vector<std::uint8_t> rows(image.Pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int row = 0; row < height; ++row) {
        std::copy_n(rows.data() + stride * static_cast<std::size_t>(height - 1 - row), stride, image.Row(row));
    }
    return image;
}

}  // namespace engine
