#pragma once

#include "tools/writers/output_folder.h"

#include <string>
#include <vector>

// The editor's data: its catalogues in System/ and its two packages in Data/.
namespace tools::assetgen {

namespace editor_files {
constexpr const char* kBaseSurfaces = "System/Basic_surface.txt";
constexpr const char* kSurfaces = "System/Surface.txt";
constexpr const char* kSpecialObjects = "System/Special_obj.txt";
constexpr const char* kTextures = "Data/Textures.qzp";
constexpr const char* kObjects = "Data/Objects.qzp";
constexpr const char* kGroundInfo = "Info_ground.txt";
constexpr const char* kAirInfo = "Info_air.txt";
}  // namespace editor_files

// The special markers the palette offers after its own "Script" entry.
std::vector<std::string> SpecialMarkerNames();

// Writes the catalogues and both packages.
void GenerateEditorData(OutputFolder& output);

}  // namespace tools::assetgen
