#include "engine/material/lib_material.h"

#include "engine/material/material_errors.h"
#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"
#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using engine::TGLLibMaterial;
using engine::TGLMaterial;
using engine::TGLMaterialLibrary;

TEST(LibMaterialName, HashIsLengthThenDoubledPlusEachByteWithWrapAround) {
    EXPECT_EQ(engine::LibMaterialNameHash(""), 0);
    EXPECT_EQ(engine::LibMaterialNameHash("ab"), 300);  // 2 -> 97 + 4 -> 98 + 202
    EXPECT_EQ(engine::LibMaterialNameHash("terrain"), 14996);
    EXPECT_EQ(engine::LibMaterialNameHash(std::string(33, 'a')), -97);
}

TEST(LibMaterialName, DefaultNamesTakeTheLowestFreeNumber) {
    TGLMaterialLibrary library;
    auto& materials = library.Materials();
    EXPECT_EQ(materials.Add().Name(), "LibMaterial");
    EXPECT_EQ(materials.Add().Name(), "LibMaterial1");
    EXPECT_EQ(materials.Add().Name(), "LibMaterial2");
    materials.Delete(1);
    EXPECT_EQ(materials.Add().Name(), "LibMaterial1");
    EXPECT_EQ(materials.Count(), 3);
}

TEST(LibMaterialName, ATakenNameIsMadeUnique) {
    TGLMaterialLibrary library;
    library.Materials().Add("stone");
    TGLLibMaterial& other = library.Materials().Add("stone");
    EXPECT_EQ(other.Name(), "stone1");
    other.SetName("stone");
    EXPECT_EQ(other.Name(), "stone1");
    other.SetName("grass");
    EXPECT_EQ(other.Name(), "grass");
    EXPECT_EQ(library.FindMaterial("grass"), &other);
    EXPECT_EQ(library.FindMaterial("stone1"), nullptr);
    library.Materials().Delete(other.Index());
    EXPECT_EQ(library.FindMaterial("grass"), nullptr);
    EXPECT_EQ(library.Materials().Add("grass").Name(), "grass");
    library.Materials().Clear();
    EXPECT_EQ(library.Materials().Add("stone").Name(), "stone");
}

TEST(FindMaterial, MatchesTheExactNameOnly) {
    TGLMaterialLibrary library;
    TGLLibMaterial& terrain = library.Materials().Add("terrain");
    library.Materials().Add("detail");
    EXPECT_EQ(library.FindMaterial("terrain"), &terrain);
    EXPECT_EQ(library.FindMaterial("Terrain"), nullptr);
    EXPECT_EQ(library.FindMaterial("terrain "), nullptr);
    EXPECT_EQ(library.FindMaterial(""), nullptr);
}

TEST(TextureMatrix, ScalesFirstThenOffsets) {
    TGLMaterialLibrary library;
    TGLLibMaterial& mark = library.Materials().Add("mark");
    EXPECT_TRUE(mark.TextureMatrixIsIdentity());
    mark.TextureScale().SetAll({4, 4, 4, 0});
    mark.TextureOffset().SetAll({-1.5f, -1.5f, 0, 0});
    EXPECT_FALSE(mark.TextureMatrixIsIdentity());
    const engine::TVec4 mapped = engine::TransformPoint({0.5f, 0.5f, 0, 1}, mark.TextureMatrix());
    EXPECT_FLOAT_EQ(mapped.X, 0.5f);
    EXPECT_FLOAT_EQ(mapped.Y, 0.5f);
    const engine::TVec4 corner = engine::TransformPoint({1, 0, 0, 1}, mark.TextureMatrix());
    EXPECT_FLOAT_EQ(corner.X, 2.5f);
    EXPECT_FLOAT_EQ(corner.Y, -1.5f);

    mark.TextureScale().SetAll({1, 1, 1, 0});
    mark.TextureOffset().SetX(0);
    mark.TextureOffset().SetY(0);
    EXPECT_TRUE(mark.TextureMatrixIsIdentity());
    EXPECT_EQ(mark.TextureMatrix(), engine::IdentityMatrix);
}

