#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/render/bitmap32.h"
#include "engine/material/color.h"
#include "engine/render/gl_texture_name.h"
#include "engine/render/texture_format.h"
#include "platform/image.h"

#include <GL/gl.h>

#include <functional>
#include <string>

namespace engine {

struct TRenderContextInfo;
class TGLStateCache;

enum class TGLMagFilter : std::uint8_t { maNearest, maLinear };
enum class TGLMinFilter : std::uint8_t {
    miNearest,
    miLinear,
    miNearestMipmapNearest,
    miLinearMipmapNearest,
    miNearestMipmapLinear,
    miLinearMipmapLinear,
};
enum class TGLTextureMode : std::uint8_t { tmDecal, tmModulate, tmBlend, tmReplace };
enum class TGLTextureWrap : std::uint8_t { twBoth, twNone, twVertical, twHorizontal };
enum class TGLTextureFilteringQuality : std::uint8_t { tfIsotropic, tfAnisotropic };

GLenum GLMinFilter(TGLMinFilter filter);
// Whether the filter reads mipmap levels.
bool IsMipmapFilter(TGLMinFilter filter);
GLenum GLTextureMode(TGLTextureMode mode);

// A picture and the settings that turn it into an OpenGL texture. The texture is built lazily: at
// the first draw, and again at the first draw after any setting or the picture changed. The picture
// stays in memory; the converted upload copy does not.
class TGLTexture {
public:
    TGLTexture();
    // Frees the OpenGL texture; needs the context it was made in to be current when there is one.
    ~TGLTexture();
    TGLTexture(const TGLTexture&) = delete;
    TGLTexture& operator=(const TGLTexture&) = delete;

    const platform::Image& Image() const { return m_image; }
    void SetImage(platform::Image image);
    // Reads a picture file, its reader chosen by extension. The name is first resolved through
    // OnResolveFileName (the library's texture paths). A missing file empties the picture and throws
    // EGLTextureException "Could not open file: <name as given>"; a reader's error propagates and
    // leaves the previous picture.
    void LoadImageFromFile(const std::string& fileName);

    TGLTextureImageAlpha ImageAlpha() const { return m_imageAlpha; }
    void SetImageAlpha(TGLTextureImageAlpha value) { SetAndNotify(m_imageAlpha, value, [this] { Changed(); }); }
    float ImageBrightness() const { return m_imageBrightness; }
    void SetImageBrightness(float value) { SetAndNotify(m_imageBrightness, value, [this] { Changed(); }); }
    float ImageGamma() const { return m_imageGamma; }
    void SetImageGamma(float value) { SetAndNotify(m_imageGamma, value, [this] { Changed(); }); }
    TGLMagFilter MagFilter() const { return m_magFilter; }
    void SetMagFilter(TGLMagFilter value) { SetAndNotify(m_magFilter, value, [this] { Changed(); }); }
    TGLMinFilter MinFilter() const { return m_minFilter; }
    void SetMinFilter(TGLMinFilter value) { SetAndNotify(m_minFilter, value, [this] { Changed(); }); }
    TGLTextureMode TextureMode() const { return m_textureMode; }
    void SetTextureMode(TGLTextureMode value) { SetAndNotify(m_textureMode, value, [this] { Changed(); }); }
    TGLTextureWrap TextureWrap() const { return m_textureWrap; }
    void SetTextureWrap(TGLTextureWrap value) { SetAndNotify(m_textureWrap, value, [this] { Changed(); }); }
    TGLTextureFormat TextureFormat() const { return m_textureFormat; }
    void SetTextureFormat(TGLTextureFormat value) { SetAndNotify(m_textureFormat, value, [this] { Changed(); }); }
    TGLTextureCompression Compression() const { return m_compression; }
    void SetCompression(TGLTextureCompression value) { SetAndNotify(m_compression, value, [this] { Changed(); }); }
    TGLTextureFilteringQuality FilteringQuality() const { return m_filteringQuality; }
    void SetFilteringQuality(TGLTextureFilteringQuality value) {
        SetAndNotify(m_filteringQuality, value, [this] { Changed(); });
    }
    TGLColor& EnvColor() { return m_envColor; }
    const TGLColor& EnvColor() const { return m_envColor; }
    bool Disabled() const { return m_disabled; }
    void SetDisabled(bool value) { SetAndNotify(m_disabled, value, [this] { Changed(); }); }
    float NormalMapScale() const { return m_normalMapScale; }
    void SetNormalMapScale(float value) { SetAndNotify(m_normalMapScale, value, [this] { Changed(); }); }

    // Copies the picture and every setting.
    void Assign(const TGLTexture& source);

    // Binds the texture on unit 0 with its environment, building it first when needed; a disabled
    // texture only switches 2-D texturing off.
    void BindForDrawing(TRenderContextInfo& rci);
    void ReleaseAfterDrawing(TRenderContextInfo& rci);

    // Whether a setting changed since the last build (always true before the first).
    bool IsChanged() const { return m_changed; }
    GLuint Handle() const { return m_handle.Get(); }
    // The size last uploaded (0 x 0 for an empty picture).
    int TexWidth() const { return m_texWidth; }
    int TexHeight() const { return m_texHeight; }
    // The compressed size OpenGL reports for level 0, -1 when it reports none.
    int RequiredMemorySize() const { return m_requiredMemorySize; }
    // Whether the texture as stored gives no light beyond its edges when clamped (EdgeGivesNoLight):
    // black there, or transparent, as far as its format keeps colour and alpha; never for a
    // compressed one. False before the upload.
    bool BorderIsBlack() const { return m_borderBlack; }

    // Told of every change.
    std::function<void()> OnChange;
    // Turns a picture file name into the path to open; unset leaves names as they are.
    std::function<std::string(const std::string&)> OnResolveFileName;

private:
    void Changed();
    void Build(TGLStateCache& states);
    void SetParameters(const TGLTextureCapabilities& caps);
    void Upload(const TGLTextureCapabilities& caps);

    platform::Image m_image;
    TGLTextureImageAlpha m_imageAlpha = TGLTextureImageAlpha::tiaDefault;
    float m_imageBrightness = 1.0f;
    float m_imageGamma = 1.0f;
    TGLMagFilter m_magFilter = TGLMagFilter::maLinear;
    TGLMinFilter m_minFilter = TGLMinFilter::miLinearMipmapLinear;
    TGLTextureMode m_textureMode = TGLTextureMode::tmDecal;
    TGLTextureWrap m_textureWrap = TGLTextureWrap::twBoth;
    TGLTextureFormat m_textureFormat = TGLTextureFormat::tfDefault;
    TGLTextureCompression m_compression = TGLTextureCompression::tcDefault;
    TGLTextureFilteringQuality m_filteringQuality = TGLTextureFilteringQuality::tfIsotropic;
    TGLColor m_envColor{0.0f, 0.0f, 0.0f, 0.0f};
    bool m_disabled = true;
    float m_normalMapScale = 0.125f;

    TGLTextureName m_handle;
    bool m_changed = true;
    int m_texWidth = 0;
    int m_texHeight = 0;
    int m_requiredMemorySize = -1;
    bool m_borderBlack = false;
};

}  // namespace engine
