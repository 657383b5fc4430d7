#pragma once

#include <GL/gl.h>

#include <cstdint>

namespace engine {

enum class TGLTextureFormat : std::uint8_t {
    tfDefault,
    tfRGB,
    tfRGBA,
    tfRGB16,
    tfRGBA16,
    tfAlpha,
    tfLuminance,
    tfLuminanceAlpha,
    tfIntensity,
    tfNormalMap,
    tfRGBAFloat16,
    tfRGBAFloat32,
};

enum class TGLTextureCompression : std::uint8_t { tcDefault, tcNone, tcStandard, tcHighQuality, tcHighSpeed };

bool IsFloatFormat(TGLTextureFormat format);

// What glTexImage2D gets as internal format, and the GL_TEXTURE_COMPRESSION_HINT to set before
// (0: uncompressed, no hint).
struct TInternalFormatChoice {
    GLenum internalFormat = 0;
    GLenum compressionHint = 0;
};

// tfDefault stands for tfRGBA and tcDefault for tcNone; without compression support, or for a float
// format, the texture is stored uncompressed.
TInternalFormatChoice ChooseInternalFormat(TGLTextureFormat format, TGLTextureCompression compression,
                                           bool compressionAvailable);

// What the current context offers the texture builder; a missing feature degrades silently.
struct TGLTextureCapabilities {
    bool edgeClamp = false;       // GL_CLAMP_TO_EDGE (1.2 or the edge-clamp extension)
    bool anisotropy = false;      // GL_TEXTURE_MAX_ANISOTROPY_EXT
    bool compression = false;     // generic compressed internal formats
    bool generateMipmap = false;  // GL_GENERATE_MIPMAP
    GLint maxTextureSize = 64;    // the least any OpenGL offers
};

// Needs a current context.
TGLTextureCapabilities QueryTextureCapabilities();

// The side a picture side is uploaded with: the next power of two, at most maxSize.
int UploadDimension(int size, int maxSize);

}  // namespace engine
