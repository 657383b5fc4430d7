// The cursor reader over any bytes, as the game loads its cursors: an animated cursor (RIFF
// "ACON") or a static icon or cursor file. ECursorError is the reader's answer.
#include "engine/platform/cursor_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        engine::ReadCursorFile({data, size});
    } catch (const engine::ECursorError&) {
    }
    return 0;
}
