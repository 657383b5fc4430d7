#pragma once

#include "tools/writers/canvas.h"
#include "tools/writers/mesh.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The editor's object models: ground objects (lit by the editor) and air objects (drawn unlit
// above the map, so their shading is painted into the skin).
namespace tools::assetgen {

struct ObjectAsset {
    std::string Name;           // ASCII; the list shows it, the records are Name + ".qzm" and the skin
    Mesh Model;                 // normalised to -1..1 on every axis, standing on z = -1
    std::string SkinExtension;  // ".jpg" or ".bmp"
    std::vector<std::uint8_t> SkinFile;

    std::string MeshRecordName() const { return Name + ".qzm"; }
    std::string SkinRecordName() const { return Name + SkinExtension; }
};

enum class SkinFormat { Jpeg, Bmp24 };

// The model normalised to the unit box, and the skin encoded. A bitmap skin never contains the
// editor's key colour, so no part of an object turns transparent by accident.
ObjectAsset FinishObject(std::string name, Mesh model, const Canvas& skin, SkinFormat format);
// The same with an 8-bit bitmap skin of the given palette (which must not hold the key colour).
ObjectAsset FinishObject(std::string name, Mesh model, const Canvas& skin,
                         const std::vector<std::array<std::uint8_t, 3>>& palette);

std::vector<ObjectAsset> MakeGroundObjects();
std::vector<ObjectAsset> MakeAirObjects();

}  // namespace tools::assetgen
