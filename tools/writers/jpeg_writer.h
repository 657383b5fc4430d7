#pragma once

#include "tools/writers/rgb_image.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tools {

namespace jpeg_quality {
// High enough that noise textures show no blocks, low enough that a 256 x 256 surface stays near 30 KiB.
constexpr int kDefault = 90;
}  // namespace jpeg_quality

// Thrown when libjpeg refuses to encode.
class JpegWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How finely colour is stored: halved in both directions (4:2:0), or at every pixel (4:4:4), for
// pictures whose colour must not bleed into black surroundings.
enum class JpegChroma { Subsampled, Full };

// A baseline JFIF file (YCbCr, optimised Huffman tables) at the given quality 1..100.
// Throws std::invalid_argument for an empty picture or a bad quality, JpegWriteError when
// libjpeg fails.
std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality = jpeg_quality::kDefault,
                                     JpegChroma chroma = JpegChroma::Subsampled);

}  // namespace tools
