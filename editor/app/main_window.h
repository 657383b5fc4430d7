#pragma once

#include "editor/app/map_view.h"
#include "editor/app/paint_stroke.h"
#include "editor/app/recent_files_menu.h"
#include "editor/app/region_tools.h"
#include "editor/data/map_check.h"
#include "editor/document/document_window.h"
#include "editor/document/editor_services.h"
#include "editor/document/editor_session.h"
#include "editor/document/map_document.h"
#include "editor/document/view_rays.h"
#include "editor/view/map_renderer.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace editor {

class TFormOverview;
class TFormProblems;
class TFormProp;
class TFormTools;

// The menu commands, in menu order; the names the menu items carry.
struct TMainMenu {
    QAction* N6 = nullptr;   // "Создать"
    QAction* N7 = nullptr;   // "Открыть"
    QAction* N8 = nullptr;   // "Сохранить"
    QAction* N9 = nullptr;   // "Сохранить как..."
    QAction* N10 = nullptr;  // "Выход"
    QAction* N11 = nullptr;  // "Сбросить вид"
    QAction* N3 = nullptr;   // "Свойства карты"
    QAction* N4 = nullptr;   // "Помощь"
    QAction* N5 = nullptr;   // "О программе"
    QMenu* FileMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    // Beyond the described menu: the recent maps, the block commands and the view's helpers.
    QMenu* RecentMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* Copy = nullptr;             // Ctrl+C
    QAction* Cut = nullptr;              // Ctrl+X
    QAction* Paste = nullptr;            // Ctrl+V
    QAction* DeleteSelection = nullptr;  // Delete
    QMenu* ViewMenu = nullptr;
    QAction* Grid = nullptr;      // G
    QAction* Overview = nullptr;  // F3
    QAction* Check = nullptr;
};

// The commands beyond the menu, reached by their keys only.
struct TEditorKeys {
    QAction* Undo = nullptr;         // Ctrl+Z
    QAction* Redo = nullptr;         // Ctrl+Y, Ctrl+Shift+Z
    QAction* ShowTools = nullptr;    // F2
    QAction* FitView = nullptr;      // Home
    QAction* OpenFileMenu = nullptr; // Alt+F
    QAction* OpenHelpMenu = nullptr; // Alt+H
};

// TfrmGL: the main window with the menu, the map view and the status bar. It owns the tool
// palette (shown at once) and the properties window (hidden), and closing it ends the program.
// The map's start, file commands and autosave are the document's; the window shows the map and
// forwards its menu, its timer and its closing there.
class TfrmGL : public QMainWindow, private IMapViewEvents, private IDocumentWindow {
public:
    // startFile: a map to open once the catalogues are loaded (the command line's FILE.map);
    // dataFolder: where the catalogues and packages are (empty: the current folder).
    explicit TfrmGL(TEditorServices services = {}, std::optional<std::string> startFile = {},
                    std::filesystem::path dataFolder = {});
    ~TfrmGL() override;

    TEditorSession& Session() { return m_session; }
    TMapView& View() const { return *m_view; }
    TFormTools& Tools() const { return *m_tools; }
    TFormProp& Properties() const { return *m_properties; }
    TFormOverview& Overview() const { return *m_overview; }
    TFormProblems& Problems() const { return *m_problems; }
    TRegionTools& Regions() { return m_regions; }
    const TRecentFilesMenu& RecentFiles() const { return *m_recent; }
    bool GridShown() const { return m_grid; }
    // The line of the status bar that says what the active block tool does.
    QLabel& ToolHintLine() const { return *m_hint; }
    const TMainMenu& Menu() const { return m_menu; }
    const TEditorKeys& Keys() const { return m_keys; }
    QLabel& StatusLine() const { return *m_status; }
    // The autosave's name when it is not "Temp.map" (another editor works in the folder).
    QLabel& AutosaveNote() const { return *m_autosaveNote; }
    QTimer& AutosaveTimer() { return m_autosave; }
    // Whether the first showing has loaded the catalogues.
    bool Started() const { return m_started; }

    // The autosave timer's tick, handed to the document.
    void Timer1Timer() { m_document.Autosave(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The palette and the properties window close with the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildKeys();
    void CentreOnScreen();
    // Beside the main window, where it leaves the map view free.
    void PlacePalette();

    // After the palette is placed, the document starts: catalogues, map, autosave offer, the
    // command line's map; then the autosave timer, when the document allows it.
    void FormShow();
    void UndoCommand();
    void RedoCommand();
    void FitViewCommand();
    void BuildToolMenus();
    // The checker's findings on the map in memory, with the kinds of the loaded catalogues.
    void CheckCommand();
    // Goes to the problem's cell, which becomes the selection when there is one.
    void GoToProblem(const TMapProblem& problem);
    void MoveCameraTo(TMapPoint point);
    // The overview's picture follows the map while it is shown; hidden, it is made when shown.
    void RefreshOverview();
    // The average colours of the surfaces' textures, which the overview shows.
    void UpdateSurfaceColours();
    void UpdateToolHint();

    // One undoable step around the change; inside a drag stroke it is part of the stroke's step.
    void Edit(const std::function<void()>& change);
    // After any change of the map: the base texture follows its surface, the status bar its state.
    void MapChanged();
    // After the whole map was replaced (new, open, undo, redo): the properties window shows it too.
    void MapReplaced() override;
    void UpdateStatus();
    void PaintStroke();

    // Loads the base texture of the surface into the view's context.
    void LoadBaseTextureFor(std::uint8_t surface);
    // Runs a command; an error it raises goes to the general error box. False after an error.
    bool Guarded(const std::function<void()>& command);

    // Loads the catalogues with the view's context current and fills the palette's and the
    // properties window's lists.
    std::vector<std::string> LoadCatalogueLists() override;
    void FileStateChanged() override;

    void FormCreate() override;
    void FormResize(int width, int height) override;
    void PaintFrame() override;
    void FormMouseDown(TMouseButton button) override;
    void FormMouseUp() override;
    void FormMouseMove(int x, int y) override;
    void FormMouseWheelDown() override;
    void FormMouseWheelUp() override;
    void ZoomTowardsPointer(int notches) override;
    void FormClick() override;
    void FormContextPopup() override;

    TEditorServices m_services;
    TEditorSession m_session;
    TMapDocument m_document;
    // Declared after the session, so the windows that refer to it go first.
    std::unique_ptr<TMapView> m_view;
    std::unique_ptr<TFormTools> m_tools;
    std::unique_ptr<TFormProp> m_properties;
    std::unique_ptr<TFormOverview> m_overview;
    std::unique_ptr<TFormProblems> m_problems;
    std::unique_ptr<TRecentFilesMenu> m_recent;
    TRegionTools m_regions;
    TMapRenderer m_renderer;
    TMainMenu m_menu;
    TEditorKeys m_keys;
    QLabel* m_status = nullptr;
    QLabel* m_autosaveNote = nullptr;
    QLabel* m_hint = nullptr;
    QTimer m_autosave;
    std::optional<std::string> m_startFile;
    std::filesystem::path m_dataFolder;
    // The drag of the surface tool that is going on, if any.
    std::optional<TPaintStroke> m_stroke;
    // A left press that a block tool took, so its release adds no record.
    bool m_pressTaken = false;
    bool m_grid = false;
    bool m_overviewStale = true;
    std::vector<std::uint32_t> m_surfaceColours;
    std::uint32_t m_baseColour = 0;
    int m_viewWidth = 1;
    int m_viewHeight = 1;
    bool m_started = false;
};

}  // namespace editor
