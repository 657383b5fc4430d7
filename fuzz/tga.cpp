// The TGA reader over any bytes, through the image registry as textures load: a bitmap or
// ETGAException.
#include "engine/assets/image_formats.h"
#include "engine/assets/tga_image.h"
#include "engine/render/image_registry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    engine::RegisterImageFormats();
    try {
        engine::DecodeImage("tga", {data, size});
    } catch (const engine::ETGAException&) {
    }
    return 0;
}
