#pragma once

namespace engine {

// Adds the engine's own image readers, "dds" and "tga", to the image format registry. Called once
// at start-up by every program that loads textures; calling it again changes nothing.
void RegisterImageFormats();

}  // namespace engine
