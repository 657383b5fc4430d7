#pragma once

#include "editor/data/map_file.h"
#include "editor/document/document_window.h"
#include "editor/document/map_document.h"
#include "platform/paths.h"
#include "tests/editor/document/other_editor.h"
#include "tests/editor/document/recording_user.h"
#include "tests/editor/document/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace editor {

// The window as the document sees it: catalogues of two base surfaces (or a failure), and a
// count of what it was told.
struct FakeDocumentWindow : IDocumentWindow {
    std::vector<std::string> LoadCatalogueLists() override {
        if (CataloguesFail) {
            throw std::runtime_error("Special_obj.txt is missing");
        }
        return {"Трава", "Песок"};
    }
    void MapReplaced() override { ++Replacements; }
    void FileStateChanged() override { ++FileStateChanges; }

    bool CataloguesFail = false;
    int Replacements = 0;
    int FileStateChanges = 0;
};

using Bytes = std::vector<std::uint8_t>;

// A document over a session of its own, in a folder of its own, with no window or GL behind it.
class MapDocumentTest : public ::testing::Test, protected RecordingUser {
protected:
    MapDocumentTest() : m_folder("doc_"), m_services(RecordingServices()), m_document(m_session, m_services, m_window) {}

    // One step of editing, as a click in the view makes it.
    void EditMap(std::uint8_t x) {
        m_session.History.Begin(m_session.Map);
        m_session.Map.AddTile(0, x, 1);
        m_session.History.Commit(m_session.Map);
    }

    // Another editor of the folder that wrote its autosave (when given bytes) and crashed.
    void CrashedEditorLeft(const std::optional<Bytes>& autosave) { CrashedEditor(m_folder.Path(), autosave); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(PathOf(name)); }

    const TMapData& MapData() const { return m_session.Map.Data(); }
    Bytes MapBytes() const { return EncodeMap(MapData()); }
    std::string PathOf(const std::string& name) const { return m_folder.PathOf(name); }
    Bytes FileBytes(const std::string& name) const { return platform::ReadWholeFile(PathOf(name)); }
    void WriteBytes(const std::string& name, const Bytes& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // A map file of 7 x 6 cells on the base surface, with tiles in a row.
    static Bytes StoredMapBytes(std::uint8_t surface, int tiles) {
        TMap map;
        map.SetSize(7, 6);
        map.SetSurface(surface);
        for (int i = 0; i < tiles; ++i) {
            map.AddTile(1, static_cast<std::uint8_t>(i), 2);
        }
        return EncodeMap(map.Data());
    }

    ScratchFolder m_folder;
    TEditorSession m_session;
    FakeDocumentWindow m_window;
    TEditorServices m_services;
    TMapDocument m_document;
};

}  // namespace editor