TEST(MaterialLink, ResolvesAtOnceAndKeepsAnUnknownName) {
    TGLMaterialLibrary library;
    TGLMaterial material;
    material.SetLibMaterialName("bug");  // no library yet
    EXPECT_EQ(material.LibMaterial(), nullptr);
    material.SetMaterialLibrary(&library);
    EXPECT_EQ(material.LibMaterial(), nullptr);
    EXPECT_EQ(material.LibMaterialName(), "bug");

    TGLLibMaterial& bug = library.Materials().Add("bug");
    material.SetMaterialLibrary(&library);  // re-resolves the name
    EXPECT_EQ(material.LibMaterial(), &bug);
    ASSERT_EQ(bug.Users().size(), 1u);

    TGLLibMaterial& boom = library.Materials().Add("boom");
    material.SetLibMaterialName("boom");
    EXPECT_TRUE(bug.Users().empty());
    EXPECT_EQ(boom.Users().size(), 1u);
}

TEST(MaterialLink, FollowsTheLinkedMaterialForBlendingAndChanges) {
    TGLMaterialLibrary library;
    TGLLibMaterial& glow = library.Materials().Add("glow");
    TGLMaterial material;
    int changes = 0;
    material.OnChange = [&] { ++changes; };
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("glow");
    changes = 0;
    EXPECT_FALSE(material.IsBlended());
    glow.Material().SetBlendingMode(engine::TBlendingMode::bmAdditive);
    EXPECT_TRUE(material.IsBlended());
    EXPECT_EQ(changes, 1);
}

TEST(MaterialLink, UsersAreUnlinkedWhenTheLibraryMaterialGoesOrIsRenamed) {
    TGLMaterialLibrary library;
    library.Materials().Add("a");
    TGLLibMaterial& b = library.Materials().Add("b");
    TGLMaterial first;
    TGLMaterial second;
    first.SetMaterialLibrary(&library);
    first.SetLibMaterialName("a");
    second.SetMaterialLibrary(&library);
    second.SetLibMaterialName("b");

    library.Materials().Delete(0);
    EXPECT_EQ(first.LibMaterial(), nullptr);
    EXPECT_EQ(first.LibMaterialName(), "a");

    b.SetName("c");
    EXPECT_EQ(second.LibMaterial(), nullptr);
    second.SetLibMaterialName("c");
    EXPECT_EQ(second.LibMaterial(), &b);
}

TEST(MaterialLink, DestroyingTheLibraryClearsTheLink) {
    auto library = std::make_unique<TGLMaterialLibrary>();
    library->Materials().Add("x");
    TGLMaterial material;
    material.SetMaterialLibrary(library.get());
    material.SetLibMaterialName("x");
    library.reset();
    EXPECT_EQ(material.MaterialLibrary(), nullptr);
    EXPECT_EQ(material.LibMaterial(), nullptr);
    EXPECT_FALSE(material.IsBlended());
}

TEST(MaterialLink, DestroyingALibraryOfChainedMaterialsUnlinksEveryone) {
    // Library materials linking to one another in both directions go down without touching a dead
    // one (the sanitizer build watches), and a material outside loses its link.
    auto library = std::make_unique<TGLMaterialLibrary>();
    TGLLibMaterial& first = library->Materials().Add("first");
    library->Materials().Add("second");
    first.Material().SetMaterialLibrary(library.get());
    first.Material().SetLibMaterialName("second");
    TGLLibMaterial& third = library->Materials().Add("third");
    third.Material().SetMaterialLibrary(library.get());
    third.Material().SetLibMaterialName("first");
    TGLMaterial outside;
    outside.SetMaterialLibrary(library.get());
    outside.SetLibMaterialName("third");
    ASSERT_EQ(outside.LibMaterial(), &third);
    library.reset();
    EXPECT_EQ(outside.LibMaterial(), nullptr);
    EXPECT_EQ(outside.MaterialLibrary(), nullptr);
}

