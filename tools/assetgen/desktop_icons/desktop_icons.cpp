#include "tools/assetgen/desktop_icons/desktop_icons.h"

#include "platform/png_writer.h"

#include <string>

namespace tools::assetgen {

void GenerateDesktopIcons(OutputFolder& output) {
    using namespace desktop_icon_files;
    for (const std::int32_t size : kSizes) {
        const std::string folder =
            std::string(kFolder) + std::to_string(size) + "x" + std::to_string(size) + "/apps/";
        output.Write(folder + "skirmish.png", platform::EncodePng(SkirmishIcon(size)));
        output.Write(folder + "atlas.png", platform::EncodePng(AtlasIcon(size)));
    }
}

}  // namespace tools::assetgen
