#pragma once

#include "engine/core/component.h"
#include "engine/material/lib_material.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

class TGLMaterialLibrary;

// The ordered library materials of a library, which owns them.
class TGLLibMaterials {
public:
    explicit TGLLibMaterials(TGLMaterialLibrary& library) : m_library(&library) {}
    TGLLibMaterials(const TGLLibMaterials&) = delete;
    TGLLibMaterials& operator=(const TGLLibMaterials&) = delete;

    // Appends a material named "LibMaterial" followed by the lowest number that makes the name
    // unique (the first one gets no number).
    TGLLibMaterial& Add();
    // Appends a material with the name, made unique the same way.
    TGLLibMaterial& Add(const std::string& name);

    int Count() const { return static_cast<int>(m_items.size()); }
    TGLLibMaterial& operator[](int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TGLLibMaterial& operator[](int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // The material of that name, letter case included (names are unique), or null.
    TGLLibMaterial* FindByName(const std::string& name) const;
    // -1 when the material is not in this collection.
    int IndexOf(const TGLLibMaterial* material) const;

    // Removing a material that is applied at the moment throws EGLMaterialException
    // "Unbalanced material application" and removes nothing.
    void Delete(int index);
    void Clear();

    // base when no material but except is named so, otherwise base + the lowest free number.
    std::string MakeUniqueName(const std::string& base, const TGLLibMaterial* except = nullptr) const;

private:
    friend class TGLLibMaterial;
    bool NameTaken(const std::string& name, const TGLLibMaterial* except) const;
    // Keeps the name index right when a material of this collection takes another (unique) name.
    void Renamed(TGLLibMaterial& material, const std::string& oldName);

    TGLMaterialLibrary* m_library;
    std::vector<std::unique_ptr<TGLLibMaterial>> m_items;
    // Names are unique in a collection; the index keeps adding and finding from walking all of
    // them, which made a model file with thousands of materials take seconds to load.
    std::unordered_map<std::string, TGLLibMaterial*> m_byName;
};

// A component holding named materials that scene objects link to, and the folders their texture
// files are looked for in.
class TGLMaterialLibrary : public TComponent {
public:
    TGLMaterialLibrary();
    ~TGLMaterialLibrary() override;

    TGLLibMaterials& Materials() { return m_materials; }
    const TGLLibMaterials& Materials() const { return m_materials; }

    // The first material (in order) whose name equals name exactly, letter case included; null
    // when there is none.
    TGLLibMaterial* FindMaterial(const std::string& name) const;

    // Folder prefixes separated by ';'. Each piece is trimmed, empty pieces are dropped and a '\'
    // is appended to a piece that ends with no separator; an empty string clears the list.
    const std::string& TexturePaths() const { return m_texturePaths; }
    void SetTexturePaths(const std::string& paths);
    const std::vector<std::string>& TexturePathList() const { return m_texturePathList; }

    // The file a texture name stands for: OnTextureNeeded may replace it first; then a relative
    // name (no ':' and not starting with a separator) is tried behind each prefix in order and the
    // first that exists wins. With none existing the name stays as it is.
    std::string ResolveTextureFileName(const std::string& name);

    std::function<void(TGLMaterialLibrary& sender, std::string& textureFileName)> OnTextureNeeded;

private:
    TGLLibMaterials m_materials{*this};
    std::string m_texturePaths;
    std::vector<std::string> m_texturePathList;
};

// The prefixes of a TexturePaths value.
std::vector<std::string> ParseTexturePaths(const std::string& paths);

}  // namespace engine
