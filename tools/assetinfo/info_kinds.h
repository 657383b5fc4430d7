#pragma once

#include "platform/image.h"

#include <string>

#include <nlohmann/json.hpp>

// The facts each kind of file gives, one function per kind. Each returns the JSON object for one
// file ("file" and "kind" are added by the caller) and throws with the reader's message on failure.
namespace tools {

// The reason a file given as a map is none: the editor refuses it without a word.
inline constexpr char kNotAMap[] = "Not a map the editor loads: its version mark (byte 22) is not \"1\"";

nlohmann::json InfoMap(const std::string& path);
nlohmann::json InfoPackage(const std::string& path);
nlohmann::json InfoQzm(const std::string& path);
nlohmann::json InfoImage(const std::string& path);
nlohmann::json InfoCursor(const std::string& path);
nlohmann::json InfoModel(const std::string& path);
// Sample rate, channels, frames, and peak and RMS levels as fractions of full scale.
nlohmann::json InfoSound(const std::string& path);

// The picture of a file the editor would show as a texture (BMP, JPEG), decoded as InfoImage sees it.
platform::Image DecodeEditorImage(const std::string& path);

// DDS and TGA pictures, decoded by the engine's readers as the game's textures are.
nlohmann::json InfoEngineImage(const std::string& path);
platform::Image DecodeEngineImage(const std::string& path);

// The "image" facts of a decoded picture, whichever reader decoded it.
nlohmann::json ImageFacts(const std::string& format, const platform::Image& image);

}  // namespace tools
