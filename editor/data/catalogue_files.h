#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The text catalogues that name the surfaces and objects, as the editor reads them at start-up.
namespace editor {

namespace catalogue_files {
constexpr char kBaseSurfaces[] = "System\\Basic_surface.txt";
constexpr char kSurfaces[] = "System\\Surface.txt";
constexpr char kSpecials[] = "System\\Special_obj.txt";
constexpr char kTextures[] = "Data\\Textures.qzp";
constexpr char kObjects[] = "Data\\Objects.qzp";
constexpr char kGroundList[] = "Info_ground.txt";
constexpr char kAirList[] = "Info_air.txt";
}  // namespace catalogue_files

// The name of a catalogue or package (as above) in the data folder; the bare name for an empty
// folder, the current one, so that messages name the file as the data does.
std::string InDataFolder(const std::filesystem::path& folder, std::string_view name);

// A catalogue that could not be loaded: a missing text file, a list record that cannot be
// extracted, a mesh that cannot be read. The editor cannot start without its catalogues.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines of a catalogue text file. Throws CatalogueError when it cannot be read.
std::vector<std::string> ReadCatalogueFile(const std::string& path);

// The lines of an object list record in the package: pairs of mesh and texture record names.
// Throws CatalogueError when the record cannot be extracted (the package code has shown its box).
std::vector<std::string> ReadObjectList(const std::string& package, const std::string& listName);

}  // namespace editor
