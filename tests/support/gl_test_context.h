#pragma once

#include <cstdint>
#include <vector>

namespace tests {

// Joins SDL's video subsystem once for the whole program and keeps it: opening a display connection
// per test now and then meets a refused one under Xvfb. Throws std::runtime_error without a display.
void HoldDisplay();

// One RGBA pixel (0xRRGGBBAA) of the current context's back buffer, x from the left, y from the bottom.
std::uint32_t BackBufferPixel(int x, int y);

// A hidden window with a current OpenGL compatibility context, for tests that draw and read pixels
// back. Needs a display: ./test runs GL tests under xvfb-run (Mesa's software renderer).
class GLTestContext {
public:
    GLTestContext(int width = 256, int height = 256);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The back buffer's RGBA pixels, rows bottom first as OpenGL reads them.
    std::vector<std::uint8_t> ReadPixels() const;
    // One RGBA pixel (0xRRGGBBAA), x from the left, y from the bottom.
    std::uint32_t PixelAt(int x, int y) const { return BackBufferPixel(x, y); }

private:
    int m_width;
    int m_height;
    void* m_window = nullptr;
    void* m_context = nullptr;
};

}  // namespace tests
