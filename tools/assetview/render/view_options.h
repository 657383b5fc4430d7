#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tools {

namespace view_sizes {
constexpr int kLargestSide = 4096;
// A map's picture is square: 4 pixels a cell on the largest map.
constexpr int kMapSide = 1024;
}  // namespace view_sizes

// What to render and how: the command line of assetview.
struct ViewOptions {
    std::string Input;
    std::string Output;
    int Frame = 0;
    float Yaw = 30.0f;    // degrees about the model's up axis
    float Pitch = 25.0f;  // degrees above the horizon
    int Width = 512;
    int Height = 512;
    bool UpIsY = false;   // models that stand along y (the towers' parts) rather than z
};

// The options, or none with a message in `error` when the arguments do not make sense. A map
// (".map") takes its size as one number N, for N x N pixels (1024 unless given), and none of the
// options that turn or animate a model; anything else takes --size as WxH.
std::optional<ViewOptions> ParseViewOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace tools
