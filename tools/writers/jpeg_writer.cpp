#include "tools/writers/jpeg_writer.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tools {
namespace {

struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// libjpeg's own error exit ends the process; this one returns to the encoder with the message.
void ExitToEncoder(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// Plain C state only between setjmp and longjmp, so nothing with a destructor is skipped.
bool Compress(const RgbImage& image, int quality, JpegChroma chroma, unsigned char** buffer, unsigned long* size,
              char* message) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ExitToEncoder;
    errors.Message[0] = '\0';
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.Message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(image.Width);
    info.image_height = static_cast<JDIMENSION>(image.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (chroma == JpegChroma::Full) {
        for (int i = 0; i < info.num_components; ++i) {
            info.comp_info[i].h_samp_factor = 1;
            info.comp_info[i].v_samp_factor = 1;
        }
    }
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(image.Pixel(0, static_cast<std::int32_t>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality, JpegChroma chroma) {
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 65500 || image.Height > 65500 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height * 3) {
        throw std::invalid_argument("A JPEG needs 1..65500 pixels a side and pixel data matching its size");
    }
    if (quality < 1 || quality > 100) {
        throw std::invalid_argument("JPEG quality must lie in 1..100");
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool done = Compress(image, quality, chroma, &buffer, &size, message);
    std::vector<std::uint8_t> result;
    if (done) {
        result.assign(buffer, buffer + size);
    }
    std::free(buffer);
    if (!done) {
        throw JpegWriteError(std::string("Cannot encode JPEG: ") + message);
    }
    return result;
}

}  // namespace tools
