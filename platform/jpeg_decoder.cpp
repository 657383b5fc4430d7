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
    Image* image = nullptr;
    std::string sizeProblem;
};

// Adobe writes CMYK inverted: each byte is already 255 - ink. Turned into RGBA in place.
void CmykToRgba(std::uint8_t* row, std::size_t width) {
    for (std::size_t x = 0; x < width; ++x, row += 4) {
        const int k = row[3];
        row[0] = static_cast<std::uint8_t>((row[0] * k + 127) / 255);
        row[1] = static_cast<std::uint8_t>((row[1] * k + 127) / 255);
        row[2] = static_cast<std::uint8_t>((row[2] * k + 127) / 255);
        row[3] = 255;
    }
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
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    // Four bytes a pixel either way: libjpeg writes opaque RGBA itself, CMYK is converted row by row.
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
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
    Image& image = *decoding.image;
    image.Width = static_cast<std::int32_t>(info.output_width);
    image.Height = static_cast<std::int32_t>(info.output_height);
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 4;
    jpeg_start_decompress(&info);
    // The picture grows a row at a time as rows are decoded, so a header that promises a large
    // picture ahead of data that is not there costs nothing.
    while (info.output_scanline < info.output_height) {
        const std::size_t offset = static_cast<std::size_t>(info.output_scanline) * rowBytes;
        image.Pixels.resize(offset + rowBytes);
        JSAMPROW row = image.Pixels.data() + offset;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            CmykToRgba(row, static_cast<std::size_t>(image.Width));
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

Image DecodeJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        throw ImageError("JPEG file is empty");
    }
    Image image;
    Decoding decoding;
    decoding.data = data;
    decoding.image = &image;
    ErrorManager errors{};
    if (!Run(decoding, errors)) {
        throw ImageError(decoding.sizeProblem.empty() ? std::string("JPEG decoding failed: ") + errors.message
                                                      : decoding.sizeProblem);
    }
    return image;
}

}  // namespace platform
