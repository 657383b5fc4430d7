#include "tools/assetview/render/view_options.h"

#include <charconv>
#include <cstdio>

namespace tools {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && ParseNumber(text.substr(0, x), width) &&
           ParseNumber(text.substr(x + 1), height) && width > 0 && height > 0 && width <= 4096 && height <= 4096;
}

}  // namespace

std::optional<ViewOptions> ParseViewOptions(const std::vector<std::string>& arguments, std::string& error) {
    ViewOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool ok = true;
        if (argument == "--up-y") {
            options.UpIsY = true;
        } else if (argument == "--frame" || argument == "--yaw" || argument == "--pitch" || argument == "--size") {
            if (!hasValue) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (argument == "--frame") {
                ok = ParseNumber(value, options.Frame) && options.Frame >= 0;
            } else if (argument == "--yaw") {
                ok = ParseNumber(value, options.Yaw);
            } else if (argument == "--pitch") {
                ok = ParseNumber(value, options.Pitch) && options.Pitch >= -89 && options.Pitch <= 89;
            } else {
                ok = ParseSize(value, options.Width, options.Height);
            }
            if (!ok) {
                error = "bad value for " + argument + ": " + value;
                return std::nullopt;
            }
        } else if (argument.starts_with("--")) {
            error = "unknown option " + argument;
            return std::nullopt;
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2) {
        error = "expected FILE and OUT.png";
        return std::nullopt;
    }
    options.Input = files[0];
    options.Output = files[1];
    return options;
}

}  // namespace tools
