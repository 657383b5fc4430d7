#include "editor/data/texture_loader.h"

#include "editor/data/message_reporter.h"
#include "editor/data/package.h"
#include "platform/image.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>

namespace editor {
namespace {

// Set by every LoadTexture call, read by the two image loaders.
struct LoaderState {
    std::uint8_t quality = 0;
    std::int32_t keyColour = 0;
};

LoaderState& State() {
    static LoaderState state;
    return state;
}

using Decoder = std::function<TexturePixels(std::span<const std::uint8_t>)>;

bool LoadWith(const std::string& packageName, const std::string& recordName, std::uint32_t& texture,
              const Decoder& decode, const char* caption, const char* message) {
    const auto record = ExtractRecord(packageName, recordName);
    std::optional<TexturePixels> pixels;
    if (record) {
        try {
            pixels = decode(*record);
        } catch (const platform::ImageError&) {
        }
    }
    if (!pixels) {
        ShowMessage(caption, message);
        return false;
    }
    texture = CreateTexture(pixels->Width, pixels->Height, pixels->Format, pixels->Buffer.data());
    return true;
}

std::string UpperExtension(const std::string& name) {
    std::string tail = name.size() < 4 ? std::string() : name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail;
}

}  // namespace

bool LoadTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture,
                 std::uint8_t quality, std::int32_t keyColour) {
    State() = {quality, keyColour};
    const std::string extension = UpperExtension(recordName);
    if (extension == ".BMP") {
        return LoadBMPTexture(packageName, recordName, texture);
    }
    if (extension == ".JPG") {
        return LoadJPGTexture(packageName, recordName, texture);
    }
    return false;
}

bool LoadBMPTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture) {
    const LoaderState state = State();
    return LoadWith(
        packageName, recordName, texture,
        [&](std::span<const std::uint8_t> record) { return BmpTexturePixels(record, state.quality, state.keyColour); },
        "BMP Unit", "Couldn't load BMP from stream");
}

bool LoadJPGTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture) {
    const LoaderState state = State();
    return LoadWith(
        packageName, recordName, texture,
        [&](std::span<const std::uint8_t> record) { return JpgTexturePixels(record, state.quality); }, "JPG Unit",
        "Couldn't load JPG from stream");
}

std::uint32_t CreateTexture(std::int32_t width, std::int32_t height, TextureFormat format, const std::uint8_t* pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are tightly packed: an RGB row of a width not divisible by four has no padding.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (format == TextureFormat::RGBA) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

}  // namespace editor
