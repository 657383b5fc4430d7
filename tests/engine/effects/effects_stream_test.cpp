#include "engine/effects/effects_stream.h"
#include "engine/effects/source_pfx_effect.h"
#include "engine/scene/dummy_cube.h"
#include "test_managers.h"

#include <gtest/gtest.h>

#include <map>

namespace engine::test {
namespace {

class EffectsStream : public ::testing::Test {
protected:
    EffectsStream() {
        flames.SetName("GLPerlinPFXManager1");
        smoke.SetName("GLPerlinPFXManager2");
    }

    TManagerResolver Resolver() {
        return [this](const std::string& name) -> TGLParticleFXManager* {
            if (name == flames.Name()) {
                return &flames;
            }
            return name == smoke.Name() ? &smoke : nullptr;
        };
    }

    // The base's source as the designed scene stores it.
    TGLSourcePFXEffect& BaseSource(TGLBaseSceneObject& object) {
        TGLSourcePFXEffect& e = SourceEffectOf(object, "smoke source");
        e.SetManager(&smoke);
        e.SetPositionDispersionRange(TVec3{2.5f, 0, 3.5f});
        e.SetVelocityDispersion(1.0f);
        e.SetParticleInterval(0.01f);
        e.SetDispersionMode(sdmIsotropic);
        e.SetEnabled(false);
        e.SetRotationDispersion(2.0f);
        e.SetDisabledIfOwnerInvisible(true);
        return e;
    }

    std::vector<std::string> log;
    RecordingManager flames{log};
    RecordingManager smoke{log};
    TGLDummyCube object;
};

void ExpectSameSource(const TGLSourcePFXEffect& a, const TGLSourcePFXEffect& b) {
    EXPECT_EQ(a.Name(), b.Name());
    EXPECT_EQ(a.Manager(), b.Manager());
    EXPECT_EQ(a.EffectScale(), b.EffectScale());
    EXPECT_EQ(a.InitialVelocity(), b.InitialVelocity());
    EXPECT_EQ(a.InitialPosition(), b.InitialPosition());
    EXPECT_EQ(a.PositionDispersionRange(), b.PositionDispersionRange());
    EXPECT_EQ(a.VelocityDispersion(), b.VelocityDispersion());
    EXPECT_EQ(a.PositionDispersion(), b.PositionDispersion());
    EXPECT_EQ(a.ParticleInterval(), b.ParticleInterval());
    EXPECT_EQ(a.VelocityMode(), b.VelocityMode());
    EXPECT_EQ(a.DispersionMode(), b.DispersionMode());
    EXPECT_EQ(a.Enabled(), b.Enabled());
    EXPECT_EQ(a.RotationDispersion(), b.RotationDispersion());
    EXPECT_EQ(a.DisabledIfOwnerInvisible(), b.DisabledIfOwnerInvisible());
    EXPECT_EQ(a.PositionMode(), b.PositionMode());
}

TEST_F(EffectsStream, RoundTripsEveryFieldAndResolvesManagersOnceLoaded) {
    const TGLSourcePFXEffect& base = BaseSource(object);
    TGLSourcePFXEffect& missile = SourceEffectOf(object, "flame");
    missile.SetManager(&flames);
    missile.SetEffectScale(0.5f);
    missile.SetInitialVelocity(TVec3{0, 0, -3});
    missile.SetInitialPosition(TVec3{1, 2, 3});
    missile.SetPositionDispersion(0.25f);
    missile.SetVelocityMode(svmRelative);
    missile.SetPositionMode(spmRelative);
    const std::vector<std::uint8_t> data = WriteObjectEffects(object);

    TGLDummyCube loaded;
    ReadObjectEffects(data, loaded, Resolver());
    ASSERT_EQ(loaded.Effects().Count(), 2);
    auto* first = dynamic_cast<TGLSourcePFXEffect*>(loaded.Effects().Items(0));
    auto* second = dynamic_cast<TGLSourcePFXEffect*>(loaded.Effects().Items(1));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Manager(), nullptr) << "names are resolved only once loading is complete";
    EXPECT_EQ(first->OwnerObject(), &loaded);
    loaded.Effects().Loaded();
    ExpectSameSource(*first, base);
    ExpectSameSource(*second, missile);
    EXPECT_EQ(WriteObjectEffects(loaded), data);
}

TEST_F(EffectsStream, NamesTheClassOnceAndThenRefersToItByIndex) {
    BaseSource(object);
    SourceEffectOf(object, "second");
    const std::vector<std::uint8_t> data = WriteObjectEffects(object);
    TTypedValueReader r(data);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.ReadString(), "TGLSourcePFXEffect");
    EXPECT_EQ(ReadItemHeader(r), "smoke source");
    EXPECT_EQ(r.ReadInteger(), 1) << "particle effect version";
    EXPECT_EQ(r.ReadString(), "GLPerlinPFXManager2");
    EXPECT_EQ(r.ReadFloat(), 1.0);
    EXPECT_EQ(r.ReadInteger(), 6) << "source effect version";
    for (const bool differs : {false, false, true}) {
        EXPECT_EQ(r.ReadInteger(), 0);
        EXPECT_EQ(r.ReadBoolean(), differs);
        if (differs) {
            float range[4];
            r.ReadRawVector(range);
            EXPECT_EQ(range[0], 2.5f);
            EXPECT_EQ(range[2], 3.5f);
        }
    }
    EXPECT_EQ(r.ReadFloat(), 1.0);
    EXPECT_EQ(r.ReadFloat(), 0.0);
    EXPECT_FLOAT_EQ(static_cast<float>(r.ReadFloat()), 0.01f);
    EXPECT_EQ(r.ReadInteger(), svmAbsolute);
    EXPECT_EQ(r.ReadInteger(), sdmIsotropic);
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadFloat(), 2.0);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadInteger(), spmAbsoluteOffset);
    EXPECT_EQ(r.ReadInteger(), 0) << "the second effect's class by index";
}

