#include "editor/document/editor_files.h"

namespace editor {

std::filesystem::path EditorFilesFolder() {
    std::error_code ignored;
    return std::filesystem::current_path(ignored);
}

}  // namespace editor
