#pragma once

#include "engine/core/set_and_notify.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class TGLAnimatedSprite;
class TGLLibMaterial;

enum TSpriteFrameDimensions { sfdAuto, sfdManual };

// Frames per second of an interval in milliseconds: 1000 / interval, 0 when interval <= 0.
float FrameRateOfInterval(int interval);
// The interval of a rate: round(1000 / rate) (halves to even), 0 for a rate <= 0, at most INT32_MAX.
int IntervalOfFrameRate(float rate);

// A frame of a manually cut animation: its rectangle in texture pixels.
class TSpriteAnimFrame {
public:
    explicit TSpriteAnimFrame(TGLAnimatedSprite* owner) : m_owner(owner) {}
    TSpriteAnimFrame(const TSpriteAnimFrame&) = delete;
    TSpriteAnimFrame& operator=(const TSpriteAnimFrame&) = delete;

    static const char* DisplayName() { return "Frame"; }
    static const char* Description() { return "Sprite Animation Frame"; }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    int OffsetX() const { return m_offsetX; }
    void SetOffsetX(int value) { SetAndNotify(m_offsetX, value, [this] { Changed(); }); }
    int OffsetY() const { return m_offsetY; }
    void SetOffsetY(int value) { SetAndNotify(m_offsetY, value, [this] { Changed(); }); }
    int Width() const { return m_width; }
    void SetWidth(int value) { SetAndNotify(m_width, value, [this] { Changed(); }); }
    int Height() const { return m_height; }
    void SetHeight(int value) { SetAndNotify(m_height, value, [this] { Changed(); }); }

    void Assign(const TSpriteAnimFrame& source);

private:
    void Changed();

    TGLAnimatedSprite* m_owner;
    std::string m_name;
    int m_offsetX = 0;
    int m_offsetY = 0;
    int m_width = 0;
    int m_height = 0;
};

// The frames of one animation, in order.
class TSpriteAnimFrameList {
public:
    explicit TSpriteAnimFrameList(TGLAnimatedSprite* owner) : m_owner(owner) {}
    TSpriteAnimFrameList(const TSpriteAnimFrameList&) = delete;
    TSpriteAnimFrameList& operator=(const TSpriteAnimFrameList&) = delete;

    TSpriteAnimFrame& Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    // Index checked: std::out_of_range.
    TSpriteAnimFrame& Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TSpriteAnimFrame& Items(int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // An index out of range is ignored.
    void Delete(int index);
    void Clear();
    void Assign(const TSpriteAnimFrameList& source);

private:
    TGLAnimatedSprite* m_owner;
    std::vector<std::unique_ptr<TSpriteAnimFrame>> m_items;
};

// Pixels trimmed from each side of an automatically cut frame.
struct TSpriteAnimMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TSpriteAnimMargins&) const = default;
};

// A frame's rectangle in texture pixels, edges inclusive; row 0 is the top of the image.
struct TSpriteFrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const TSpriteFrameRect&) const = default;
};

// One animation of an animated sprite: a range of frames cut from a grid of FrameWidth x
// FrameHeight cells (sfdAuto) or a list of rectangles (sfdManual) in the texture of a library
// material of the sprite's material library.
class TSpriteAnimation {
public:
    explicit TSpriteAnimation(TGLAnimatedSprite* owner) : m_owner(owner), m_frames(owner) {}
    TSpriteAnimation(const TSpriteAnimation&) = delete;
    TSpriteAnimation& operator=(const TSpriteAnimation&) = delete;

    static const char* DisplayName() { return "Animation"; }
    static const char* Description() { return "Sprite Animation"; }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    // Negative values are stored as -1 (no frame).
    int CurrentFrame() const { return m_currentFrame; }
    void SetCurrentFrame(int frame);
    int StartFrame() const { return m_startFrame; }
    void SetStartFrame(int frame) { SetAndNotify(m_startFrame, frame, [this] { Changed(); }); }
    int EndFrame() const { return m_endFrame; }
    void SetEndFrame(int frame) { SetAndNotify(m_endFrame, frame, [this] { Changed(); }); }
    int FrameWidth() const { return m_frameWidth; }
    void SetFrameWidth(int width) { SetAndNotify(m_frameWidth, width, [this] { Changed(); }); }
    int FrameHeight() const { return m_frameHeight; }
    void SetFrameHeight(int height) { SetAndNotify(m_frameHeight, height, [this] { Changed(); }); }
    const std::string& LibMaterialName() const { return m_libMaterialName; }
    void SetLibMaterialName(const std::string& name);
    TSpriteAnimFrameList& Frames() { return m_frames; }
    const TSpriteAnimFrameList& Frames() const { return m_frames; }
    TSpriteFrameDimensions Dimensions() const { return m_dimensions; }
    void SetDimensions(TSpriteFrameDimensions dimensions);
    // Milliseconds per frame; 0 uses the sprite's Interval.
    int Interval() const { return m_interval; }
    void SetInterval(int interval) { SetAndNotify(m_interval, interval, [this] { Changed(); }); }
    // 1000 / Interval, 0 when Interval <= 0; setting stores round(1000 / rate), 0 for a rate <= 0.
    float FrameRate() const;
    void SetFrameRate(float rate);
    const TSpriteAnimMargins& Margins() const { return m_margins; }
    void SetMargins(const TSpriteAnimMargins& margins);

    // The library material named LibMaterialName in the sprite's material library, or null. It is
    // looked up on each use: library materials can go without telling anyone who found them.
    TGLLibMaterial* LibMaterial() const;
    // The range the frame stepping runs over: (0, frame count - 1) for sfdManual, else
    // (StartFrame, EndFrame).
    int FirstFrame() const;
    int LastFrame() const;
    // Whether CurrentFrame is a frame that is drawn.
    bool ShowsFrame() const;
    // CurrentFrame's rectangle in a W x H texture (sfdManual: the frame must exist).
    TSpriteFrameRect FrameRect(int textureWidth, int textureHeight) const;

    void Assign(const TSpriteAnimation& source);

private:
    void Changed();

    TGLAnimatedSprite* m_owner;
    std::string m_name;
    int m_currentFrame = 0;
    int m_startFrame = 0;
    int m_endFrame = 0;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    std::string m_libMaterialName;
    TSpriteAnimFrameList m_frames;
    TSpriteFrameDimensions m_dimensions = sfdAuto;
    int m_interval = 0;
    TSpriteAnimMargins m_margins;
};

// The animations of a sprite, in order.
class TSpriteAnimationList {
public:
    explicit TSpriteAnimationList(TGLAnimatedSprite* owner) : m_owner(owner) {}
    TSpriteAnimationList(const TSpriteAnimationList&) = delete;
    TSpriteAnimationList& operator=(const TSpriteAnimationList&) = delete;

    TSpriteAnimation& Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    // Index checked: std::out_of_range.
    TSpriteAnimation& Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TSpriteAnimation& Items(int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // The animation at index, or null when there is none.
    TSpriteAnimation* Find(int index) const;
    // An index out of range is ignored.
    void Delete(int index);
    void Clear();
    void Assign(const TSpriteAnimationList& source);
    // Takes over the other list's animations (of the same sprite), dropping this one's.
    void TakeFrom(TSpriteAnimationList& other);
    TGLAnimatedSprite* Owner() const { return m_owner; }

private:
    void Changed();

    TGLAnimatedSprite* m_owner;
    std::vector<std::unique_ptr<TSpriteAnimation>> m_items;
};

}  // namespace engine
