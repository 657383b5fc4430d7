#pragma once

#include "editor/document/document_window.h"
#include "editor/document/editor_services.h"
#include "editor/document/editor_session.h"

#include <optional>
#include <string>

namespace editor {

namespace autosave_files {
constexpr char kAutosave[] = "Temp.map";
// Where an autosave of an earlier run that was not restored is kept.
constexpr char kBackup[] = "Temp.bak.map";
}  // namespace autosave_files

// The one map as a document: the editor's start, the file commands and the autosave, with the
// questions they ask. Nothing that changed the map since it was created, loaded or saved is
// thrown away without the question whether to save it. The window forwards its menu, its timer
// and its closing here.
class TMapDocument {
public:
    TMapDocument(TEditorSession& session, const TEditorServices& services, IDocumentWindow& window);

    // The first showing: the catalogues (a failure ends the program), the empty map, then the
    // offer to restore the last autosave and the start file. True when the autosave may run.
    bool Start(const std::optional<std::string>& startFile);
    // Whether the map may be replaced: unchanged, saved on request, or given up on request.
    bool ConfirmDiscard();
    void NewMapCommand();
    void OpenCommand();
    // Opens the file as "Открыть" does; a map that does not open leaves everything as it was.
    bool OpenMapFile(const std::string& fileName);
    // False when the map was not saved (a cancelled dialog, an error).
    bool SaveCommand();
    bool SaveAsCommand();
    bool SaveTo(const std::string& fileName);
    // A "Temp.map" of an earlier run: restored as an unnamed, changed map, or kept as
    // "Temp.bak.map". False when it could not be kept, so the autosave must not overwrite it.
    bool OfferAutosaveRestore();
    // The autosave timer's tick: the map goes to "Temp.map", changed or not.
    void Autosave();

private:
    // Catalogues that fail to load end the program; false then.
    bool LoadCatalogues();
    // An empty map, unnamed and unchanged.
    void NewMap();
    // Puts a whole map in place under the name; saved when it is what the file holds.
    void Replace(TMapData data, std::string fileName, bool saved);

    TEditorSession& m_session;
    const TEditorServices& m_services;
    IDocumentWindow& m_window;
    bool m_autosaveErrorShown = false;
};

}  // namespace editor