// A version 0 source effect: no range, dispersion mode, Enabled, rotation, visibility or
// position mode.
std::vector<std::uint8_t> VersionZeroList() {
    TTypedValueWriter w;
    w.WriteInteger(1);
    w.WriteString("TGLSourcePFXEffect");
    WriteItemHeader(w, "old");
    w.WriteInteger(1);
    w.WriteString("GLPerlinPFXManager1");
    w.WriteFloat(2.0);
    w.WriteInteger(0);
    for (int vector = 0; vector < 2; ++vector) {
        w.WriteInteger(0);
        w.WriteBoolean(false);
    }
    w.WriteFloat(0.5);
    w.WriteFloat(0.25);
    w.WriteFloat(0.2);
    w.WriteInteger(svmRelative);
    return w.Data();
}

TEST_F(EffectsStream, OlderSourceVersionsLeaveTheLaterFieldsAtTheirDefaults) {
    ReadObjectEffects(VersionZeroList(), object, Resolver());
    object.Effects().Loaded();
    const auto& e = dynamic_cast<const TGLSourcePFXEffect&>(*object.Effects().Items(0));
    EXPECT_EQ(e.Manager(), &flames);
    EXPECT_EQ(e.EffectScale(), 2.0f);
    EXPECT_EQ(e.VelocityDispersion(), 0.5f);
    EXPECT_EQ(e.PositionDispersion(), 0.25f);
    EXPECT_EQ(e.ParticleInterval(), 0.2f);
    EXPECT_EQ(e.VelocityMode(), svmRelative);
    EXPECT_EQ(e.PositionDispersionRange(), (TVec3{1, 1, 1}));
    EXPECT_EQ(e.DispersionMode(), sdmFast);
    EXPECT_TRUE(e.Enabled());
    EXPECT_FALSE(e.DisabledIfOwnerInvisible());
}

