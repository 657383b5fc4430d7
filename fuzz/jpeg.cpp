// The JPEG decoder over any bytes: a picture or ImageError.
#include "platform/jpeg_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        platform::DecodeJpeg({data, size});
    } catch (const platform::ImageError&) {
    }
    return 0;
}
