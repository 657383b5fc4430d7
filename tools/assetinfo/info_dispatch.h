#pragma once

#include "platform/image.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// One kind of file assetinfo knows, found by the file's extension.
struct AssetKind {
    std::string_view Kind;
    std::vector<std::string_view> Extensions;  // lower case, without the dot
    nlohmann::json (*Info)(const std::string& path);
    // The picture for --png, for kinds that are pictures.
    platform::Image (*Decode)(const std::string& path) = nullptr;
};

// The kind for the path's extension (any case), or nullptr.
const AssetKind* FindAssetKind(const std::string& path);

// The output object for one file: "file", "kind" and the kind's facts; on any failure "file" and
// "error" with the reader's message.
nlohmann::json DescribeFile(const std::string& path);

// Writes the file's picture as a PNG to output; throws with a message when the file has none.
void WritePicture(const std::string& path, const std::string& output);

// Whether an output object reports a failure.
bool IsFailure(const nlohmann::json& description);

}  // namespace tools
