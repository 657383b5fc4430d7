#include "engine/effects/life_colored_pfx_manager.h"

#include <cstdio>

namespace engine {

namespace {

constexpr float kShortestLifeTime = 0.000001f;
constexpr double kEndlessLife = 1e30;
constexpr float kDefaultLastStage = 3.0f;

TVec4 Blend(const TVec4& from, const TVec4& to, float f) {
    return from + (to - from) * f;
}

}  // namespace

void TPFXLifeColor::SetLifeTime(float seconds) {
    m_lifeTime = seconds > 0.0f ? seconds : kShortestLifeTime;
}

std::string TPFXLifeColor::DisplayName() const {
    char text[160];
    std::snprintf(
        text, sizeof text, "LifeTime %f - Inner [%.2f, %.2f, %.2f, %.2f] - Outer [%.2f, %.2f, %.2f, %.2f]",
        static_cast<double>(m_lifeTime), static_cast<double>(m_colorInner.X), static_cast<double>(m_colorInner.Y),
        static_cast<double>(m_colorInner.Z), static_cast<double>(m_colorInner.W), static_cast<double>(m_colorOuter.X),
        static_cast<double>(m_colorOuter.Y), static_cast<double>(m_colorOuter.Z), static_cast<double>(m_colorOuter.W));
    return text;
}

TPFXLifeColor& TPFXLifeColors::Add() {
    m_items.emplace_back();
    return m_items.back();
}

void TPFXLifeColors::Delete(int i) {
    if (i >= 0 && i < Count()) {
        m_items.erase(m_items.begin() + i);
    }
}

double TPFXLifeColors::MaxLifeTime() const {
    return m_items.empty() ? kEndlessLife : m_items.back().LifeTime();
}

TGLLifeColoredPFXManager::TGLLifeColoredPFXManager() {
    m_lifeColors.Add().SetLifeTime(kDefaultLastStage);
}

bool TGLLifeColoredPFXManager::AnyLifeRotation() const {
    for (int i = 0; i < m_lifeColors.Count(); ++i) {
        if (m_lifeColors.Items(i).DoRotate()) {
            return true;
        }
    }
    return false;
}

TPFXLifeState TGLLifeColoredPFXManager::LifeStateAt(double age) const {
    TPFXLifeState state;
    state.inner = m_colorInner;
    state.outer = m_colorOuter;
    const int n = m_lifeColors.Count();
    if (n == 0) {
        return state;
    }
    int a = 0;
    if (n > 1) {
        int j = -1;
        for (int i = 0; i < n; ++i) {
            if (m_lifeColors.Items(i).LifeTime() < age) {
                j = i;
            }
        }
        a = j < n - 1 ? j + 1 : j;
    }
    const TPFXLifeColor& to = m_lifeColors.Items(a);
    if (a == 0) {
        const float f = static_cast<float>(age) * to.InvLifeTime();
        state.inner = Blend(m_colorInner, to.ColorInner(), f);
        state.outer = Blend(m_colorOuter, to.ColorOuter(), f);
        state.scales = to.DoScale();
        state.sizeScale = 1.0f + (to.SizeScale() - 1.0f) * f;
        state.rotates = to.DoRotate();
        state.rotateAngle = to.RotateAngle() * f;
    } else {
        const TPFXLifeColor& from = m_lifeColors.Items(a - 1);
        // Two stages at the same time would divide by zero: the later one then applies outright.
        const float interval = to.LifeTime() - from.LifeTime();
        const float f = interval > 0.0f ? (static_cast<float>(age) - from.LifeTime()) / interval : 1.0f;
        state.inner = Blend(from.ColorInner(), to.ColorInner(), f);
        state.outer = Blend(from.ColorOuter(), to.ColorOuter(), f);
        state.scales = to.DoScale() || from.DoScale();
        state.sizeScale = from.SizeScale() + (to.SizeScale() - from.SizeScale()) * f;
        state.rotates = to.DoRotate() || from.DoRotate();
        state.rotateAngle = from.RotateAngle() + (to.RotateAngle() - from.RotateAngle()) * f;
    }
    if (!state.scales) {
        state.sizeScale = 1.0f;
    }
    if (!state.rotates) {
        state.rotateAngle = 0.0f;
    }
    return state;
}

}  // namespace engine
