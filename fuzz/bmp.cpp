// The BMP decoder over any bytes: a picture or ImageError.
#include "platform/bmp_decoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        platform::DecodeBmp({data, size});
    } catch (const platform::ImageError&) {
    }
    return 0;
}
