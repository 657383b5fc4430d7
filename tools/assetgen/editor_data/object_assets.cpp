#include "tools/assetgen/editor_data/object_assets.h"

#include "tools/writers/bmp_writer.h"
#include "tools/writers/jpeg_writer.h"
#include "tools/writers/key_colour.h"
#include "tools/writers/mesh_shapes.h"

#include <stdexcept>

namespace tools::assetgen {
namespace {

CoverageMask FullMask(const Canvas& skin) {
    return {skin.Width(), skin.Height(), std::vector<std::uint8_t>(static_cast<std::size_t>(skin.Width()) * skin.Height(), 1)};
}

}  // namespace

ObjectAsset FinishObject(std::string name, Mesh model, const Canvas& skin, SkinFormat format) {
    NormaliseToUnitBox(model);
    if (format == SkinFormat::Jpeg) {
        return {std::move(name), std::move(model), ".jpg", EncodeJpeg(skin.ToImage())};
    }
    return {std::move(name), std::move(model), ".bmp", EncodeBmp24(ToKeyedImage(skin, FullMask(skin)))};
}

ObjectAsset FinishObject(std::string name, Mesh model, const Canvas& skin,
                         const std::vector<std::array<std::uint8_t, 3>>& palette) {
    for (const auto& entry : palette) {
        if (entry[0] == key_colour::kGrey && entry[1] == key_colour::kGrey && entry[2] == key_colour::kGrey) {
            throw std::invalid_argument("A skin palette holds the key colour");
        }
    }
    NormaliseToUnitBox(model);
    return {std::move(name), std::move(model), ".bmp", EncodeBmp8(QuantiseToPalette(skin.ToImage(), palette))};
}

}  // namespace tools::assetgen
