#include "engine/effects/animated_sprite.h"
#include "engine/effects/effects_stream.h"
#include "engine/effects/source_pfx_effect.h"
#include "engine/effects/sprite_animation_stream.h"
#include "engine/scene/dummy_cube.h"
#include "fuzz/seeds/seed_folder.h"

namespace fuzz {
namespace {

// A manager only to be named in the stored effects.
class NamedManager : public engine::TGLDynamicPFXManager {
public:
    double MaxParticleAge() const override { return 1.0; }
    void RenderParticle(engine::TRenderContextInfo&, const engine::TGLParticle&) override {}
};

void WriteEffectsSeeds(const SeedFolder& seeds) {
    NamedManager smoke;
    smoke.SetName("GLPerlinPFXManager2");
    engine::TGLDummyCube base;
    engine::TGLSourcePFXEffect& source = engine::SourceEffectOf(base, "smoke");
    source.SetManager(&smoke);
    source.SetPositionDispersionRange({2.5f, 0, 3.5f});
    source.SetInitialVelocity({0, 1e-3f, -2});
    source.SetInitialPosition({0, 1, 0});
    source.SetVelocityDispersion(1.0f);
    source.SetParticleInterval(0.01f);
    source.SetDispersionMode(engine::sdmIsotropic);
    source.SetEnabled(false);
    source.SetRotationDispersion(2.0f);
    source.SetDisabledIfOwnerInvisible(true);
    source.SetPositionMode(engine::spmRelative);
    engine::SourceEffectOf(base, "missile trail").SetParticleInterval(0.05f);
    seeds.Write("effects", "two-sources.bin", engine::WriteObjectEffects(base));
    seeds.Write("effects", "none.bin", engine::WriteObjectEffects(engine::TGLDummyCube()));
}

void WriteSpriteSeeds(const SeedFolder& seeds) {
    engine::TGLAnimatedSprite sprite;
    engine::TSpriteAnimation& boom = sprite.Animations().Add();
    boom.SetName("boom");
    boom.SetLibMaterialName("boom");
    boom.SetFrameWidth(128);
    boom.SetFrameHeight(128);
    boom.SetEndFrame(64);
    boom.SetInterval(33);
    boom.SetMargins({1, 2, 3, 4});
    engine::TSpriteAnimation& manual = sprite.Animations().Add();
    manual.SetName(std::string(300, 'm'));
    manual.SetDimensions(engine::sfdManual);
    manual.SetCurrentFrame(1);
    for (int i = 0; i < 3; ++i) {
        engine::TSpriteAnimFrame& frame = manual.Frames().Add();
        frame.SetName("frame" + std::to_string(i));
        frame.SetOffsetX(i * 40000);
        frame.SetOffsetY(-i);
        frame.SetWidth(32);
        frame.SetHeight(300);
    }
    seeds.Write("sprite_animations", "two-animations.bin", engine::WriteSpriteAnimations(sprite.Animations()));
}

}  // namespace

void WriteStreamSeeds(const SeedFolder& seeds) {
    WriteEffectsSeeds(seeds);
    WriteSpriteSeeds(seeds);
}

}  // namespace fuzz
