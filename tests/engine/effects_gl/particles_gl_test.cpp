#include "effects_gl_fixture.h"
#include "engine/effects/particle_fx_renderer.h"
#include "engine/effects/perlin_pfx_manager.h"

#include <array>

namespace engine::test {
namespace {

// Draws each particle as a flat square of half-size 0.5 facing +Z, red or green by the parity of
// ID + colorOffset.
class FlatManager : public TGLDynamicPFXManager {
public:
    double MaxParticleAge() const override { return 1e30; }
    void RenderParticle(TRenderContextInfo&, const TGLParticle& p) override {
        const bool green = (p.ID + colorOffset) % 2 != 0;
        glColor4f(green ? 0.0f : 1.0f, green ? 1.0f : 0.0f, 0.0f, 1.0f);
        glBegin(GL_QUADS);
        glVertex3f(p.Position.X - 0.5f, p.Position.Y - 0.5f, p.Position.Z);
        glVertex3f(p.Position.X + 0.5f, p.Position.Y - 0.5f, p.Position.Z);
        glVertex3f(p.Position.X + 0.5f, p.Position.Y + 0.5f, p.Position.Z);
        glVertex3f(p.Position.X - 0.5f, p.Position.Y + 0.5f, p.Position.Z);
        glEnd();
    }

    void Place(float z) { CreateParticle().Position = TVec3{0, 0, z}; }

    int colorOffset = 0;
};

class ParticlesGL : public EffectsGL {
protected:
    ParticlesGL() {
        renderer = world.Objects().CreateChild<TGLParticleFXRenderer>();
        // The renderer's own place must not matter: particles are in world coordinates.
        renderer->SetPosition(TVec4{3, -2, 1, 1});
        flat.SetRenderer(renderer);
    }

    TGLParticleFXRenderer* renderer = nullptr;
    FlatManager flat;
};

TEST_F(ParticlesGL, BlendedParticlesAreDrawnFarthestFirst) {
    renderer->SetBlendingMode(TBlendingMode::bmTransparency);
    flat.SetBlendingMode(TBlendingMode::bmTransparency);
    // Listed far (red) then near (green), both in the same depth region: only the sort puts the
    // near one last.
    flat.Place(0.0f);
    flat.Place(0.3f);
    Frame();
    EXPECT_TRUE(Near(Center(), kGreen));
    EXPECT_EQ(renderer->LastParticleCount(), 2);

    renderer->SetZSortAccuracy(saLow);
    Frame();
    EXPECT_TRUE(Near(Center(), kRed)) << "unsorted, the region is drawn from its end";
}

TEST_F(ParticlesGL, ParticlesBehindTheCameraAreNotDrawn) {
    flat.Place(5.5f);
    Frame();
    EXPECT_EQ(renderer->LastParticleCount(), 0);
    EXPECT_TRUE(Near(Center(), kMagenta));
}

TEST_F(ParticlesGL, AManagerWithItsOwnBlendingUsesItAndPutsTheRenderersBack) {
    // The renderer adds and sorts nothing: the region is drawn from its end, green, then red.
    // This manager blends by transparency, so red covers green.
    flat.SetBlendingMode(TBlendingMode::bmTransparency);
    flat.Place(0.0f);
    flat.Place(0.3f);
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    flat.SetBlendingMode(TBlendingMode::bmAdditive);
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{255, 255, 255})) << "magenta + red + green, clamped";
}

TEST_F(ParticlesGL, ParticlesWriteDepthOnlyWhenAskedAndCanIgnoreIt) {
    flat.Place(0.0f);
    Frame();
    GLfloat depth = 0;
    glReadPixels(kSize / 2, kSize / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    renderer->SetZWrite(true);
    Frame();
    glReadPixels(kSize / 2, kSize / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_LT(depth, 1.0f);
}

TEST_F(ParticlesGL, WithoutTheDepthTestParticlesShowThroughWhatWasDrawnBefore) {
    renderer->SetZWrite(true);
    renderer->SetBlendingMode(TBlendingMode::bmTransparency);
    flat.SetBlendingMode(TBlendingMode::bmTransparency);
    flat.Place(0.3f);  // red, near
    // A second renderer, drawn after the first, with a green particle farther away.
    TGLParticleFXRenderer* later = world.Objects().CreateChild<TGLParticleFXRenderer>();
    FlatManager behind;
    behind.colorOffset = 1;
    later->SetBlendingMode(TBlendingMode::bmTransparency);
    behind.SetBlendingMode(TBlendingMode::bmTransparency);
    behind.SetRenderer(later);
    behind.Place(-1.0f);
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    later->SetZTest(false);
    Frame();
    EXPECT_TRUE(Near(Center(), kGreen));
}

class PerlinGL : public ParticlesGL {
protected:
    PerlinGL() {
        flat.SetRenderer(nullptr);
        sprites.SetRenderer(renderer);
        sprites.SetSpritesPerTexture(sptOne);
        sprites.SetNoiseAmplitude(0);
        sprites.SetTexMapSize(6);
        sprites.LifeColors().Clear();
        sprites.SetColorInner(TVec4{1, 0, 0, 1});
        sprites.SetColorOuter(TVec4{1, 0, 0, 1});
        renderer->SetBlendingMode(TBlendingMode::bmTransparency);
        sprites.SetBlendingMode(TBlendingMode::bmTransparency);
    }

    TGLPerlinPFXManager sprites;
};

TEST_F(PerlinGL, SpritesAreSoftDiscsFacingTheCamera) {
    sprites.CreateParticle().Position = TVec3{0, 0, 0};
    for (const TVec4& eye : {TVec4{0, 0, 5, 1}, TVec4{5, 0, 0, 1}, TVec4{0, 4, 3, 1}}) {
        camera->SetPosition(eye);
        camera->SetDirection(TVec4{-eye.X, -eye.Y, -eye.Z, 0});
        Frame();
        const Rgb center = Center();
        EXPECT_GT(center.r, 225) << "opaque red at the centre of the disc";
        EXPECT_LT(center.g, 40);
        EXPECT_LT(center.b, 40);
        // The sprite's corner (0.7 units right and up, 11 pixels) lies outside the disc.
        EXPECT_TRUE(Near(Pixel(32 + 10, 32 + 10), kMagenta, 12));
        // Half way to the rim the disc is half transparent over the magenta background.
        const Rgb half = Pixel(32 + 5, 32);
        EXPECT_GT(half.b, 60);
        EXPECT_LT(half.b, 200);
    }
    EXPECT_NE(sprites.TextureHandle(), 0u);
}

TEST_F(PerlinGL, FadeModeRunsFromTheInnerColourToTheOuter) {
    sprites.SetColorMode(scmFade);
    sprites.SetColorOuter(TVec4{0, 0, 1, 1});
    sprites.SetSmoothness(0.001f);  // alpha 1 across the disc
    sprites.CreateParticle().Position = TVec3{0, 0, 0};
    Frame();
    const Rgb center = Center();
    const Rgb rim = Pixel(32 + 7, 32);
    EXPECT_GT(center.r, 200);
    EXPECT_GT(rim.b, rim.r) << "towards the rim the outer colour takes over";
}

}  // namespace
}  // namespace engine::test
