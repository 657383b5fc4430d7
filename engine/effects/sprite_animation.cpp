#include "engine/effects/sprite_animation.h"

#include "engine/effects/animated_sprite.h"
#include "engine/material/lib_material.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

float FrameRateOfInterval(int interval) {
    return interval > 0 ? 1000.0f / static_cast<float>(interval) : 0.0f;
}

int IntervalOfFrameRate(float rate) {
    if (!(rate > 0.0f)) {
        return 0;
    }
    // Rounded in the default mode, to nearest with halves to even.
    const double interval = std::nearbyint(1000.0 / static_cast<double>(rate));
    return static_cast<int>(std::min(interval, static_cast<double>(std::numeric_limits<int>::max())));
}

namespace {

void Notify(TGLAnimatedSprite* owner) {
    if (owner) {
        owner->AnimationChanged();
    }
}

}  // namespace

void TSpriteAnimFrame::Changed() {
    Notify(m_owner);
}

void TSpriteAnimFrame::Assign(const TSpriteAnimFrame& source) {
    m_name = source.m_name;
    m_offsetX = source.m_offsetX;
    m_offsetY = source.m_offsetY;
    m_width = source.m_width;
    m_height = source.m_height;
    Notify(m_owner);
}

TSpriteAnimFrame& TSpriteAnimFrameList::Add() {
    m_items.push_back(std::make_unique<TSpriteAnimFrame>(m_owner));
    Notify(m_owner);
    return *m_items.back();
}

void TSpriteAnimFrameList::Delete(int index) {
    if (index >= 0 && index < Count()) {
        m_items.erase(m_items.begin() + index);
        Notify(m_owner);
    }
}

void TSpriteAnimFrameList::Clear() {
    m_items.clear();
    Notify(m_owner);
}

void TSpriteAnimFrameList::Assign(const TSpriteAnimFrameList& source) {
    if (&source == this) {
        return;
    }
    m_items.clear();
    for (const auto& frame : source.m_items) {
        m_items.push_back(std::make_unique<TSpriteAnimFrame>(m_owner));
        m_items.back()->Assign(*frame);
    }
    Notify(m_owner);
}

void TSpriteAnimation::Changed() {
    Notify(m_owner);
}

void TSpriteAnimation::SetCurrentFrame(int frame) {
    SetAndNotify(m_currentFrame, std::max(frame, -1), [this] { Changed(); });
}

void TSpriteAnimation::SetLibMaterialName(const std::string& name) {
    SetAndNotify(m_libMaterialName, name, [this] { Changed(); });
}

void TSpriteAnimation::SetDimensions(TSpriteFrameDimensions dimensions) {
    SetAndNotify(m_dimensions, dimensions, [this] { Changed(); });
}

float TSpriteAnimation::FrameRate() const {
    return FrameRateOfInterval(m_interval);
}

void TSpriteAnimation::SetFrameRate(float rate) {
    SetInterval(IntervalOfFrameRate(rate));
}

void TSpriteAnimation::SetMargins(const TSpriteAnimMargins& margins) {
    SetAndNotify(m_margins, margins, [this] { Changed(); });
}

TGLLibMaterial* TSpriteAnimation::LibMaterial() const {
    TGLMaterialLibrary* library = m_owner ? m_owner->MaterialLibrary() : nullptr;
    return library ? library->FindMaterial(m_libMaterialName) : nullptr;
}

int TSpriteAnimation::FirstFrame() const {
    return m_dimensions == sfdManual ? 0 : m_startFrame;
}

int TSpriteAnimation::LastFrame() const {
    return m_dimensions == sfdManual ? m_frames.Count() - 1 : m_endFrame;
}

bool TSpriteAnimation::ShowsFrame() const {
    if (m_currentFrame < 0) {
        return false;
    }
    if (m_dimensions == sfdManual) {
        return m_currentFrame < m_frames.Count();
    }
    return m_startFrame <= m_currentFrame && m_currentFrame <= m_endFrame;
}

TSpriteFrameRect TSpriteAnimation::FrameRect(int textureWidth, int textureHeight) const {
    // 64-bit: frame numbers and sizes come from stored data and may be anything.
    const auto rect = [](std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
        const auto clamp = [](std::int64_t v) {
            return static_cast<int>(
                std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
        };
        return TSpriteFrameRect{clamp(left), clamp(top), clamp(right), clamp(bottom)};
    };
    if (m_dimensions == sfdManual) {
        const TSpriteAnimFrame& frame = m_frames.Items(m_currentFrame);
        const std::int64_t x = frame.OffsetX();
        const std::int64_t y = frame.OffsetY();
        return rect(x, y, x + frame.Width() - 1, y + frame.Height() - 1);
    }
    std::int64_t x0 = 0;
    std::int64_t y0 = 0;
    if (textureWidth >= 1 && textureHeight >= 1 && m_frameWidth >= 1 && m_frameHeight >= 1) {
        const std::int64_t perRow = std::max(textureWidth / m_frameWidth, 1);
        x0 = m_currentFrame % perRow * m_frameWidth;
        y0 = m_currentFrame / perRow * m_frameHeight;
    }
    return rect(x0 + m_margins.Left, y0 + m_margins.Top, x0 + m_frameWidth - 1 - m_margins.Right,
                y0 + m_frameHeight - 1 - m_margins.Bottom);
}

void TSpriteAnimation::Assign(const TSpriteAnimation& source) {
    if (&source == this) {
        return;
    }
    m_name = source.m_name;
    m_currentFrame = source.m_currentFrame;
    m_startFrame = source.m_startFrame;
    m_endFrame = source.m_endFrame;
    m_frameWidth = source.m_frameWidth;
    m_frameHeight = source.m_frameHeight;
    m_libMaterialName = source.m_libMaterialName;
    m_frames.Assign(source.m_frames);
    m_dimensions = source.m_dimensions;
    m_interval = source.m_interval;
    m_margins = source.m_margins;
    Changed();
}

TSpriteAnimation& TSpriteAnimationList::Add() {
    m_items.push_back(std::make_unique<TSpriteAnimation>(m_owner));
    Changed();
    return *m_items.back();
}

TSpriteAnimation* TSpriteAnimationList::Find(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

void TSpriteAnimationList::Delete(int index) {
    if (index >= 0 && index < Count()) {
        m_items.erase(m_items.begin() + index);
        Changed();
    }
}

void TSpriteAnimationList::Clear() {
    m_items.clear();
    Changed();
}

void TSpriteAnimationList::Assign(const TSpriteAnimationList& source) {
    if (&source == this) {
        return;
    }
    m_items.clear();
    for (const auto& animation : source.m_items) {
        m_items.push_back(std::make_unique<TSpriteAnimation>(m_owner));
        m_items.back()->Assign(*animation);
    }
    Changed();
}

void TSpriteAnimationList::TakeFrom(TSpriteAnimationList& other) {
    m_items = std::move(other.m_items);
    other.m_items.clear();
    Changed();
}

void TSpriteAnimationList::Changed() {
    Notify(m_owner);
}

}  // namespace engine
