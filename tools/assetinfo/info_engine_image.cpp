#include "tools/assetinfo/info_kinds.h"

#include "engine/assets/image_formats.h"
#include "engine/render/image_registry.h"

namespace tools {

// DDS and TGA go through the engine's image registry, exactly as the game's textures load them.
platform::Image DecodeEngineImage(const std::string& path) {
    engine::RegisterImageFormats();
    return engine::LoadImageFile(path);
}

nlohmann::json InfoEngineImage(const std::string& path) {
    return ImageFacts(engine::ImageExtension(path), DecodeEngineImage(path));
}

}  // namespace tools
