#include "engine/material/texture.h"

#include "engine/render/gl_state_cache.h"
#include "engine/render/image_registry.h"
#include "engine/material/material_errors.h"
#include "engine/render/render_context_info.h"
#include "engine/render/texture_edge.h"
#include "platform/paths.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <utility>
#include <vector>

namespace engine {
namespace {

// Empties OpenGL's error queue so the next glGetError speaks of the calls that follow.
void ClearGLErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace

bool IsMipmapFilter(TGLMinFilter filter) {
    return filter != TGLMinFilter::miNearest && filter != TGLMinFilter::miLinear;
}

GLenum GLMinFilter(TGLMinFilter filter) {
    switch (filter) {
        case TGLMinFilter::miNearest:
            return GL_NEAREST;
        case TGLMinFilter::miLinear:
            return GL_LINEAR;
        case TGLMinFilter::miNearestMipmapNearest:
            return GL_NEAREST_MIPMAP_NEAREST;
        case TGLMinFilter::miLinearMipmapNearest:
            return GL_LINEAR_MIPMAP_NEAREST;
        case TGLMinFilter::miNearestMipmapLinear:
            return GL_NEAREST_MIPMAP_LINEAR;
        case TGLMinFilter::miLinearMipmapLinear:
            break;
    }
    return GL_LINEAR_MIPMAP_LINEAR;
}

GLenum GLTextureMode(TGLTextureMode mode) {
    switch (mode) {
        case TGLTextureMode::tmModulate:
            return GL_MODULATE;
        case TGLTextureMode::tmBlend:
            return GL_BLEND;
        case TGLTextureMode::tmReplace:
            return GL_REPLACE;
        case TGLTextureMode::tmDecal:
            break;
    }
    return GL_DECAL;
}

TGLTexture::TGLTexture() {
    m_envColor.OnChange = [this] { Changed(); };
}

TGLTexture::~TGLTexture() = default;

void TGLTexture::Changed() {
    m_changed = true;
    if (OnChange) {
        OnChange();
    }
}

void TGLTexture::SetImage(platform::Image image) {
    m_image = std::move(image);
    Changed();
}

void TGLTexture::LoadImageFromFile(const std::string& fileName) {
    const std::string resolved = OnResolveFileName ? OnResolveFileName(fileName) : fileName;
    if (!platform::FileExists(resolved)) {
        SetImage({});
        throw EGLTextureException(material_messages::kCouldNotOpenFile + fileName);
    }
    SetImage(LoadImageFile(platform::ResolvePath(resolved)));
}

void TGLTexture::Assign(const TGLTexture& source) {
    if (&source == this) {
        return;
    }
    m_image = source.m_image;
    m_imageAlpha = source.m_imageAlpha;
    m_imageBrightness = source.m_imageBrightness;
    m_imageGamma = source.m_imageGamma;
    m_magFilter = source.m_magFilter;
    m_minFilter = source.m_minFilter;
    m_textureMode = source.m_textureMode;
    m_textureWrap = source.m_textureWrap;
    m_textureFormat = source.m_textureFormat;
    m_compression = source.m_compression;
    m_filteringQuality = source.m_filteringQuality;
    m_disabled = source.m_disabled;
    m_normalMapScale = source.m_normalMapScale;
    m_envColor.SetColor(source.m_envColor.Color());
    Changed();
}

void TGLTexture::BindForDrawing(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    if (m_disabled) {
        states.Disable(TGLState::stTexture2D);
        return;
    }
    if (m_handle.Get() == 0 || m_changed) {
        Build(states);
    }
    states.Enable(TGLState::stTexture2D);
    states.BindTexture2D(m_handle.Get());
    states.SetTextureEnv(GLTextureMode(m_textureMode), m_envColor.AsArray());
}

void TGLTexture::ReleaseAfterDrawing(TRenderContextInfo& rci) {
    rci.GLStates->Disable(TGLState::stTexture2D);
}

void TGLTexture::Build(TGLStateCache& states) {
    const TGLTextureCapabilities caps = QueryTextureCapabilities();
    states.BindTexture2D(m_handle.Acquire());
    SetParameters(caps);
    Upload(caps);
    m_changed = false;
}

void TGLTexture::SetParameters(const TGLTextureCapabilities& caps) {
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

    if (IsFloatFormat(m_textureFormat)) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    } else {
        const GLint clamp = caps.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
        const bool clampS = m_textureWrap == TGLTextureWrap::twNone || m_textureWrap == TGLTextureWrap::twVertical;
        const bool clampT = m_textureWrap == TGLTextureWrap::twNone || m_textureWrap == TGLTextureWrap::twHorizontal;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, clampS ? clamp : GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, clampT ? clamp : GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(GLMinFilter(m_minFilter)));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                        m_magFilter == TGLMagFilter::maNearest ? GL_NEAREST : GL_LINEAR);
    }
    if (caps.anisotropy) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                        m_filteringQuality == TGLTextureFilteringQuality::tfAnisotropic ? 2.0f : 1.0f);
    }
}

void TGLTexture::Upload(const TGLTextureCapabilities& caps) {
    TGLBitmap32 bitmap = ConvertToBitmap32(m_image);
    m_requiredMemorySize = -1;
    m_borderBlack = false;
    if (bitmap.Empty()) {
        // A zero-sized level leaves the texture incomplete, so objects draw untextured rather than
        // with a picture that was replaced.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        m_texWidth = 0;
        m_texHeight = 0;
        return;
    }
    ApplyImageAlpha(bitmap, m_imageAlpha);
    ApplyBrightnessAndGamma(bitmap, m_imageBrightness, m_imageGamma);

    const TInternalFormatChoice format = ChooseInternalFormat(m_textureFormat, m_compression, caps.compression);
    if (format.compressionHint != 0) {
        glHint(GL_TEXTURE_COMPRESSION_HINT, format.compressionHint);
    }
    const GLint internalFormat = static_cast<GLint>(format.internalFormat);

    m_texWidth = UploadDimension(bitmap.Width, caps.maxTextureSize);
    m_texHeight = UploadDimension(bitmap.Height, caps.maxTextureSize);
    const std::uint8_t* pixels = bitmap.Data.data();
    std::vector<std::uint8_t> scaled;
    if (m_texWidth != bitmap.Width || m_texHeight != bitmap.Height) {
        scaled.resize(static_cast<std::size_t>(m_texWidth) * m_texHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        gluScaleImage(GL_RGBA, bitmap.Width, bitmap.Height, GL_UNSIGNED_BYTE, bitmap.Data.data(), m_texWidth,
                      m_texHeight, GL_UNSIGNED_BYTE, scaled.data());
        pixels = scaled.data();
    }

    m_borderBlack = EdgeGivesNoLight(format.internalFormat, pixels, m_texWidth, m_texHeight);
    ClearGLErrors();
    const bool mipmaps = !IsFloatFormat(m_textureFormat) && IsMipmapFilter(m_minFilter);
    if (caps.generateMipmap) {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, mipmaps ? GL_TRUE : GL_FALSE);
    }
    if (mipmaps && !caps.generateMipmap) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, m_texWidth, m_texHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                          pixels);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, m_texWidth, m_texHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels);
    }

    ClearGLErrors();
    GLint size = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE, &size);
    m_requiredMemorySize = glGetError() == GL_NO_ERROR ? size : -1;
}

}  // namespace engine
