#include "tools/assetinfo/info_kinds.h"

#include "platform/bmp_decoder.h"
#include "platform/jpeg_decoder.h"
#include "platform/paths.h"
#include "tools/assetinfo/sha256.h"

#include <algorithm>
#include <cctype>

namespace tools {
namespace {

bool IsBmp(const std::string& path) {
    std::string tail = path.size() < 4 ? path : path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".bmp";
}

}  // namespace

platform::Image DecodeEditorImage(const std::string& path) {
    const auto bytes = platform::ReadWholeFile(path);
    return IsBmp(path) ? platform::DecodeBmp(bytes) : platform::DecodeJpeg(bytes);
}

nlohmann::json ImageFacts(const std::string& format, const platform::Image& image) {
    return {{"format", format},
            {"width", image.Width},
            {"height", image.Height},
            {"transparent", image.HasAlpha},
            {"rgbaSha256", Sha256Hex(image.Pixels)}};
}

nlohmann::json InfoImage(const std::string& path) {
    return ImageFacts(IsBmp(path) ? "bmp" : "jpeg", DecodeEditorImage(path));
}

}  // namespace tools
