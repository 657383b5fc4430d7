#pragma once

#include <functional>

namespace engine {

class TGLLibMaterial;
class TGLMaterial;
struct TRenderContextInfo;

// Draws under every pass a material asks for: begin the pass, draw, end it, and draw again for as long
// as the end answers that another pass is wanted. When the draw throws, the material is still ended
// (through every pass it has yet to run, so a multi-pass shader unwinds too) before the exception goes
// on: nothing it switched on stays applied.
void DrawPasses(TGLMaterial& material, TRenderContextInfo& rci, const std::function<void()>& draw);
void DrawPasses(TGLLibMaterial& material, TRenderContextInfo& rci, const std::function<void()>& draw);

}  // namespace engine
