#include "engine/material/material_passes.h"

#include "engine/material/lib_material.h"
#include "engine/material/material.h"

namespace engine {
namespace {

template <class Begin, class End>
void RunPasses(Begin begin, End end, const std::function<void()>& draw) {
    begin();
    do {
        try {
            draw();
        } catch (...) {
            // Ends this pass and runs out the ones still asked for, without drawing them.
            while (end()) {
            }
            throw;
        }
    } while (end());
}

}  // namespace

void DrawPasses(TGLMaterial& material, TRenderContextInfo& rci, const std::function<void()>& draw) {
    RunPasses([&] { material.BeginPass(rci); }, [&] { return material.EndPass(rci); }, draw);
}

void DrawPasses(TGLLibMaterial& material, TRenderContextInfo& rci, const std::function<void()>& draw) {
    RunPasses([&] { material.Apply(rci); }, [&] { return material.UnApply(rci); }, draw);
}

}  // namespace engine
