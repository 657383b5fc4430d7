#include "engine/render/texture_format.h"

#include <GL/glext.h>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace engine {
namespace {

// Mesa's software rasterisers offer anisotropic filtering at many times the cost of everything else
// in a frame, and decode compressed textures again at every sample while gaining nothing from them:
// there both are left off, as on a driver without the extensions.
bool SoftwareRasterizer(const char* renderer) {
    return renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe"));
}

GLenum UncompressedFormat(TGLTextureFormat format) {
    switch (format) {
        case TGLTextureFormat::tfRGB:
        case TGLTextureFormat::tfNormalMap:
            return GL_RGB8;
        case TGLTextureFormat::tfRGB16:
            return GL_RGB5;
        case TGLTextureFormat::tfRGBA16:
            return GL_RGBA4;
        case TGLTextureFormat::tfAlpha:
            return GL_ALPHA8;
        case TGLTextureFormat::tfLuminance:
            return GL_LUMINANCE8;
        case TGLTextureFormat::tfLuminanceAlpha:
            return GL_LUMINANCE8_ALPHA8;
        case TGLTextureFormat::tfIntensity:
            return GL_INTENSITY8;
        case TGLTextureFormat::tfRGBAFloat16:
            return GL_RGBA16F;
        case TGLTextureFormat::tfRGBAFloat32:
            return GL_RGBA32F;
        case TGLTextureFormat::tfDefault:
        case TGLTextureFormat::tfRGBA:
            break;
    }
    return GL_RGBA8;
}

GLenum CompressedFormat(TGLTextureFormat format) {
    switch (format) {
        case TGLTextureFormat::tfRGB:
        case TGLTextureFormat::tfRGB16:
        case TGLTextureFormat::tfNormalMap:
            return GL_COMPRESSED_RGB;
        case TGLTextureFormat::tfAlpha:
            return GL_COMPRESSED_ALPHA;
        case TGLTextureFormat::tfLuminance:
            return GL_COMPRESSED_LUMINANCE;
        case TGLTextureFormat::tfLuminanceAlpha:
            return GL_COMPRESSED_LUMINANCE_ALPHA;
        case TGLTextureFormat::tfIntensity:
            return GL_COMPRESSED_INTENSITY;
        default:
            break;
    }
    return GL_COMPRESSED_RGBA;
}

bool HasExtension(const char* extensions, std::string_view name) {
    if (!extensions) {
        return false;
    }
    const std::string_view all(extensions);
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find(' ', start);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        if (all.substr(start, end - start) == name) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

bool IsFloatFormat(TGLTextureFormat format) {
    return format == TGLTextureFormat::tfRGBAFloat16 || format == TGLTextureFormat::tfRGBAFloat32;
}

TInternalFormatChoice ChooseInternalFormat(TGLTextureFormat format, TGLTextureCompression compression,
                                           bool compressionAvailable) {
    if (format == TGLTextureFormat::tfDefault) {
        format = TGLTextureFormat::tfRGBA;
    }
    GLenum hint = 0;
    if (compressionAvailable && !IsFloatFormat(format)) {
        switch (compression) {
            case TGLTextureCompression::tcStandard:
                hint = GL_DONT_CARE;
                break;
            case TGLTextureCompression::tcHighQuality:
                hint = GL_NICEST;
                break;
            case TGLTextureCompression::tcHighSpeed:
                hint = GL_FASTEST;
                break;
            case TGLTextureCompression::tcDefault:
            case TGLTextureCompression::tcNone:
                break;
        }
    }
    if (hint == 0) {
        return {UncompressedFormat(format), 0};
    }
    return {CompressedFormat(format), hint};
}

TGLTextureCapabilities QueryTextureCapabilities() {
    TGLTextureCapabilities caps;
    int major = 1;
    int minor = 0;
    if (const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION))) {
        std::sscanf(version, "%d.%d", &major, &minor);
    }
    const auto atLeast = [&](int wantMajor, int wantMinor) {
        return major > wantMajor || (major == wantMajor && minor >= wantMinor);
    };
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    caps.edgeClamp = atLeast(1, 2) || HasExtension(extensions, "GL_EXT_texture_edge_clamp") ||
                     HasExtension(extensions, "GL_SGIS_texture_edge_clamp");
    const bool software = SoftwareRasterizer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    caps.anisotropy = (HasExtension(extensions, "GL_EXT_texture_filter_anisotropic") ||
                       HasExtension(extensions, "GL_ARB_texture_filter_anisotropic")) &&
                      !software;
    caps.compression = (atLeast(1, 3) || HasExtension(extensions, "GL_ARB_texture_compression")) && !software;
    caps.generateMipmap = atLeast(1, 4) || HasExtension(extensions, "GL_SGIS_generate_mipmap");
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize > 0) {
        caps.maxTextureSize = maxSize;
    }
    return caps;
}

int UploadDimension(int size, int maxSize) {
    int result = 1;
    while (result < size && result <= maxSize / 2) {
        result *= 2;
    }
    return result;
}

}  // namespace engine
