#include "engine/core/component.h"

#include <gtest/gtest.h>

#include <memory>

namespace engine {
namespace {

TEST(ComponentLink, ClearsWhenTargetDiesAndRunsOnFreed) {
    auto target = std::make_unique<TComponent>();
    int freed = 0;
    TComponentLink<TComponent> link([&] { ++freed; });
    link.Set(target.get());
    EXPECT_EQ(link.Get(), target.get());
    target.reset();
    EXPECT_EQ(link.Get(), nullptr);
    EXPECT_EQ(freed, 1);
}

TEST(ComponentLink, RetargetingAndDyingLinkUnregister) {
    auto a = std::make_unique<TComponent>();
    auto b = std::make_unique<TComponent>();
    {
        TComponentLink<TComponent> link;
        link.Set(a.get());
        link.Set(b.get());
        a.reset();
        EXPECT_EQ(link.Get(), b.get()) << "the old target no longer reaches the link";
    }
    b.reset();  // must not touch the destroyed link
}

TEST(ComponentLink, ObserverDroppingAnotherObserverWhileBeingTold) {
    auto target = std::make_unique<TComponent>();
    auto second = std::make_unique<TComponentLink<TComponent>>();
    TComponentLink<TComponent> first([&] { second.reset(); });
    second->Set(target.get());
    first.Set(target.get());
    target.reset();
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(second, nullptr);
}

}  // namespace
}  // namespace engine
