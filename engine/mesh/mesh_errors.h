#pragma once

#include <stdexcept>

namespace engine {

// The failures of meshes, the mesh-file registry and the octree.
class EGLMeshError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file name whose extension no mesh-file reader is registered for.
class EInvalidVectorFile : public EGLMeshError {
public:
    using EGLMeshError::EGLMeshError;
};

// An octree query before PrepareOctree.
class EOctreeError : public EGLMeshError {
public:
    using EGLMeshError::EGLMeshError;
};

// Index data that points outside the arrays it indexes, or lists of different lengths.
class EMeshIndexError : public EGLMeshError {
public:
    using EGLMeshError::EGLMeshError;
};

namespace mesh_messages {
inline constexpr const char* kOctreeNotPrepared = "Octree must have been prepared and setup before use.";
}  // namespace mesh_messages

}  // namespace engine
