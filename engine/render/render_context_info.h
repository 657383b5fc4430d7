#pragma once

#include "engine/core/vector_math.h"
#include "engine/render/gl_state_cache.h"

namespace engine {

class TGLWorld;
class TGLRenderBuffer;
class TGLLibMaterial;

enum class TDrawState : std::uint8_t { dsRendering, dsPicking, dsPrinting };

// Order in which a node's children are drawn.
enum TGLObjectsSorting {
    osInherited,
    osNone,
    osRenderFarthestFirst,
    osRenderBlendedLast,
    osRenderNearestFirst
};

// How a node's children are culled against the view.
enum TGLVisibilityCulling { vcInherited, vcNone, vcObjectBased, vcHierarchical };

// The view frustum of the frame, for visibility culling.
struct TFrustumClipping {
    float viewPortRadius = 0;      // radius factor of the view port at unit distance
    float farClippingDistance = 0;  // near distance + depth of view
    TVec4 frustumPlanes[6] = {};    // left, top, right, bottom, near, far; normals point inwards
};

// The texture coordinates an object's geometry uses, as a box in (s, t).
struct TTexCoordRange {
    float minS = 0;
    float minT = 0;
    float maxS = 0;
    float maxT = 0;
};

// Everything a draw call needs to know about the frame it draws into. The scene builds one per
// frame and hands it down the render traversal; materials read the state cache and the flags and
// keep the counters balanced between their begin and end of a pass.
struct TRenderContextInfo {
    TGLWorld* scene = nullptr;
    TGLRenderBuffer* buffer = nullptr;
    TVec4 cameraPosition = NullPoint;
    TVec4 cameraDirection = ZVector;  // normalised, W = 0
    TVec4 cameraUp = YVector;         // re-orthogonalised against the direction, normalised
    const TMat4* modelViewMatrix = nullptr;
    int viewPortWidth = 0;
    int viewPortHeight = 0;
    int renderDPI = 96;
    TDrawState drawState = TDrawState::dsRendering;
    // The modes in force for the children being drawn: the scene's, overridden by any node on the
    // way down whose own mode is not inherited.
    TGLObjectsSorting objectsSorting = osRenderBlendedLast;
    TGLVisibilityCulling visibilityCulling = vcNone;
    TGLStateCache* GLStates = nullptr;
    TFrustumClipping rcci;
    bool bufferFaceCull = true;  // whether the buffer culls back faces

    // Materials that switch lighting or fog off count here, so nested materials switch it back on
    // only when the outermost one ends its pass.
    int fogDisabledCounter = 0;
    int lightingDisabledCounter = 0;

    // The library material applied at the moment (null outside any), kept by TGLLibMaterial.
    TGLLibMaterial* currentLibMaterial = nullptr;
    // The texture coordinates of the object being drawn, when it knows them all (null otherwise);
    // set by the object around its material's passes.
    const TTexCoordRange* drawnTexCoords = nullptr;

    bool proxySubObject = false;
    bool ignoreMaterials = false;
    bool ignoreBlendingRequests = false;
    bool bypassDisplayLists = false;
};

// How far the camera stands behind the frame's near clipping plane. The render context carries the
// planes, so this follows whatever lens the camera has.
inline float NearClippingDistance(const TRenderContextInfo& rci) {
    const TVec4& plane = rci.rcci.frustumPlanes[4];
    return -(plane.X * rci.cameraPosition.X + plane.Y * rci.cameraPosition.Y + plane.Z * rci.cameraPosition.Z +
             plane.W);
}

}  // namespace engine
