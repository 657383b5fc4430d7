#pragma once

#include <stdexcept>

namespace engine {

// The failures of materials, library materials, shaders and textures.
class EGLMaterialError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Error: Cyclic material reference detected!" and "Unbalanced material application".
class EGLMaterialException : public EGLMaterialError {
public:
    using EGLMaterialError::EGLMaterialError;
};

// "Unbalanced shader application."
class EGLShaderException : public EGLMaterialError {
public:
    using EGLMaterialError::EGLMaterialError;
};

// "Could not open file: <name>" when a texture's picture file does not exist.
class EGLTextureException : public EGLMaterialError {
public:
    using EGLMaterialError::EGLMaterialError;
};

namespace material_messages {
inline constexpr const char* kCyclicReference = "Error: Cyclic material reference detected!";
inline constexpr const char* kUnbalancedShader = "Unbalanced shader application.";
inline constexpr const char* kUnbalancedMaterial = "Unbalanced material application";
inline constexpr const char* kCouldNotOpenFile = "Could not open file: ";
}  // namespace material_messages

}  // namespace engine
