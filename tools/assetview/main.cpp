#include "editor/view/data_folder.h"
#include "platform/paths.h"
#include "platform/png_writer.h"
#include "tools/assetview/render/input_kind.h"
#include "tools/assetview/render/map_render.h"
#include "tools/assetview/render/model_view.h"
#include "tools/assetview/render/view_options.h"
#include "tools/command_line/command_line.h"

#include "engine/assets/image_formats.h"
#include "engine/render/image_registry.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

// assetview FILE OUT.png [--frame N] [--yaw DEG --pitch DEG] [--size WxH] [--up-y]: a model
// rendered headless, or a picture decoded, as a PNG to look at; assetview FILE.map OUT.png
// [--size N]: a map drawn from above as the editor draws it.
namespace {

constexpr char kUsage[] =
    "usage: assetview FILE OUT.png [--frame N] [--yaw DEG --pitch DEG] [--size WxH] [--up-y]\n"
    "       assetview FILE.map OUT.png [--size N]\n"
    "A model (3DS, MD2) is rendered and a picture (JPEG, BMP, DDS, TGA) decoded. A map is drawn from\n"
    "above as the editor draws it, N x N pixels (1024 unless given, at most 4096), with the editor's\n"
    "System and Data folders as the editor finds them: in the current folder, beside assetview or,\n"
    "installed, in ../share/atlas/.\n";

int View(const std::vector<std::string>& arguments, const std::filesystem::path& programFolder) {
    std::string error;
    const auto options = tools::ParseViewOptions(arguments, error);
    if (!options) {
        throw tools::UsageError(error);
    }
    try {
        platform::CheckWritable(options->Output);
        if (tools::IsPictureFile(options->Input)) {
            engine::RegisterImageFormats();
            platform::WritePng(options->Output, engine::LoadImageFile(options->Input));
        } else if (tools::IsMapFile(options->Input)) {
            const tools::MapPicture picture =
                tools::RenderMap(*options, editor::ChooseDataFolder(std::filesystem::current_path(), programFolder));
            for (const std::string& warning : picture.Warnings) {
                std::cerr << "assetview: warning: " << warning << '\n';
            }
            platform::WritePng(options->Output, picture.Image);
        } else {
            platform::WritePng(options->Output, tools::RenderModel(*options));
        }
    } catch (const std::exception& failure) {
        std::cerr << "assetview: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path programFolder = platform::ProgramFolder(argc > 0 ? argv[0] : "");
    return tools::RunTool("assetview", kUsage, argc, argv,
                          [&](const std::vector<std::string>& arguments) { return View(arguments, programFolder); });
}
