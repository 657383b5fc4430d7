#include "tools/assetinfo/info_dispatch.h"

#include "tools/assetinfo/info_kinds.h"
#include "platform/png_writer.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tools {
namespace {

const std::vector<AssetKind>& AssetKinds() {
    static const std::vector<AssetKind> kinds = {
        {"map", {"map"}, InfoMap},
        {"package", {"qzp"}, InfoPackage},
        {"qzm", {"qzm"}, InfoQzm},
        {"image", {"bmp", "jpg", "jpeg"}, InfoImage, DecodeEditorImage},
        {"image", {"dds", "tga"}, InfoEngineImage, DecodeEngineImage},
        {"cursor", {"ani", "cur"}, InfoCursor},
        {"model", {"3ds", "prj", "md2"}, InfoModel},
        {"sound", {"wav"}, InfoSound},
    };
    return kinds;
}

std::string LowerExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

const AssetKind& RequireKind(const std::string& path) {
    const AssetKind* kind = FindAssetKind(path);
    if (kind == nullptr) {
        throw std::runtime_error("unknown kind of file: no reader for its extension");
    }
    return *kind;
}

}  // namespace

const AssetKind* FindAssetKind(const std::string& path) {
    const std::string extension = LowerExtension(path);
    for (const AssetKind& kind : AssetKinds()) {
        if (std::find(kind.Extensions.begin(), kind.Extensions.end(), extension) != kind.Extensions.end()) {
            return &kind;
        }
    }
    return nullptr;
}

nlohmann::json DescribeFile(const std::string& path) {
    try {
        const AssetKind& kind = RequireKind(path);
        nlohmann::json description = kind.Info(path);
        description["file"] = path;
        description["kind"] = kind.Kind;
        return description;
    } catch (const std::exception& error) {
        return {{"file", path}, {"error", error.what()}};
    }
}

void WritePicture(const std::string& path, const std::string& output) {
    const AssetKind& kind = RequireKind(path);
    if (kind.Decode == nullptr) {
        throw std::runtime_error("a " + std::string(kind.Kind) + " file holds no picture to write as PNG");
    }
    platform::WritePng(output, kind.Decode(path));
}

bool IsFailure(const nlohmann::json& description) {
    return description.contains("error");
}

}  // namespace tools
