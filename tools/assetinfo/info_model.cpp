#include "tools/assetinfo/info_kinds.h"

#include "engine/assets/actor.h"
#include "engine/assets/file_3ds.h"
#include "engine/assets/image_formats.h"
#include "engine/assets/model_formats.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "engine/mesh/vector_file.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace tools {
namespace {

nlohmann::json Rgb(const engine::TGLColor& color) {
    return {color.Red(), color.Green(), color.Blue()};
}

nlohmann::json Triple(const engine::TVec3& v) {
    return {v.X, v.Y, v.Z};
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The texture file each 3DS material names, by lower-case material name: a texture that is not
// there leaves no trace in the library material.
std::map<std::string, std::string> TextureNames(const std::vector<std::uint8_t>& bytes) {
    std::map<std::string, std::string> names;
    engine::TFile3DS file;
    file.LoadFromStream(bytes);
    for (int i = 0; i < file.Materials().Count(); ++i) {
        const engine::TMaterial3DS& material = file.Materials().Material(i);
        const std::string& texture = material.TextureMapName;
        const std::size_t first = texture.find_first_not_of(" \t");
        const std::string trimmed =
            first == std::string::npos ? "" : texture.substr(first, texture.find_last_not_of(" \t") - first + 1);
        names.emplace(Lower(material.NameStr), trimmed);
    }
    return names;
}

nlohmann::json MeshObjects(const engine::TGLBaseMesh& mesh) {
    nlohmann::json objects = nlohmann::json::array();
    for (const auto& object : mesh.MeshObjects()) {
        nlohmann::json groups = nlohmann::json::array();
        for (int g = 0; g < object->FaceGroups().Count(); ++g) {
            const engine::TFaceGroup& group = object->FaceGroups()[g];
            groups.push_back({{"material", group.MaterialName()}, {"triangles", group.TriangleCount()}});
        }
        objects.push_back({{"name", object->Name()},
                           {"vertices", object->Vertices().size()},
                           {"triangles", object->TriangleCount()},
                           {"faceGroups", groups}});
    }
    return objects;
}

}  // namespace

nlohmann::json InfoModel(const std::string& path) {
    engine::RegisterImageFormats();
    engine::RegisterModelFormats();
    const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(path);
    const std::string format = Lower(engine::FileExtension(path));

    engine::TGLMaterialLibrary library;
    engine::TGLActor mesh;  // an actor, so MD2 files report their animations too
    mesh.SetMaterialLibrary(&library);
    mesh.SetIgnoreMissingTextures(true);
    mesh.LoadFromStream(path, bytes);

    const std::map<std::string, std::string> textures =
        format == "md2" ? std::map<std::string, std::string>{} : TextureNames(bytes);
    nlohmann::json materials = nlohmann::json::array();
    for (int i = 0; i < library.Materials().Count(); ++i) {
        const engine::TGLLibMaterial& material = library.Materials()[i];
        const engine::TGLFaceProperties& front = material.Material().FrontProperties();
        const auto texture = textures.find(Lower(material.Name()));
        materials.push_back({{"name", material.Name()},
                             {"ambient", Rgb(front.Ambient())},
                             {"diffuse", Rgb(front.Diffuse())},
                             {"specular", Rgb(front.Specular())},
                             {"shininess", front.Shininess()},
                             {"texture", texture == textures.end() ? "" : texture->second}});
    }
    nlohmann::json animations = nlohmann::json::array();
    for (int i = 0; i < mesh.Animations().Count(); ++i) {
        const engine::TActorAnimation& animation = mesh.Animations()[i];
        animations.push_back(
            {{"name", animation.Name()}, {"start", animation.StartFrame()}, {"end", animation.EndFrame()}});
    }
    engine::TVec3 min;
    engine::TVec3 max;
    mesh.MeshBounds(min, max);
    return {{"format", format},         {"meshObjects", MeshObjects(mesh)},
            {"materials", materials},   {"frames", mesh.AvailableFrameCount()},
            {"animations", animations}, {"bounds", {{"min", Triple(min)}, {"max", Triple(max)}}}};
}

}  // namespace tools
