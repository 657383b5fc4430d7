#include "tools/assetview/render/map_render.h"

#include "editor/data/catalogue_files.h"
#include "editor/data/map_file.h"
#include "editor/data/message_reporter.h"
#include "editor/view/catalogue_loader.h"
#include "editor/view/data_folder.h"
#include "editor/view/map_picture.h"
#include "editor/view/map_renderer.h"
#include "engine/viewer/frame_readback.h"
#include "platform/paths.h"
#include "tools/assetview/render/hidden_context.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tools {
namespace {

// The data layer's message boxes, kept as lines while this lives.
class CollectedMessages {
public:
    CollectedMessages()
        : m_previous(editor::SetMessageReporter(
              [this](const std::string& caption, const std::string& text) { Add(caption + ": " + text); })) {}
    ~CollectedMessages() { editor::SetMessageReporter(m_previous); }
    CollectedMessages(const CollectedMessages&) = delete;
    CollectedMessages& operator=(const CollectedMessages&) = delete;

    void Add(std::string line) {
        std::replace(line.begin(), line.end(), '\n', ' ');
        m_lines.push_back(std::move(line));
    }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    editor::MessageReporter m_previous;
};

editor::TMapData ReadMap(const std::string& path) {
    const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(path);
    std::optional<editor::TMapData> map;
    try {
        map = editor::DecodeMap(bytes);
    } catch (const editor::MapFileError& error) {
        throw std::runtime_error(path + ": broken map: " + error.what());
    }
    if (!map) {
        throw std::runtime_error(path + ": not a map (its version mark is not \"1\")");
    }
    if (map->Header.SizeX == 0 || map->Header.SizeY == 0) {
        throw std::runtime_error(path + ": the map has no cells (" + std::to_string(map->Header.SizeX) + " x " +
                                 std::to_string(map->Header.SizeY) + ")");
    }
    return std::move(*map);
}

// The editor starts without its packages, with a box for every texture; a picture without them
// would show nothing of what the map holds.
void RequireData(const std::filesystem::path& folder) {
    if (!editor::HasSystemFolder(folder)) {
        throw std::runtime_error("no editor data: no System folder in the current folder, beside assetview or in "
                                 "../share/atlas/ beside its folder");
    }
    for (const char* package : {editor::catalogue_files::kTextures, editor::catalogue_files::kObjects}) {
        const std::string path = editor::InDataFolder(folder, package);
        if (!platform::FileExists(path)) {
            throw std::runtime_error("no editor data: " + path + " is missing");
        }
    }
}

}  // namespace

MapPicture RenderMap(const ViewOptions& options, const std::filesystem::path& dataFolder) {
    const editor::TMapData map = ReadMap(options.Input);
    RequireData(dataFolder);
    HiddenContext context(options.Width, options.Height);
    CollectedMessages messages;
    editor::TKindCatalogues kinds;
    std::uint32_t baseTexture = 0;
    editor::TCatalogueLists lists;
    try {
        lists = editor::LoadCatalogues(dataFolder, kinds, baseTexture);
    } catch (const std::exception& error) {
        throw std::runtime_error("the editor's data in " + dataFolder.string() + ": " + error.what());
    }
    const std::uint8_t surface = map.Header.Surface;
    if (surface != 0) {
        try {
            editor::LoadBaseTexture(dataFolder, lists.BaseSurfaces, surface, baseTexture);
        } catch (const editor::CatalogueError& error) {
            // As in the editor: the base surface shown before stays, here the catalogue's first.
            messages.Add(std::string(error.what()) + ": the first base surface is drawn");
        }
    }
    editor::TMapRenderer renderer;
    editor::DrawMapPicture(renderer, map, kinds, baseTexture, options.Width, options.Height);
    glFinish();
    return {engine::ReadFrameBuffer(0, 0, options.Width, options.Height), messages.Lines()};
}

}  // namespace tools
