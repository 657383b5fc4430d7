#include "editor/data/mesh_table.h"

#include "editor/data/message_reporter.h"
#include "platform/paths.h"

#include <algorithm>

namespace editor {
namespace {

constexpr char kCaption[] = "Draw3D Unit";

}  // namespace

int TMeshTable::LoadMesh(const std::string& fileName) {
    if (!platform::FileExists(fileName)) {
        ShowMessage(kCaption, "File \"" + fileName + "\" not found, engine won't work correct!");
        return -1;
    }
    return LoadMeshRecord(fileName, platform::ReadWholeFile(fileName));
}

int TMeshTable::LoadMeshRecord(const std::string& recordName, std::span<const std::uint8_t> record) {
    auto mesh = std::make_unique<TGLMultyMesh>();
    try {
        mesh->LoadFromText(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
    } catch (const QzmContentError& error) {
        ShowMessage(kCaption, "File \"" + recordName + "\" is not a valid mesh: " + error.what());
        return -1;
    }
    mesh->Smooth = false;
    const auto free = std::find(m_slots.begin(), m_slots.end(), nullptr);
    if (free != m_slots.end()) {
        *free = std::move(mesh);
        return static_cast<int>(free - m_slots.begin());
    }
    m_slots.push_back(std::move(mesh));
    return static_cast<int>(m_slots.size()) - 1;
}

void TMeshTable::DrawMesh(int slot, int objectIndex, bool smooth) {
    TGLMultyMesh* mesh = Mesh(slot);
    if (mesh == nullptr) {
        return;
    }
    mesh->Smooth = smooth;
    const auto count = static_cast<int>(mesh->Objects().size());
    mesh->Current = count > 1 && objectIndex >= 0 && objectIndex < count ? objectIndex : 0;
    mesh->Draw();
}

TGLMultyMesh* TMeshTable::Mesh(int slot) const {
    if (slot < 0 || slot >= SlotCount()) {
        return nullptr;
    }
    return m_slots[static_cast<std::size_t>(slot)].get();
}

void TMeshTable::FreeMesh(int slot) {
    if (slot >= 0 && slot < SlotCount()) {
        m_slots[static_cast<std::size_t>(slot)].reset();
    }
}

TMeshTable& MeshTable() {
    static TMeshTable table;
    return table;
}

int LoadMesh(const std::string& fileName) {
    return MeshTable().LoadMesh(fileName);
}

int LoadMeshRecord(const std::string& recordName, std::span<const std::uint8_t> record) {
    return MeshTable().LoadMeshRecord(recordName, record);
}

void DrawMesh(int slot, int objectIndex, bool smooth) {
    MeshTable().DrawMesh(slot, objectIndex, smooth);
}

}  // namespace editor
