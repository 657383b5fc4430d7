#pragma once

namespace engine {

// Adds the model readers to the mesh-file registry: "3ds" ("3D Studio files"), "prj" ("3D Studio
// project files") and "md2" ("Quake II model files"). Called once at start-up by every program
// that loads models; calling it again changes nothing.
void RegisterModelFormats();

}  // namespace engine
