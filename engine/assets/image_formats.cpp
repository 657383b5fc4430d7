#include "engine/assets/image_formats.h"

#include "engine/assets/dds_image.h"
#include "engine/assets/tga_image.h"
#include "engine/render/image_registry.h"

#include <utility>

namespace engine {
namespace {

template <class TImage>
platform::Image Read(std::span<const std::uint8_t> data) {
    TImage image;
    image.LoadFromData(data);
    return std::move(static_cast<platform::Image&>(image));
}

}  // namespace

void RegisterImageFormats() {
    RegisterImageFormat({"dds", "Microsoft DirectDraw Surface", Read<TDDSImage>});
    RegisterImageFormat({"tga", "Targa", Read<TTGAImage>});
}

}  // namespace engine
