#pragma once

#include "platform/image.h"
#include "tools/writers/output_folder.h"

#include <array>
#include <cstdint>

// The programs' icons for the desktop's menus, launchers and file managers.
namespace tools::assetgen {

namespace desktop_icon_files {
constexpr const char* kFolder = "icons/hicolor/";
// The sizes the desktop's icon theme looks for, the last for high-density screens and stores.
constexpr std::array<std::int32_t, 9> kSizes{16, 22, 24, 32, 48, 64, 128, 256, 512};
}  // namespace desktop_icon_files

// The game's emblem: a rocket tower over the valley at sunset.
platform::Image SkirmishIcon(std::int32_t size);
// The editor's emblem: a map of tiles under a pencil.
platform::Image AtlasIcon(std::int32_t size);

// Writes icons/hicolor/<size>x<size>/apps/{skirmish,atlas}.png at every size.
void GenerateDesktopIcons(OutputFolder& output);

}  // namespace tools::assetgen