void ExpectCyclicError(const std::function<void()>& action) {
    try {
        action();
        FAIL() << "no error";
    } catch (const engine::EGLMaterialException& e) {
        EXPECT_STREQ(e.what(), "Error: Cyclic material reference detected!");
    }
}

TEST(CyclicReference, SelfLinkIsRejectedAndChangesNothing) {
    TGLMaterialLibrary library;
    TGLLibMaterial& self = library.Materials().Add("self");
    self.Material().SetMaterialLibrary(&library);
    ExpectCyclicError([&] { self.Material().SetLibMaterialName("self"); });
    EXPECT_EQ(self.Material().LibMaterialName(), "");
    EXPECT_EQ(self.Material().LibMaterial(), nullptr);
}

TEST(CyclicReference, TwoMaterialsLinkingEachOtherAreRejected) {
    TGLMaterialLibrary library;
    TGLLibMaterial& a = library.Materials().Add("a");
    TGLLibMaterial& b = library.Materials().Add("b");
    a.Material().SetMaterialLibrary(&library);
    a.Material().SetLibMaterialName("b");
    b.Material().SetLibMaterialName("a");  // no library on b's material yet: just a name
    ExpectCyclicError([&] { b.Material().SetMaterialLibrary(&library); });
    EXPECT_EQ(b.Material().MaterialLibrary(), nullptr);
    EXPECT_EQ(a.Material().LibMaterial(), &b);
}

TEST(CyclicReference, AChainOfSixteenIsRejectedFifteenIsNot) {
    TGLMaterialLibrary library;
    // m0 -> m1 -> ... : material i links to i + 1.
    for (int i = 0; i < 17; ++i) {
        library.Materials().Add("m" + std::to_string(i));
    }
    for (int i = 15; i >= 1; --i) {
        TGLMaterial& material = library.Materials()[i].Material();
        material.SetMaterialLibrary(&library);
        material.SetLibMaterialName("m" + std::to_string(i + 1));
    }
    // From m2 the chain is m2..m16: fifteen links.
    TGLMaterial fifteen;
    fifteen.SetMaterialLibrary(&library);
    fifteen.SetLibMaterialName("m2");
    EXPECT_EQ(fifteen.LibMaterial(), &library.Materials()[2]);
    // From m1: sixteen.
    TGLMaterial sixteen;
    sixteen.SetMaterialLibrary(&library);
    ExpectCyclicError([&] { sixteen.SetLibMaterialName("m1"); });
    EXPECT_EQ(sixteen.LibMaterial(), nullptr);
}

TEST(MaterialLibrary, DeletingAnAppliedMaterialIsUnbalanced) {
    tests::RecordingSink sink;
    engine::TGLStateCache cache(sink);
    engine::TRenderContextInfo rci;
    rci.GLStates = &cache;
    TGLMaterialLibrary library;
    TGLLibMaterial& applied = library.Materials().Add("applied");
    applied.Apply(rci);
    EXPECT_EQ(rci.currentLibMaterial, &applied);
    try {
        library.Materials().Delete(0);
        FAIL() << "no error";
    } catch (const engine::EGLMaterialException& e) {
        EXPECT_STREQ(e.what(), "Unbalanced material application");
    }
    EXPECT_THROW(library.Materials().Clear(), engine::EGLMaterialException);
    EXPECT_EQ(library.Materials().Count(), 1);
    EXPECT_FALSE(applied.UnApply(rci));
    EXPECT_EQ(rci.currentLibMaterial, nullptr);
    library.Materials().Delete(0);
    EXPECT_EQ(library.Materials().Count(), 0);
}

}  // namespace
