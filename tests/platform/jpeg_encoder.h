#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

// Encodes small JPEG files in memory, for the decoder's tests and the texture loader's.
namespace test_images {

using Bytes = std::vector<std::uint8_t>;

// Encodes rows (top first, `components` bytes a pixel) at the highest quality.
inline Bytes EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components, const Bytes& pixels) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.data()) +
                       static_cast<std::size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes result(buffer, buffer + size);
    std::free(buffer);
    return result;
}

}  // namespace test_images
