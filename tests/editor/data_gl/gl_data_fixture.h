#pragma once

#include "tests/editor/data/data_test_fixture.h"
#include "tests/support/gl_test_context.h"

#include <GL/gl.h>

#include <memory>

namespace editor {

// A current context with a plain 2D set-up: identity matrices, so x and y in -1..1 fill the view.
class GLDataFixture : public DataTestFixture {
protected:
    void SetUp() override {
        DataTestFixture::SetUp();
        m_gl = std::make_unique<tests::GLTestContext>(64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }
    void TearDown() override {
        m_gl.reset();
        DataTestFixture::TearDown();
    }

    // 0xRRGGBBAA of the pixel, x from the left, y from the bottom.
    std::uint32_t PixelAt(int x, int y) const { return m_gl->PixelAt(x, y); }

    std::unique_ptr<tests::GLTestContext> m_gl;
};

}  // namespace editor
