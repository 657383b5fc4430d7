#pragma once

#include "editor/data/qzm_mesh.h"

#include <memory>
#include <string_view>
#include <vector>

namespace editor {

// Everything a QZM text holds, before it becomes a TGLMultyMesh (objects' Owner still unset).
struct QzmContent {
    std::vector<std::unique_ptr<TGLMesh>> Objects;
    QzmTexture Texture;
};

// Parses a whole QZM text: "New object" and "New Texture:" sections, other lines skipped. Lines
// end with CR LF, LF or CR. Throws QzmNumericError for a malformed number line and QzmContentError
// for counts and numbers that cannot describe a mesh (checked before anything is allocated from them).
QzmContent ParseQzm(std::string_view text);

}  // namespace editor
