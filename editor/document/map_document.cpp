#include "editor/document/map_document.h"

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
    const bool autosaveKept = OfferAutosaveRestore();
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
    if (!platform::FileExists(autosave_files::kAutosave)) {
        return true;
    }
    if (m_services.AskYesNo(texts::kRestoreQuestion)) {
        try {
            // Restored, the map differs from every file: unnamed and changed.
            Replace(ReadMapFile(autosave_files::kAutosave, m_session.BaseSurfaces.size()), {}, false);
            return true;
        } catch (const MapOpenError& error) {
            m_services.ShowError(OpenFailureMessage(autosave_files::kAutosave, error.what()));
        }
    }
    std::error_code failure;
    std::filesystem::rename(platform::ResolvePath(autosave_files::kAutosave),
                            platform::ResolvePath(autosave_files::kBackup), failure);
    if (failure) {
        m_services.ShowError(texts::kBackupFailed + failure.message());
        return false;
    }
    return true;
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
    TMapData data;
    try {
        data = ReadMapFile(fileName, m_session.BaseSurfaces.size());
    } catch (const MapOpenError& error) {
        m_services.ShowError(OpenFailureMessage(fileName, error.what()));
        return false;
    }
    Replace(std::move(data), fileName, true);
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
    if (!name) {
        return false;
    }
    m_session.MapFileName = *name;
    return SaveTo(*name);
}

bool TMapDocument::SaveTo(const std::string& fileName) {
    bool saved = false;
    try {
        m_session.Map.SaveMap(fileName);
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
    if (m_autosaveErrorShown) {
        return;
    }
    try {
        m_session.Map.SaveMap(autosave_files::kAutosave);
    } catch (const std::exception& error) {
        m_autosaveErrorShown = true;
        m_services.ShowError(error.what());
        m_autosaveErrorShown = false;
    }
}

void TMapDocument::NewMap() {
    m_session.Map.NewMap();
    m_session.MapFileName.clear();
    m_session.History.Clear(true);
    m_window.MapReplaced();
}

void TMapDocument::Replace(TMapData data, std::string fileName, bool saved) {
    m_session.Map.Assign(std::move(data));
    m_session.MapFileName = std::move(fileName);
    m_session.History.Clear(saved);
    m_window.MapReplaced();
}

}  // namespace editor
