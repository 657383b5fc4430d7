#include "engine/render/image_registry.h"

#include "platform/bmp_decoder.h"
#include "platform/jpeg_decoder.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <utility>

namespace engine {
namespace {

std::string Lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string NormalExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') {
        extension.remove_prefix(1);
    }
    return Lower(extension);
}

class Registry {
public:
    static Registry& Instance() {
        static Registry registry;
        return registry;
    }

    void Add(ImageFormat format) {
        format.Extension = NormalExtension(format.Extension);
        std::lock_guard lock(m_mutex);
        m_formats.insert_or_assign(format.Extension, std::move(format));
    }

    std::optional<ImageFormat> Find(std::string_view extension) const {
        std::lock_guard lock(m_mutex);
        const auto found = m_formats.find(NormalExtension(extension));
        if (found == m_formats.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    std::vector<ImageFormat> All() const {
        std::lock_guard lock(m_mutex);
        std::vector<ImageFormat> formats;
        for (const auto& [extension, format] : m_formats) {
            formats.push_back(format);
        }
        return formats;
    }

private:
    // JPEG and BMP are decoded by the shared platform decoders, the same ones the editor uses.
    Registry() {
        Add({"jpg", "JPEG Image File", platform::DecodeJpeg});
        Add({"jpeg", "JPEG Image File", platform::DecodeJpeg});
        Add({"bmp", "Windows bitmap", platform::DecodeBmp});
    }

    mutable std::mutex m_mutex;
    std::map<std::string, ImageFormat, std::less<>> m_formats;
};

std::vector<std::uint8_t> ReadImageFile(const std::string& path) {
    if (!platform::FileExists(path)) {
        throw EImageFileError("Could not open file: " + path);
    }
    try {
        return platform::ReadWholeFile(path);
    } catch (const platform::FileError& error) {
        throw EImageFileError(error.what());
    }
}

}  // namespace

void RegisterImageFormat(ImageFormat format) { Registry::Instance().Add(std::move(format)); }

std::optional<ImageFormat> FindImageFormat(std::string_view extension) {
    return Registry::Instance().Find(extension);
}

std::vector<ImageFormat> RegisteredImageFormats() { return Registry::Instance().All(); }

std::string ImageExtension(std::string_view path) {
    const auto nameStart = path.find_last_of("/\\");
    const std::string_view name = nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : Lower(name.substr(dot + 1));
}

platform::Image DecodeImage(std::string_view extension, std::span<const std::uint8_t> data) {
    const auto format = FindImageFormat(extension);
    if (!format) {
        throw EImageFileError("Unknown image file extension: \"" + NormalExtension(extension) + "\"");
    }
    return format->Reader(data);
}

platform::Image LoadImageFile(const std::string& path) {
    const std::string extension = ImageExtension(path);
    if (!FindImageFormat(extension)) {
        throw EImageFileError("Unknown image file extension: \"" + extension + "\" in " + path);
    }
    const std::vector<std::uint8_t> data = ReadImageFile(path);
    return DecodeImage(extension, data);
}

}  // namespace engine
