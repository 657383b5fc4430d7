#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace platform {
namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to Run below.
// Everything reached between the jump's ends is plain C data, so no destructor is skipped.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
    // A file cut short, or whose coded data stops at a marker before the picture is complete, only
    // raises a warning in libjpeg, which then makes up the rest; for us it is a damaged file. A
    // few bytes could otherwise announce millions of made-up pixels.
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
        OnError(info);
    }
}

struct Decoding {
    std::span<const std::uint8_t> data;
    std::vector<std::uint8_t>* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool cmyk = false;
    std::string sizeProblem;
};

JDIMENSION ReadScanlines(jpeg_decompress_struct& info, std::vector<std::uint8_t>& pixels, int components) {
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * components;
    JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * stride;
    return jpeg_read_scanlines(&info, &row, 1);
}

// Runs libjpeg over the data; false with the message filled in when libjpeg gave up.
bool Run(Decoding& decoding, ErrorManager& errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, decoding.data.data(), static_cast<unsigned long>(decoding.data.size()));
    jpeg_read_header(&info, TRUE);
    decoding.cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = decoding.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    try {
        CheckImageSize(info.output_width, info.output_height, "JPEG");
    } catch (const ImageError& error) {
        decoding.sizeProblem = error.what();
    }
    if (!decoding.sizeProblem.empty()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const int components = decoding.cmyk ? 4 : 3;
    decoding.width = static_cast<std::int32_t>(info.output_width);
    decoding.height = static_cast<std::int32_t>(info.output_height);
    decoding.pixels->resize(static_cast<std::size_t>(decoding.width) * decoding.height * components);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        ReadScanlines(info, *decoding.pixels, components);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

void Expand(const Decoding& decoding, const std::vector<std::uint8_t>& source, Image& image) {
    const std::size_t count = static_cast<std::size_t>(image.Width) * image.Height;
    image.Pixels.resize(count * 4);
    std::uint8_t* target = image.Pixels.data();
    const std::uint8_t* p = source.data();
    if (decoding.cmyk) {
        // Adobe writes CMYK inverted: each byte is already 255 - ink.
        for (std::size_t i = 0; i < count; ++i, p += 4, target += 4) {
            target[0] = static_cast<std::uint8_t>((p[0] * p[3] + 127) / 255);
            target[1] = static_cast<std::uint8_t>((p[1] * p[3] + 127) / 255);
            target[2] = static_cast<std::uint8_t>((p[2] * p[3] + 127) / 255);
            target[3] = 255;
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i, p += 3, target += 4) {
        target[0] = p[0];
        target[1] = p[1];
        target[2] = p[2];
        target[3] = 255;
    }
}

}  // namespace

Image DecodeJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        throw ImageError("JPEG file is empty");
    }
    std::vector<std::uint8_t> decoded;
    Decoding decoding;
    decoding.data = data;
    decoding.pixels = &decoded;
    ErrorManager errors{};
    if (!Run(decoding, errors)) {
        throw ImageError(decoding.sizeProblem.empty() ? std::string("JPEG decoding failed: ") + errors.message
                                                      : decoding.sizeProblem);
    }
    Image image;
    image.Width = decoding.width;
    image.Height = decoding.height;
    Expand(decoding, decoded, image);
    return image;
}

}  // namespace platform
