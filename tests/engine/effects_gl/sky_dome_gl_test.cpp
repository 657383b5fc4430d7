#include "effects_gl_fixture.h"
#include "engine/effects/earth_sky_dome.h"
#include "engine/scene/dummy_cube.h"

#include <cmath>

namespace engine::test {
namespace {

// The game's dome: its zenith (local +Z) is world +Y, the sun at azimuth 0 lies towards world +X.
class SkyDomeGL : public EffectsGL {
protected:
    SkyDomeGL() {
        TGLDummyCube* scene = world.Objects().CreateChild<TGLDummyCube>();
        scene->SetPosition(TVec4{4, -7, 2, 1});  // the dome follows the eye, not its parent
        dome = scene->CreateChild<TGLEarthSkyDome>();
        dome->SetDirection(TVec4{0, 1, 0, 0});
        dome->SetUp(TVec4{0, 0, -1, 0});
        dome->SetSunElevation(40.0f);
        camera->SetPosition(TVec4{30, 2, -12, 1});
    }

    void LookAt(const TVec3& worldDirection) {
        camera->SetDirection(Direction(worldDirection));
        camera->SetUp(TVec4{0, 0, -1, 0});
        camera->SetDirection(Direction(worldDirection));
    }

    // The dome's colour in a world direction (dome frame: world X, -Z, Y).
    Rgb Expected(const TVec3& worldDirection) const {
        const TVec3 d = Normalize(worldDirection);
        return ToRgb(dome->VertexColor(TVec3{d.X, -d.Z, d.Y}));
    }

    // Every pixel of the frame was painted: none keeps the magenta it was cleared to.
    bool Covered() const {
        for (int y = 0; y < kSize; y += 3) {
            for (int x = 0; x < kSize; x += 3) {
                if (Near(Pixel(x, y), kMagenta, 2)) {
                    return false;
                }
            }
        }
        return true;
    }

    TGLEarthSkyDome* dome = nullptr;
};

TEST_F(SkyDomeGL, FillsTheViewWithTheZenithColourOverhead) {
    LookAt(TVec3{0, 1, 0});
    Frame();
    EXPECT_TRUE(Covered());
    EXPECT_TRUE(Near(Center(), Expected(TVec3{0, 1, 0}), 3));
}

TEST_F(SkyDomeGL, ShowsTheSunsColourTowardsTheSun) {
    const float e = DegToRad(40.0f);
    const TVec3 sun{std::cos(e), std::sin(e), 0};
    LookAt(sun);
    Frame();
    EXPECT_TRUE(Covered());
    EXPECT_TRUE(Near(Center(), ToRgb(dome->Colors().sun), 4));
    EXPECT_TRUE(Near(Center(), Expected(sun), 4));
}

TEST_F(SkyDomeGL, DarkensAsTheSunSets) {
    LookAt(TVec3{0, 1, 0});
    Frame();
    const Rgb day = Center();
    dome->SetSunElevation(-30.0f);
    Frame();
    const Rgb night = Center();
    EXPECT_TRUE(Near(night, Expected(TVec3{0, 1, 0}), 3));
    EXPECT_LT(night.b + 60, day.b);
    EXPECT_TRUE(Covered());
}

TEST_F(SkyDomeGL, TheDeepColourFillsTheViewBelowTheHorizon) {
    LookAt(TVec3{0, -1, 0});
    Frame();
    EXPECT_TRUE(Covered());
    EXPECT_TRUE(Near(Center(), ToRgb(dome->DeepColor()), 3));
}

TEST_F(SkyDomeGL, SkyAndTwinklingStarsLeaveTheDepthBufferAtTheFarPlane) {
    LookAt(TVec3{0, 1, 0});
    dome->AddRandomStarField(50, 0x0000FF, true);
    dome->SetOptions(sdoTwinkle);
    Frame();
    // Whatever is drawn later is never hidden behind the sky.
    GLfloat depth = 0;
    glReadPixels(kSize / 2, kSize / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    EXPECT_TRUE(Covered());
}

TEST_F(SkyDomeGL, StarsShineUntilTheFadingSunDimsThem) {
    LookAt(TVec3{0, 1, 0});
    TSkyDomeStar star;
    star.Dec = 90.0f;        // at the zenith
    star.Magnitude = -5.5f;  // ten pixels wide
    star.Color = 0x00FFFFFF;
    dome->Stars().push_back(star);
    dome->MarkStructureChanged();
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{255, 255, 255}, 2)) << "a white star added over the sky";
    dome->SetExtendedOptions(esoFadeStarsWithSun);  // at 40 degrees the stars are black
    Frame();
    EXPECT_TRUE(Near(Center(), Expected(TVec3{0, 1, 0}), 3));
}

TEST_F(SkyDomeGL, APlainDomeDrawsItsBands) {
    TGLSkyDome* plain = world.Objects().CreateChild<TGLSkyDome>();
    dome->SetVisible(false);
    plain->SetDirection(TVec4{0, 1, 0, 0});
    plain->SetUp(TVec4{0, 0, -1, 0});
    LookAt(TVec3{0, 1, 0});
    Frame();
    EXPECT_TRUE(Near(Center(), ToRgb(plain->Bands()[1].StopColor), 3));
    LookAt(TVec3{1, 0.0437f, 0});  // 2.5 degrees up, a sixth of the way through the lowest band
    Frame();
    const TSkyDomeBand& low = plain->Bands()[0];
    EXPECT_TRUE(Near(Center(), ToRgb(low.StartColor + (low.StopColor - low.StartColor) * (2.5f / 15.0f)), 4));
}

}  // namespace
}  // namespace engine::test
