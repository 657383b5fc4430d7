#include "tools/assetview/render/model_view.h"

#include "engine/assets/actor.h"
#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/image_registry.h"
#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"
#include "engine/viewer/frame_readback.h"
#include "platform/paths.h"
#include "tools/assetview/render/hidden_context.h"
#include "tools/assetview/render/input_kind.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <stdexcept>
#include <string>

namespace tools {
namespace {

constexpr double kFieldOfView = 30.0;  // degrees, vertical

// The game keeps models in <folder>/models and their textures in <folder>/textures.
std::filesystem::path TextureFolder(const std::string& modelPath) {
    return std::filesystem::absolute(modelPath).parent_path().parent_path() / "textures";
}

void WearSkin(engine::TGLActor& actor, engine::TGLMaterialLibrary& library, const std::string& modelPath) {
    const std::filesystem::path skin =
        TextureFolder(modelPath) / (std::filesystem::path(modelPath).stem().string() + ".jpg");
    if (!platform::FileExists(skin.string())) {
        return;
    }
    engine::TGLLibMaterial& material = library.Materials().Add("skin");
    material.Material().Texture().LoadImageFromFile(skin.string());
    material.Material().Texture().SetDisabled(false);
    material.Material().Texture().SetTextureMode(engine::TGLTextureMode::tmModulate);
    actor.Material().SetMaterialLibrary(&library);
    actor.Material().SetLibMaterialName("skin");
    actor.SetUseMeshMaterials(false);
}

void SetUpView(const ViewOptions& options, const engine::TVec3& min, const engine::TVec3& max) {
    const engine::TVec3 centre{(min.X + max.X) / 2, (min.Y + max.Y) / 2, (min.Z + max.Z) / 2};
    const double radius =
        std::max(1e-3, 0.5 * std::sqrt(std::pow(max.X - min.X, 2.0) + std::pow(max.Y - min.Y, 2.0) +
                                       std::pow(max.Z - min.Z, 2.0)));
    const double aspect = static_cast<double>(options.Width) / options.Height;
    const double halfAngle = kFieldOfView * std::numbers::pi / 360.0;
    // Far enough that the bounding sphere fits both the height and the width of the view.
    const double distance = radius / std::sin(std::atan(std::tan(halfAngle) * std::min(1.0, aspect))) * 1.02;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, aspect, distance - radius * 1.1, distance + radius * 1.1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double yaw = options.Yaw * std::numbers::pi / 180.0;
    const double pitch = options.Pitch * std::numbers::pi / 180.0;
    const double across = std::cos(pitch) * distance;
    const double up = std::sin(pitch) * distance;
    if (options.UpIsY) {
        gluLookAt(centre.X + across * std::sin(yaw), centre.Y + up, centre.Z + across * std::cos(yaw), centre.X, centre.Y,
                  centre.Z, 0, 1, 0);
    } else {
        gluLookAt(centre.X + across * std::cos(yaw), centre.Y + across * std::sin(yaw), centre.Z + up, centre.X, centre.Y,
                  centre.Z, 0, 0, 1);
    }
}

// A key light from above the viewer's left and a soft fill, both fixed to the eye.
void SetUpLights() {
    glPushMatrix();
    glLoadIdentity();
    const GLfloat key[4] = {-0.5f, 0.7f, 0.6f, 0.0f};
    const GLfloat white[4] = {0.9f, 0.9f, 0.88f, 1.0f};
    const GLfloat ambient[4] = {0.35f, 0.35f, 0.38f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, key);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

}  // namespace

platform::Image RenderModel(const ViewOptions& options) {
    engine::RegisterImageFormats();
    engine::RegisterModelFormats();
    // Read first, so a missing file is told without waiting for a display.
    const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(options.Input);
    HiddenContext context(options.Width, options.Height);
    engine::TGLMaterialLibrary library;
    library.SetTexturePaths(TextureFolder(options.Input).string());
    engine::TGLActor mesh;  // an actor shows MD2 frames and draws 3DS models like any mesh
    mesh.SetMaterialLibrary(&library);
    mesh.SetIgnoreMissingTextures(true);
    mesh.LoadFromStream(options.Input, bytes);
    if (LowerExtension(options.Input) == "md2") {
        WearSkin(mesh, library, options.Input);
    }
    if (options.Frame > 0) {
        if (options.Frame >= mesh.AvailableFrameCount()) {
            throw std::out_of_range("the model has " + std::to_string(mesh.AvailableFrameCount()) + " frames");
        }
        mesh.SetCurrentFrame(options.Frame);
    }
    engine::TVec3 min;
    engine::TVec3 max;
    mesh.MeshBounds(min, max);

    glViewport(0, 0, options.Width, options.Height);
    glClearColor(0.18f, 0.2f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    SetUpView(options, min, max);
    SetUpLights();
    engine::TGLStateCache cache;
    engine::TRenderContextInfo rci;
    rci.GLStates = &cache;
    cache.Enable(engine::TGLState::stDepthTest);
    cache.Enable(engine::TGLState::stLighting);
    cache.Enable(engine::TGLState::stCullFace);  // back faces culled, so a face wound wrongly shows as a hole
    mesh.DrawContents(rci, true, false);
    glFinish();
    return engine::ReadFrameBuffer(0, 0, options.Width, options.Height);
}

}  // namespace tools
