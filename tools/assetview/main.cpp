#include "platform/png_writer.h"
#include "tools/assetview/render/model_view.h"
#include "tools/assetview/render/view_options.h"
#include "tools/command_line/command_line.h"

#include "engine/assets/image_formats.h"
#include "engine/render/image_registry.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

// assetview FILE OUT.png [--frame N] [--yaw DEG --pitch DEG] [--size WxH] [--up-y]: a model
// rendered headless, or a picture decoded, as a PNG to look at.
namespace {

constexpr char kUsage[] = "usage: assetview FILE OUT.png [--frame N] [--yaw DEG --pitch DEG] [--size WxH] [--up-y]\n";

int View(const std::vector<std::string>& arguments) {
    std::string error;
    const auto options = tools::ParseViewOptions(arguments, error);
    if (!options) {
        throw tools::UsageError(error);
    }
    try {
        if (tools::IsPictureFile(options->Input)) {
            engine::RegisterImageFormats();
            platform::WritePng(options->Output, engine::LoadImageFile(options->Input));
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
    return tools::RunTool("assetview", kUsage, argc, argv, View);
}
