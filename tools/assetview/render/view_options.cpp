#include "tools/assetview/render/view_options.h"

#include "tools/assetview/render/input_kind.h"

#include <charconv>
#include <string>

namespace tools {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end;
}

bool ParseSide(const std::string& text, int& side) {
    return ParseNumber(text, side) && side > 0 && side <= view_sizes::kLargestSide;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && ParseSide(text.substr(0, x), width) && ParseSide(text.substr(x + 1), height);
}

// Where --size is checked: once the input tells which form it takes.
bool ApplySize(const std::optional<std::string>& size, ViewOptions& options, std::string& error) {
    if (!IsMapFile(options.Input)) {
        if (size && !ParseSize(*size, options.Width, options.Height)) {
            error = "bad value for --size: " + *size;
            return false;
        }
        return true;
    }
    options.Width = view_sizes::kMapSide;
    if (size && !ParseSide(*size, options.Width)) {
        error = "bad value for --size: " + *size + " (a map's picture is N x N pixels, N from 1 to " +
                std::to_string(view_sizes::kLargestSide) + ")";
        return false;
    }
    options.Height = options.Width;
    return true;
}

}  // namespace

std::optional<ViewOptions> ParseViewOptions(const std::vector<std::string>& arguments, std::string& error) {
    ViewOptions options;
    std::vector<std::string> files;
    std::optional<std::string> size;
    std::string modelOption;  // the first option given that only a model takes
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool ok = true;
        if (argument == "--up-y") {
            options.UpIsY = true;
            modelOption = modelOption.empty() ? argument : modelOption;
        } else if (argument == "--frame" || argument == "--yaw" || argument == "--pitch" || argument == "--size") {
            if (!hasValue) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (argument == "--size") {
                size = value;
                continue;
            }
            modelOption = modelOption.empty() ? argument : modelOption;
            if (argument == "--frame") {
                ok = ParseNumber(value, options.Frame) && options.Frame >= 0;
            } else if (argument == "--yaw") {
                ok = ParseNumber(value, options.Yaw);
            } else {
                ok = ParseNumber(value, options.Pitch) && options.Pitch >= -89 && options.Pitch <= 89;
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
    if (IsMapFile(options.Input) && !modelOption.empty()) {
        error = modelOption + " does not apply to a map";
        return std::nullopt;
    }
    if (!ApplySize(size, options, error)) {
        return std::nullopt;
    }
    return options;
}

}  // namespace tools
