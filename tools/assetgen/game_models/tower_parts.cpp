#include "tools/assetgen/game_models/tower_parts.h"

#include "tools/writers/mesh_shapes.h"

namespace tools::assetgen {

UvRect TowerUv(Region region) { return SkinUv(tower_skin::kSize, region); }

Model3ds TowerModel(const std::string& name, Object3ds object) {
    const Material3ds material{kTowerMaterial, Rgb(140, 140, 140), Rgb(255, 255, 255), Rgb(90, 90, 90), 0.3f, 0.4f,
                               "tower.jpg"};
    object.Name = name;
    return {{material}, {std::move(object)}};
}

Object3ds Upright(Object3ds object) {
    for (Part3ds& part : object.Parts) {
        part.Geometry.Transform(Affine::RotationX(-90));
    }
    return object;
}

void AddTurntable(Object3ds& object, float radius) {
    using tower_layout::kMountHeight;
    const UvRect steel = TowerUv(tower_skin::kSteel);
    AddPart(object, kTowerMaterial, MakeCylinder(radius, radius, kMountHeight - 2.0f, kMountHeight, 12, steel, steel),
            true);
}

}  // namespace tools::assetgen
