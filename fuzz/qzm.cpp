// The QZM reader over any text. QzmError (malformed numbers, counts and numbers that cannot
// describe a mesh) is the reader's answer.
#include "editor/data/qzm_mesh.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    editor::TGLMultyMesh mesh;
    try {
        mesh.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const editor::QzmError&) {
    }
    return 0;
}
