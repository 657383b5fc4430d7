// The DDS reader over any bytes, through the image registry as textures load: a bitmap or
// EDDSException.
#include "engine/assets/dds_image.h"
#include "engine/assets/image_formats.h"
#include "engine/render/image_registry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    engine::RegisterImageFormats();
    try {
        engine::DecodeImage("dds", {data, size});
    } catch (const engine::EDDSException&) {
    }
    return 0;
}
