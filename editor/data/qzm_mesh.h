#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// QZM meshes: the editor's text format for object models, one or more frames sharing one set of
// texture coordinates, drawn with OpenGL immediate mode.
namespace editor {

// Any failure to read a QZM file.
class QzmError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number line that does not hold the numbers it should: "Invalid numeric input", the runtime's
// own words, which reach the caller unchanged.
class QzmNumericError : public QzmError {
public:
    QzmNumericError() : QzmError("Invalid numeric input") {}
};

// A file whose numbers are well formed but cannot describe a mesh: a negative count, a count the
// file has no lines for, a vertex or texture-vertex number outside its list, fewer texture
// triangles than triangles. The message names the line or object at fault.
class QzmContentError : public QzmError {
public:
    using QzmError::QzmError;
};

struct QzmVector {
    float X = 0;
    float Y = 0;
    float Z = 0;
    bool operator==(const QzmVector&) const = default;
};

// Whether the index names an element of the list: the drawing's guard against lists whose
// numbers were changed after reading.
template <typename T>
bool HoldsIndex(const std::vector<T>& list, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

// Three 0-based indices.
using QzmTriangle = std::array<std::int32_t, 3>;

class TGLMultyMesh;

// One object (frame) of a QZM file.
class TGLMesh {
public:
    std::vector<QzmVector> Vertices;
    std::vector<QzmTriangle> Faces;
    std::vector<QzmVector> FaceNormals;
    std::vector<QzmVector> VertexNormals;
    std::int32_t VertexCount = 0;
    std::int32_t FaceCount = 0;
    // 1 / the largest coordinate on each axis, taken together with 0, so the object's far side
    // maps to 1 (infinite when no coordinate on that axis is positive).
    QzmVector Scale;
    // The mesh holding this object; it owns the object, so it outlives it.
    const TGLMultyMesh* Owner = nullptr;

    // Issues each triangle as its own batch: flat with the face normal or smooth with the vertex
    // normals, with the owner's texture coordinates (v flipped) when textured.
    void Draw(bool smooth, bool textured) const;
};

// The texture section of a file: texture triangle i gives the texture coordinates of triangle i
// of every object.
struct QzmTexture {
    std::vector<QzmVector> TexVertices;  // u, v, w; w is not used
    std::vector<QzmTriangle> TexFaces;
    std::int32_t TexVertexCount = 0;
    std::int32_t TexFaceCount = 0;
    // The section was read completely; the vertex and triangle lists are filled only then.
    bool Textured = false;
};

// A QZM file: its objects and the texture coordinates they share.
class TGLMultyMesh {
public:
    TGLMultyMesh() = default;
    TGLMultyMesh(const TGLMultyMesh&) = delete;
    TGLMultyMesh& operator=(const TGLMultyMesh&) = delete;

    // Reads every section of the file. Throws platform::FileError and the QzmError family; a failed
    // load leaves the mesh as it was.
    void LoadFromFile(const std::string& fileName);
    void LoadFromText(std::string_view text);

    // Draws the current object scaled by its Scale; with Animate, moves on to the next object.
    void Draw();

    const std::vector<std::unique_ptr<TGLMesh>>& Objects() const { return m_objects; }
    const std::vector<QzmVector>& TexVertices() const { return m_texture.TexVertices; }
    const std::vector<QzmTriangle>& TexFaces() const { return m_texture.TexFaces; }
    std::int32_t TexVertexCount() const { return m_texture.TexVertexCount; }
    std::int32_t TexFaceCount() const { return m_texture.TexFaceCount; }
    bool Textured() const { return m_texture.Textured; }

    std::int32_t Current = 0;
    bool Animate = false;
    bool Smooth = false;
    // The Scale of the object drawn last.
    QzmVector CurrentScale;

private:
    std::vector<std::unique_ptr<TGLMesh>> m_objects;
    QzmTexture m_texture;
};

}  // namespace editor
