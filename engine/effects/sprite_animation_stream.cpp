#include "engine/effects/sprite_animation_stream.h"

#include <string>

namespace engine {
namespace {

using namespace sprite_animation_stream;

void ExpectClass(TClassNameReader& classes, TTypedValueReader& reader, const char* expected) {
    const std::string name = classes.ReadClass(reader);
    if (name != expected) {
        throw ETypedValueStreamError("Invalid stream format: " + name + " where " + expected + " was expected");
    }
}

void WriteFrames(TTypedValueWriter& writer, const TSpriteAnimFrameList& frames) {
    writer.WriteInteger(frames.Count());
    TClassNameWriter classes;
    for (int i = 0; i < frames.Count(); ++i) {
        const TSpriteAnimFrame& frame = frames.Items(i);
        classes.WriteClass(writer, FrameClass);
        WriteItemHeader(writer, frame.Name());
        writer.WriteInteger(FrameVersion);
        writer.WriteInteger(frame.OffsetX());
        writer.WriteInteger(frame.OffsetY());
        writer.WriteInteger(frame.Width());
        writer.WriteInteger(frame.Height());
    }
}

void ReadFrames(TTypedValueReader& reader, TSpriteAnimFrameList& frames) {
    const std::int32_t count = reader.ReadCount();
    TClassNameReader classes;
    for (std::int32_t i = 0; i < count; ++i) {
        ExpectClass(classes, reader, FrameClass);
        TSpriteAnimFrame& frame = frames.Add();
        frame.SetName(ReadItemHeader(reader));
        reader.ReadVersion("sprite animation frame", FrameVersion);
        frame.SetOffsetX(reader.ReadInteger());
        frame.SetOffsetY(reader.ReadInteger());
        frame.SetWidth(reader.ReadInteger());
        frame.SetHeight(reader.ReadInteger());
    }
}

TSpriteFrameDimensions ReadDimensions(TTypedValueReader& reader) {
    const std::int32_t value = reader.ReadInteger();
    if (value != sfdAuto && value != sfdManual) {
        throw ETypedValueStreamError("Invalid stream format: frame dimensions " + std::to_string(value));
    }
    return static_cast<TSpriteFrameDimensions>(value);
}

void ReadAnimation(TTypedValueReader& reader, TSpriteAnimation& animation) {
    animation.SetName(ReadItemHeader(reader));
    const std::int32_t version = reader.ReadVersion("sprite animation", AnimationVersion);
    ReadFrames(reader, animation.Frames());
    animation.SetLibMaterialName(reader.ReadString());
    animation.SetCurrentFrame(reader.ReadInteger());
    animation.SetStartFrame(reader.ReadInteger());
    animation.SetEndFrame(reader.ReadInteger());
    animation.SetFrameWidth(reader.ReadInteger());
    animation.SetFrameHeight(reader.ReadInteger());
    animation.SetDimensions(ReadDimensions(reader));
    if (version >= 1) {
        animation.SetInterval(reader.ReadInteger());
    }
    if (version >= 2) {
        TSpriteAnimMargins margins;
        margins.Left = reader.ReadInteger();
        margins.Top = reader.ReadInteger();
        margins.Right = reader.ReadInteger();
        margins.Bottom = reader.ReadInteger();
        animation.SetMargins(margins);
    }
}

}  // namespace

std::vector<std::uint8_t> WriteSpriteAnimations(const TSpriteAnimationList& animations) {
    TTypedValueWriter writer;
    writer.WriteInteger(animations.Count());
    TClassNameWriter classes;
    for (int i = 0; i < animations.Count(); ++i) {
        const TSpriteAnimation& animation = animations.Items(i);
        classes.WriteClass(writer, AnimationClass);
        WriteItemHeader(writer, animation.Name());
        writer.WriteInteger(AnimationVersion);
        WriteFrames(writer, animation.Frames());
        writer.WriteString(animation.LibMaterialName());
        writer.WriteInteger(animation.CurrentFrame());
        writer.WriteInteger(animation.StartFrame());
        writer.WriteInteger(animation.EndFrame());
        writer.WriteInteger(animation.FrameWidth());
        writer.WriteInteger(animation.FrameHeight());
        writer.WriteInteger(animation.Dimensions());
        writer.WriteInteger(animation.Interval());
        const TSpriteAnimMargins& margins = animation.Margins();
        writer.WriteInteger(margins.Left);
        writer.WriteInteger(margins.Top);
        writer.WriteInteger(margins.Right);
        writer.WriteInteger(margins.Bottom);
    }
    return writer.Data();
}

void ReadSpriteAnimations(TSpriteAnimationList& animations, std::span<const std::uint8_t> data) {
    TTypedValueReader reader(data);
    TSpriteAnimationList loaded(animations.Owner());
    const std::int32_t count = reader.ReadCount();
    TClassNameReader classes;
    for (std::int32_t i = 0; i < count; ++i) {
        ExpectClass(classes, reader, AnimationClass);
        ReadAnimation(reader, loaded.Add());
    }
    animations.TakeFrom(loaded);
}

}  // namespace engine
