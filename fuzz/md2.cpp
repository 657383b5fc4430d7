// The MD2 reader over any bytes: the file, then the morphable mesh and the animations an actor
// builds from it, stepped and blended once as the game's bugs are. EMD2Error or EReadError are
// the reader's answers.
#include "engine/assets/actor.h"
#include "engine/assets/file_md2.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/morphable_mesh_object.h"
#include "engine/assets/stream_read_error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    engine::RegisterModelFormats();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    engine::TGLActor actor;
    try {
        actor.LoadFromStream("model.md2", {data, size});
    } catch (const engine::EMD2Error&) {
        return 0;
    } catch (const engine::EReadError&) {
        return 0;
    }
    actor.CollectTriangles();
    actor.SetAnimationMode(engine::aamLoop);
    for (int i = 0; i < actor.Animations().Count(); ++i) {
        actor.SelectAnimation(&actor.Animations()[i]);
        actor.StepFrames(2);
    }
    for (const auto& object : actor.MeshObjects()) {
        if (auto* morphable = dynamic_cast<engine::TMorphableMeshObject*>(object.get())) {
            const int targets = static_cast<int>(morphable->MorphTargets().size());
            if (targets > 0) {
                morphable->BlendMorphTargets(0, targets - 1, 0.5f);
            }
        }
    }
    return 0;
}
