#include "engine/assets/model_formats.h"

#include "engine/assets/vector_file_3ds.h"
#include "engine/assets/vector_file_md2.h"

namespace engine {

void RegisterModelFormats() {
    static const bool registered = [] {
        RegisterMeshFormat("3ds", "3D Studio files",
                           [](TGLBaseMesh& owner) { return std::make_unique<TGL3DSVectorFile>(owner); });
        RegisterMeshFormat("prj", "3D Studio project files",
                           [](TGLBaseMesh& owner) { return std::make_unique<TGL3DSVectorFile>(owner); });
        RegisterMeshFormat("md2", "Quake II model files",
                           [](TGLBaseMesh& owner) { return std::make_unique<TGLMD2VectorFile>(owner); });
        return true;
    }();
    (void)registered;
}

}  // namespace engine
