#pragma once

#include "engine/core/vector_math.h"

namespace engine {

struct TRenderContextInfo;

// Whether the frame has a viewport HUD objects can place pixels in.
bool HUDViewportUsable(const TRenderContextInfo& rci);

// Replaces the current (modelview) matrix with one that maps HUD units to the viewport: position.X
// and .Y in pixels from the top-left corner (times renderDPI / 96), position.Z passed through as
// depth, y growing upwards from there, turned by rotation degrees about the view axis. It starts
// from the projection the frame had before the camera's, which is the identity: the OpenGL
// selection path that would put a pick matrix there does not exist. The caller pushes and pops.
void LoadHUDModelView(const TRenderContextInfo& rci, const TVec4& position, float rotation);

// renderDPI / 96.
float HUDPixelScale(const TRenderContextInfo& rci);

}  // namespace engine
