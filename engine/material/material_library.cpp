#include "engine/material/material_library.h"

#include "engine/material/material_errors.h"
#include "platform/paths.h"

#include <algorithm>

namespace engine {
namespace {

constexpr const char* kDefaultMaterialName = "LibMaterial";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string Trim(const std::string& text) {
    const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

TGLLibMaterial& TGLLibMaterials::Add() {
    return Add(kDefaultMaterialName);
}

TGLLibMaterial& TGLLibMaterials::Add(const std::string& name) {
    m_items.push_back(std::make_unique<TGLLibMaterial>(*m_library, MakeUniqueName(name)));
    TGLLibMaterial& added = *m_items.back();
    m_byName.emplace(added.Name(), &added);
    return added;
}

int TGLLibMaterials::IndexOf(const TGLLibMaterial* material) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == material) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TGLLibMaterials::Delete(int index) {
    TGLLibMaterial& material = (*this)[index];
    if (material.IsApplied()) {
        throw EGLMaterialException(material_messages::kUnbalancedMaterial);
    }
    m_byName.erase(material.Name());
    m_items.erase(m_items.begin() + index);
}

void TGLLibMaterials::Clear() {
    if (std::any_of(m_items.begin(), m_items.end(), [](const auto& item) { return item->IsApplied(); })) {
        throw EGLMaterialException(material_messages::kUnbalancedMaterial);
    }
    m_byName.clear();
    m_items.clear();
}

bool TGLLibMaterials::NameTaken(const std::string& name, const TGLLibMaterial* except) const {
    const auto found = m_byName.find(name);
    return found != m_byName.end() && found->second != except;
}

void TGLLibMaterials::Renamed(TGLLibMaterial& material, const std::string& oldName) {
    m_byName.erase(oldName);
    m_byName.emplace(material.Name(), &material);
}

std::string TGLLibMaterials::MakeUniqueName(const std::string& base, const TGLLibMaterial* except) const {
    if (!NameTaken(base, except)) {
        return base;
    }
    for (int number = 1;; ++number) {
        std::string candidate = base + std::to_string(number);
        if (!NameTaken(candidate, except)) {
            return candidate;
        }
    }
}

TGLMaterialLibrary::TGLMaterialLibrary() = default;

TGLMaterialLibrary::~TGLMaterialLibrary() {
    // Links to the library clear while its materials still exist. A material still applied now
    // cannot be reported from a destructor; its users are unlinked all the same.
    NotifyFreed();
}

TGLLibMaterial* TGLLibMaterials::FindByName(const std::string& name) const {
    const auto found = m_byName.find(name);
    return found == m_byName.end() ? nullptr : found->second;
}

TGLLibMaterial* TGLMaterialLibrary::FindMaterial(const std::string& name) const {
    return m_materials.FindByName(name);
}

std::vector<std::string> ParseTexturePaths(const std::string& paths) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= paths.size()) {
        std::size_t end = paths.find(';', start);
        if (end == std::string::npos) {
            end = paths.size();
        }
        std::string piece = Trim(paths.substr(start, end - start));
        if (!piece.empty()) {
            if (!IsSeparator(piece.back())) {
                piece += '\\';
            }
            result.push_back(std::move(piece));
        }
        start = end + 1;
    }
    return result;
}

void TGLMaterialLibrary::SetTexturePaths(const std::string& paths) {
    m_texturePaths = paths;
    m_texturePathList = ParseTexturePaths(paths);
}

std::string TGLMaterialLibrary::ResolveTextureFileName(const std::string& name) {
    std::string fileName = name;
    if (OnTextureNeeded) {
        OnTextureNeeded(*this, fileName);
    }
    const bool relative = fileName.find(':') == std::string::npos && !(!fileName.empty() && IsSeparator(fileName[0]));
    if (relative) {
        for (const std::string& prefix : m_texturePathList) {
            if (platform::FileExists(prefix + fileName)) {
                return prefix + fileName;
            }
        }
    }
    return fileName;
}

}  // namespace engine
