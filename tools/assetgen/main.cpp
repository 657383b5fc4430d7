#include "tools/assetgen/desktop_icons/desktop_icons.h"
#include "tools/assetgen/editor_data/editor_data.h"
#include "tools/assetgen/game_images/game_images.h"
#include "tools/assetgen/game_models/game_models.h"
#include "tools/assetgen/game_sounds/game_sounds.h"
#include "tools/command_line/command_line.h"
#include "tools/writers/output_folder.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <iostream>

// assetgen OUTDIR: writes every data file the programs read into OUTDIR.
namespace {

int Generate(const std::vector<std::string>& arguments) {
    tools::RejectUnknownOptions(arguments);
    if (arguments.empty()) {
        throw tools::UsageError("missing OUTDIR");
    }
    if (arguments.size() > 1) {
        throw tools::UsageError("unexpected argument " + arguments[1]);
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        tools::OutputFolder output(arguments[0]);
        tools::assetgen::GenerateEditorData(output);
        tools::assetgen::GenerateGameImages(output);
        tools::assetgen::GenerateGameModels(output);
        tools::assetgen::GenerateGameSounds(output);
        tools::assetgen::GenerateDesktopIcons(output);
        std::uintmax_t total = 0;
        for (const auto& file : output.Files()) {
            total += file.Size;
        }
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::cout << "assetgen: " << output.Files().size() << " files, " << total << " bytes in " << elapsed.count()
                  << " ms\n";
    } catch (const std::exception& error) {
        std::cerr << "assetgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return tools::RunTool("assetgen", "usage: assetgen OUTDIR\n", argc, argv, Generate);
}
