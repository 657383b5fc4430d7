#pragma once

#include "editor/document/autosave_slot.h"
#include "editor/document/document_window.h"
#include "editor/document/editor_services.h"
#include "editor/document/editor_session.h"

#include <optional>
#include <string>

namespace editor {

// The one map as a document: the editor's start, the file commands and the autosave, with the
// questions they ask. Nothing that changed the map since it was created, loaded or saved is
// thrown away without the question whether to save it. The window forwards its menu, its timer
// and its closing here. Destroying the document is the editor's normal end: its autosave is then
// not offered again.
class TMapDocument {
public:
    TMapDocument(TEditorSession& session, const TEditorServices& services, IDocumentWindow& window);

    // The first showing: the catalogues (a failure ends the program), the empty map, the autosave
    // this editor writes, the offer to restore what a crashed editor left there, then the start
    // file. True when the autosave may run.
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
    // Saves the map under the name; the map takes the name only once it is saved.
    bool SaveTo(const std::string& fileName);
    // The autosave timer's tick: the map goes to this editor's autosave, changed or not.
    void Autosave();
    // What the status bar says about the autosave while another editor runs in the folder: its
    // name, when it is not "Temp.map"; empty otherwise.
    std::string AutosaveNote() const;

private:
    // Catalogues that fail to load end the program; false then.
    bool LoadCatalogues();
    // The autosave a crashed editor left: restored as an unnamed, changed map, or kept aside as a
    // numbered backup. False when it could not be kept, so the autosave must not overwrite it.
    bool OfferAutosaveRestore();
    // An empty map, unnamed and unchanged.
    void NewMap();
    // Puts a whole map in place under the name; saved when it is what the file holds. A base
    // surface the catalogue lacks is said, naming the source the map came from; the map is kept
    // with all its records, and only its base texture is missing.
    void Replace(TMapData data, std::string fileName, bool saved, const std::string& source);

    TEditorSession& m_session;
    const TEditorServices& m_services;
    IDocumentWindow& m_window;
    std::optional<TAutosaveSlot> m_autosave;
    bool m_autosaveErrorShown = false;
};

}  // namespace editor
