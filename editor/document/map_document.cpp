#include "editor/document/map_document.h"

#include "editor/document/autosave_backups.h"
#include "editor/document/editor_files.h"
#include "editor/document/editor_texts.h"
#include "editor/document/map_opening.h"
#include "platform/paths.h"

#include <exception>
#include <filesystem>
#include <utility>

namespace editor {

TMapDocument::TMapDocument(TEditorSession& session, const TEditorServices& services, IDocumentWindow& window)
    : m_session(session), m_services(services), m_window(window) {}

bool TMapDocument::Start(const std::optional<std::string>& startFile) {
    const bool loaded = LoadCatalogues();
    NewMap();
    if (!loaded) {
        return false;
    }
    m_autosave.reset();
    m_autosave = TAutosaveSlot::Take(EditorFilesFolder());
    const bool autosaveKept = !m_autosave->LeftByCrash() || OfferAutosaveRestore();
    if (startFile && ConfirmDiscard()) {
        OpenMapFile(*startFile);
    }
    return autosaveKept;
}

bool TMapDocument::LoadCatalogues() {
    try {
        m_session.BaseSurfaces = m_window.LoadCatalogueLists();
        m_session.BaseTextureSurface = 0;
        return true;
    } catch (const std::exception&) {
        m_services.ShowMessage(texts::kStartupFailure);
        m_services.Terminate();
        return false;
    }
}

bool TMapDocument::OfferAutosaveRestore() {
    const std::string autosave = m_autosave->Autosave().string();
    if (m_services.AskYesNo(texts::kRestoreQuestion)) {
        try {
            // Restored, the map differs from every file: unnamed and changed.
            Replace(ReadMapFile(autosave), {}, false, autosave);
            return true;
        } catch (const MapOpenError& error) {
            m_services.ShowError(OpenFailureMessage(autosave, error.what()));
        }
    }
    try {
        KeepAutosaveAside(m_autosave->Autosave(), autosave_files::kKeptBackups);
        return true;
    } catch (const std::filesystem::filesystem_error& error) {
        m_services.ShowError(texts::kBackupFailed + m_autosave->Autosave().filename().string() + texts::kBackupFailedWhy +
                             error.code().message());
        return false;
    }
}

bool TMapDocument::ConfirmDiscard() {
    if (!m_session.History.Modified()) {
        return true;
    }
    switch (m_services.AskSaveChanges()) {
    case TSaveAnswer::Save: return SaveCommand();
    case TSaveAnswer::Discard: return true;
    case TSaveAnswer::Cancel: return false;
    }
    return false;
}

void TMapDocument::NewMapCommand() {
    if (ConfirmDiscard()) {
        NewMap();
    }
}

void TMapDocument::OpenCommand() {
    if (!ConfirmDiscard()) {
        return;
    }
    if (const std::optional<std::string> name = m_services.AskOpenFileName()) {
        OpenMapFile(*name);
    }
}

bool TMapDocument::OpenMapFile(const std::string& fileName) {
    // The name the file really has, so that "Сохранить" writes back to it and not beside it.
    const std::string path = platform::ResolvePath(fileName);
    TMapData data;
    try {
        data = ReadMapFile(path);
    } catch (const MapOpenError& error) {
        m_services.ShowError(OpenFailureMessage(fileName, error.what()));
        return false;
    }
    Replace(std::move(data), path, true, fileName);
    return true;
}

bool TMapDocument::SaveCommand() {
    if (m_session.MapFileName.empty()) {
        return SaveAsCommand();
    }
    return SaveTo(m_session.MapFileName);
}

bool TMapDocument::SaveAsCommand() {
    const std::optional<std::string> name = m_services.AskSaveFileName();
    return name && SaveTo(*name);
}

bool TMapDocument::SaveTo(const std::string& fileName) {
    bool saved = false;
    try {
        m_session.Map.SaveMap(fileName);
        m_session.MapFileName = fileName;
        m_session.History.MarkSaved();
        saved = true;
    } catch (const std::exception& error) {
        m_services.ShowError(error.what());
    }
    m_window.FileStateChanged();
    return saved;
}

void TMapDocument::Autosave() {
    // One error box at a time: the box waits in an event loop of its own, in which the timer goes
    // on, so a folder that cannot be written would stack a new box every 30 seconds.
    if (m_autosaveErrorShown || !m_autosave) {
        return;
    }
    try {
        m_session.Map.SaveMap(m_autosave->Autosave().string());
    } catch (const std::exception& error) {
        m_autosaveErrorShown = true;
        m_services.ShowError(error.what());
        m_autosaveErrorShown = false;
    }
}

std::string TMapDocument::AutosaveNote() const {
    if (!m_autosave || m_autosave->Number() == 1 || !m_autosave->OthersRunning()) {
        return {};
    }
    return texts::kAutosaveNote + m_autosave->Autosave().filename().string();
}

void TMapDocument::NewMap() {
    m_session.Map.NewMap();
    m_session.MapFileName.clear();
    m_session.History.Clear(true);
    m_window.MapReplaced();
}

void TMapDocument::Replace(TMapData data, std::string fileName, bool saved, const std::string& source) {
    m_session.Map.Assign(std::move(data));
    m_session.MapFileName = std::move(fileName);
    m_session.History.Clear(saved);
    m_window.MapReplaced();
    const std::uint8_t surface = m_session.Map.Header().Surface;
    if (surface >= m_session.BaseSurfaces.size()) {
        m_services.ShowMessage(texts::kMissingSurface + source + texts::kMissingSurfaceNumber + std::to_string(surface) +
                               texts::kMissingSurfaceCount + std::to_string(m_session.BaseSurfaces.size()) +
                               texts::kMissingSurfaceKept);
    }
}

}  // namespace editor
