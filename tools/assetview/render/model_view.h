#pragma once

#include "tools/assetview/render/view_options.h"

#include "platform/image.h"

namespace tools {

// Renders a 3DS or MD2 model headless into a picture, framed to fill the view. Textures are looked
// for in the "textures" folder beside the model's folder (as the game keeps them); a missing one
// leaves its material in plain colour. An MD2 model wears "<name>.jpg" from there when it exists.
// Throws std::runtime_error when no OpenGL context can be made, the readers' errors when the model
// cannot be read, and std::out_of_range for a frame the model does not have.
platform::Image RenderModel(const ViewOptions& options);

}  // namespace tools