TEST_F(EffectsStream, AnUnknownManagerNameLeavesNoManager) {
    SourceEffectOf(object).SetManager(&flames);
    const auto data = WriteObjectEffects(object);
    TGLDummyCube loaded;
    ReadObjectEffects(data, loaded, [](const std::string&) { return nullptr; });
    loaded.Effects().Loaded();
    EXPECT_EQ(SourceEffectOf(loaded).Manager(), nullptr);
}

// Reading must fail with the stream error and leave the object's effects as they were.
void ExpectRefused(const std::vector<std::uint8_t>& data, const std::string& why) {
    TGLDummyCube target;
    SourceEffectOf(target, "kept").SetParticleInterval(0.5f);
    EXPECT_THROW(ReadObjectEffects(data, target, nullptr), ETypedValueStreamError) << why;
    ASSERT_EQ(target.Effects().Count(), 1) << why;
    EXPECT_EQ(target.Effects().Items(0)->Name(), "kept") << why;
}

TEST_F(EffectsStream, HigherFormatVersionsAreRefused) {
    SourceEffectOf(object);
    std::vector<std::uint8_t> data = WriteObjectEffects(object);
    // The list: count, class, header (0, ""), then the particle effect version.
    TTypedValueWriter prefix;
    prefix.WriteInteger(1);
    prefix.WriteString("TGLSourcePFXEffect");
    WriteItemHeader(prefix, "");
    const std::size_t particleVersionAt = prefix.Data().size() + 1;
    ASSERT_EQ(data[particleVersionAt], 1);
    data[particleVersionAt] = 2;
    ExpectRefused(data, "particle effect version 2");
    data[particleVersionAt] = 1;
    // Manager "" (2 bytes) and the scale (11 bytes) follow; then the source version.
    const std::size_t sourceVersionAt = particleVersionAt + 1 + 2 + 11 + 1;
    ASSERT_EQ(data[sourceVersionAt], 6);
    data[sourceVersionAt] = 7;
    ExpectRefused(data, "source effect version 7");
}

TEST_F(EffectsStream, MalformedListsAreRefusedWithoutHarm) {
    BaseSource(object);
    SourceEffectOf(object, "other");
    const std::vector<std::uint8_t> good = WriteObjectEffects(object);
    for (std::size_t length = 0; length < good.size(); ++length) {
        ExpectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)),
                      "truncated to " + std::to_string(length) + " bytes");
    }
    std::vector<std::uint8_t> trailing = good;
    trailing.push_back(9);
    ExpectRefused(trailing, "bytes after the last effect");

    std::vector<std::uint8_t> fewer = good;
    fewer[1] = 1;
    ExpectRefused(fewer, "a count smaller than the effects stored");
    std::vector<std::uint8_t> more = good;
    more[1] = 3;
    ExpectRefused(more, "a count larger than the effects stored");
    std::vector<std::uint8_t> huge = good;
    huge[0] = 4;  // Int32 tag: the count becomes enormous
    ExpectRefused(huge, "a count beyond the data");

    std::vector<std::uint8_t> wrongTag = good;
    wrongTag[2] = 9;  // the class name's tag becomes a boolean
    ExpectRefused(wrongTag, "a boolean where the class should be");
}

TEST_F(EffectsStream, UnknownClassesAndModesAreRefused) {
    TTypedValueWriter unknown;
    unknown.WriteInteger(1);
    unknown.WriteString("TGLFireFXEffect");
    ExpectRefused(unknown.Data(), "unknown class");

    TTypedValueWriter badIndex;
    badIndex.WriteInteger(1);
    badIndex.WriteInteger(0);
    ExpectRefused(badIndex.Data(), "a class index before any name");

    std::vector<std::uint8_t> data = VersionZeroList();
    data[data.size() - 1] = 5;  // velocity mode 5
    ExpectRefused(data, "velocity mode out of range");
}

TEST_F(EffectsStream, AnEmptyListClearsTheEffects) {
    const auto empty = WriteObjectEffects(object);
    BaseSource(object);
    ReadObjectEffects(empty, object, Resolver());
    EXPECT_EQ(object.Effects().Count(), 0);
}

}  // namespace
}  // namespace engine::test
