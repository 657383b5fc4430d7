#pragma once

#include "engine/render/gl_state_sink.h"

#include <GL/gl.h>

#include <map>
#include <string>
#include <vector>

namespace tests {

// Stands in for OpenGL: remembers the capabilities as a driver would and logs every call in a
// readable form ("Enable BLEND", "BlendFunc SRC_ALPHA ONE", "Material FRONT DIFFUSE").
class RecordingSink : public engine::TGLStateSink {
public:
    std::vector<std::string> calls;
    std::map<GLenum, bool> capabilities;  // what the "driver" has enabled
    int queries = 0;

    void SetCapability(GLenum capability, bool enabled) override {
        capabilities[capability] = enabled;
        calls.push_back(std::string(enabled ? "Enable " : "Disable ") + Name(capability));
    }
    bool IsCapabilityEnabled(GLenum capability) override {
        ++queries;
        return capabilities[capability];
    }
    void Material(GLenum face, GLenum parameter, const GLfloat*) override {
        calls.push_back("Material " + Name(face) + " " + Name(parameter));
    }
    void PolygonMode(GLenum face, GLenum mode) override {
        calls.push_back("PolygonMode " + Name(face) + " " + Name(mode));
    }
    void Color(const GLfloat* rgba) override {
        lastColor.assign(rgba, rgba + 4);
        calls.push_back("Color");
    }
    void BlendFunc(GLenum source, GLenum destination) override {
        calls.push_back("BlendFunc " + Name(source) + " " + Name(destination));
    }
    void AlphaFunc(GLenum function, GLfloat reference) override {
        calls.push_back("AlphaFunc " + Name(function) + " " + std::to_string(reference).substr(0, 3));
    }
    void DepthFunc(GLenum function) override { calls.push_back("DepthFunc " + Name(function)); }
    void BindTexture(GLenum, GLuint name) override { calls.push_back("BindTexture " + std::to_string(name)); }
    void TextureEnv(GLenum mode, const GLfloat*) override { calls.push_back("TextureEnv " + Name(mode)); }
    void TextureMatrix(const GLfloat* rowMajor) override {
        if (rowMajor) {
            lastTextureMatrix.assign(rowMajor, rowMajor + 16);
        }
        calls.push_back(rowMajor ? "TextureMatrix" : "TextureMatrix identity");
    }
    void PushAllAttributes() override {
        pushedCapabilities.push_back(capabilities);
        calls.push_back("PushAttrib");
    }
    void PopAttributes() override {
        capabilities = pushedCapabilities.back();
        pushedCapabilities.pop_back();
        calls.push_back("PopAttrib");
    }

    // Whether a call was logged, and how often.
    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) {
            n += c == call ? 1 : 0;
        }
        return n;
    }
    bool Has(const std::string& call) const { return Count(call) > 0; }
    bool Enabled(GLenum capability) { return capabilities[capability]; }

    std::vector<GLfloat> lastColor;
    std::vector<GLfloat> lastTextureMatrix;
    std::vector<std::map<GLenum, bool>> pushedCapabilities;

private:
    static std::string Name(GLenum value) {
        static const std::map<GLenum, std::string> names = {
            {GL_ALPHA_TEST, "ALPHA_TEST"}, {GL_BLEND, "BLEND"}, {GL_CULL_FACE, "CULL_FACE"},
            {GL_DEPTH_TEST, "DEPTH_TEST"}, {GL_FOG, "FOG"}, {GL_LIGHTING, "LIGHTING"},
            {GL_TEXTURE_2D, "TEXTURE_2D"}, {GL_FRONT, "FRONT"}, {GL_BACK, "BACK"},
            {GL_EMISSION, "EMISSION"}, {GL_AMBIENT, "AMBIENT"}, {GL_DIFFUSE, "DIFFUSE"},
            {GL_SPECULAR, "SPECULAR"}, {GL_SHININESS, "SHININESS"}, {GL_FILL, "FILL"}, {GL_LINE, "LINE"},
            {GL_POINT, "POINT"}, {GL_SRC_ALPHA, "SRC_ALPHA"}, {GL_ONE_MINUS_SRC_ALPHA, "ONE_MINUS_SRC_ALPHA"},
            {GL_ONE, "ONE"}, {GL_ZERO, "ZERO"}, {GL_DST_COLOR, "DST_COLOR"}, {GL_GEQUAL, "GEQUAL"},
            {GL_GREATER, "GREATER"}, {GL_LEQUAL, "LEQUAL"}, {GL_LESS, "LESS"}, {GL_MODULATE, "MODULATE"},
            {GL_DECAL, "DECAL"}, {GL_REPLACE, "REPLACE"},
        };
        const auto it = names.find(value);
        return it != names.end() ? it->second : std::to_string(value);
    }
};

}  // namespace tests
