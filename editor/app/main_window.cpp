#include "editor/app/main_window.h"

#include "editor/app/overlay_drawing.h"
#include "editor/app/overview_window.h"
#include "editor/app/problems_window.h"
#include "editor/app/properties_window.h"
#include "editor/app/qt_services.h"
#include "editor/app/status_text.h"
#include "editor/app/texture_colour.h"
#include "editor/app/tool_palette.h"
#include "editor/document/editor_texts.h"
#include "editor/document/overview_cells.h"
#include "editor/view/catalogue_loader.h"
#include "editor/view/map_drawing.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <exception>

namespace editor {
namespace {

constexpr int kWindowWidth = 542;
constexpr int kWindowHeight = 572;
constexpr int kAutosaveIntervalMs = 30000;
constexpr int kPaletteGap = 8;
constexpr int kOtherEditorMessageMs = 15000;
// What the overview shows for a texture that cannot be read.
constexpr std::uint32_t kUnknownColour = 0xFF808080;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Keeps the view's context current for textures made outside a paint.
class CurrentContext {
public:
    explicit CurrentContext(TMapView& view) : m_view(view) { m_view.makeCurrent(); }
    ~CurrentContext() { m_view.doneCurrent(); }
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;

private:
    TMapView& m_view;
};

// A command reached by its keys from every window of the editor, the palette included.
QAction* AddKeyCommand(QWidget* window, QList<QKeySequence> keys, const std::function<void()>& command) {
    auto* action = new QAction(window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(action, &QAction::triggered, window, command);
    window->addAction(action);
    return action;
}

}  // namespace

TfrmGL::TfrmGL(TEditorServices services, std::optional<std::string> startFile, std::filesystem::path dataFolder)
    : m_services(std::move(services)),
      m_document(m_session, m_services, *this),
      m_regions(m_session.Map, [this](const std::function<void()>& change) { Edit(change); }),
      m_startFile(std::move(startFile)),
      m_dataFolder(std::move(dataFolder)) {
    CompleteWithQtServices(m_services, this);
    setWindowTitle(Text(texts::kMainCaption));
    // Black behind the view only: the status bar keeps the palette's colours, so its text shows.
    setStyleSheet("QMainWindow { background: black; } QStatusBar { background: palette(window); }");
    m_view = std::make_unique<TMapView>(static_cast<IMapViewEvents&>(*this), this);
    setCentralWidget(m_view.get());
    BuildMenu();
    BuildKeys();
    BuildToolMenus();
    m_hint = new QLabel;
    m_hint->hide();
    statusBar()->addWidget(m_hint);
    m_status = new QLabel;
    statusBar()->addWidget(m_status, 1);
    m_autosaveNote = new QLabel;
    m_autosaveNote->hide();
    statusBar()->addPermanentWidget(m_autosaveNote);
    resize(kWindowWidth, kWindowHeight);
    CentreOnScreen();

    m_tools = std::make_unique<TFormTools>(this);
    // The preview under the cursor shows the palette's values.
    m_tools->OnChange = [this] {
        UpdateToolHint();
        m_view->RequestFrame();
    };
    m_tools->show();
    m_properties = std::make_unique<TFormProp>(m_session.Map, this);
    m_properties->OnApply = [this](std::uint8_t sizeX, std::uint8_t sizeY, std::uint8_t surface) {
        Edit([&] {
            m_session.Map.SetSize(sizeX, sizeY);
            m_session.Map.SetSurface(surface);
        });
    };

    m_overview = std::make_unique<TFormOverview>(this);
    m_overview->OnMoveCamera = [this](TMapPoint point) { MoveCameraTo(point); };
    m_overview->OnVisibilityChange = [this](bool visible) {
        m_menu.Overview->setChecked(visible);
        RefreshOverview();
    };
    m_problems = std::make_unique<TFormProblems>(this);
    m_problems->OnChoose = [this](const TMapProblem& problem) { GoToProblem(problem); };

    m_autosave.setInterval(kAutosaveIntervalMs);
    QObject::connect(&m_autosave, &QTimer::timeout, this, [this] { Timer1Timer(); });
    UpdateStatus();
}

TfrmGL::~TfrmGL() {
    // The overview may report its hiding while it is destroyed, when the window's parts are going.
    m_overview->OnVisibilityChange = nullptr;
}

void TfrmGL::BuildMenu() {
    QMenu* file = menuBar()->addMenu(Text(texts::kMenuFile));
    m_menu.FileMenu = file;
    m_menu.N6 = file->addAction(Text(texts::kMenuNew), QKeySequence::New, [this] { m_document.NewMapCommand(); });
    m_menu.N7 = file->addAction(Text(texts::kMenuOpen), QKeySequence::Open, [this] { m_document.OpenCommand(); });
    m_menu.N8 = file->addAction(Text(texts::kMenuSave), QKeySequence::Save, [this] { m_document.SaveCommand(); });
    m_menu.N9 = file->addAction(Text(texts::kMenuSaveAs), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                                [this] { m_document.SaveAsCommand(); });
    m_menu.RecentMenu = file->addMenu(Text(texts::kMenuRecent));
    m_recent = std::make_unique<TRecentFilesMenu>(*m_menu.RecentMenu, m_services);
    m_recent->OnOpen = [this](const std::string& fileName) {
        if (m_document.ConfirmDiscard()) {
            m_document.OpenMapFile(fileName);
        }
    };
    m_menu.N10 = file->addAction(Text(texts::kMenuExit), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
    for (QAction* action : file->actions()) {
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    m_menu.N11 = menuBar()->addAction(Text(texts::kMenuResetView), [this] {
        m_session.Camera.ResetView();
        m_view->RequestFrame();
    });
    m_menu.N3 = menuBar()->addAction(Text(texts::kMenuProperties), [this] { m_properties->Open(); });
    QMenu* help = menuBar()->addMenu(Text(texts::kMenuHelp));
    m_menu.HelpMenu = help;
    m_menu.N4 = help->addAction(Text(texts::kMenuHelpText), [this] { m_services.ShowMessage(texts::kHelpText); });
    m_menu.N5 = help->addAction(Text(texts::kMenuAbout), [this] { m_services.ShowMessage(texts::kAboutText); });
}

void TfrmGL::BuildKeys() {
    m_keys.Undo = AddKeyCommand(this, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { UndoCommand(); });
    m_keys.Redo = AddKeyCommand(this, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                                [this] { RedoCommand(); });
    m_keys.ShowTools = AddKeyCommand(this, {QKeySequence(Qt::Key_F2)}, [this] {
        m_tools->show();
        m_tools->raise();
    });
    m_keys.FitView = AddKeyCommand(this, {QKeySequence(Qt::Key_Home)}, [this] { FitViewCommand(); });
    // The menus' captions carry no access-key marks (they stay as they are); Latin letters open them.
    m_keys.OpenFileMenu = AddKeyCommand(this, {QKeySequence(Qt::ALT | Qt::Key_F)}, [this] {
        menuBar()->setActiveAction(m_menu.FileMenu->menuAction());
    });
    m_keys.OpenHelpMenu = AddKeyCommand(this, {QKeySequence(Qt::ALT | Qt::Key_H)}, [this] {
        menuBar()->setActiveAction(m_menu.HelpMenu->menuAction());
    });
}

void TfrmGL::BuildToolMenus() {
    // Inserted before "Помощь", which stays last.
    QAction* help = m_menu.HelpMenu->menuAction();
    m_menu.EditMenu = new QMenu(Text(texts::kMenuEdit), this);
    menuBar()->insertMenu(help, m_menu.EditMenu);
    // The keys act in the main window only, so the palette's text boxes keep their own.
    const auto command = [this](QMenu* menu, const char* caption, QKeySequence key, const std::function<void()>& run) {
        QAction* action = menu->addAction(Text(caption), key, [this, run] {
            run();
            UpdateToolHint();
            m_view->RequestFrame();
        });
        action->setShortcutContext(Qt::WindowShortcut);
        return action;
    };
    m_menu.Copy = command(m_menu.EditMenu, texts::kMenuCopy, QKeySequence(Qt::CTRL | Qt::Key_C), [this] { m_regions.Copy(); });
    m_menu.Cut = command(m_menu.EditMenu, texts::kMenuCut, QKeySequence(Qt::CTRL | Qt::Key_X), [this] { m_regions.Cut(); });
    m_menu.Paste =
        command(m_menu.EditMenu, texts::kMenuPaste, QKeySequence(Qt::CTRL | Qt::Key_V), [this] { m_regions.StartPaste(); });
    m_menu.DeleteSelection = command(m_menu.EditMenu, texts::kMenuDeleteSelection, QKeySequence(Qt::Key_Delete),
                                     [this] { m_regions.DeleteSelection(); });

    m_menu.ViewMenu = new QMenu(Text(texts::kMenuView), this);
    menuBar()->insertMenu(help, m_menu.ViewMenu);
    m_menu.Grid = command(m_menu.ViewMenu, texts::kMenuGrid, QKeySequence(Qt::Key_G), [this] { m_grid = m_menu.Grid->isChecked(); });
    m_menu.Grid->setCheckable(true);
    m_menu.Overview = m_menu.ViewMenu->addAction(Text(texts::kMenuOverview), QKeySequence(Qt::Key_F3));
    m_menu.Overview->setCheckable(true);
    m_menu.Overview->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(m_menu.Overview, &QAction::toggled, this, [this](bool shown) { m_overview->setVisible(shown); });
    m_menu.Check = command(m_menu.ViewMenu, texts::kMenuCheck, QKeySequence(), [this] { CheckCommand(); });
}

void TfrmGL::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfrmGL::PlacePalette() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect main = frameGeometry();
    const int width = m_tools->frameGeometry().width();
    int x = main.right() + 1 + kPaletteGap;
    if (x + width > available.right() + 1) {
        x = main.left() - kPaletteGap - width;
    }
    if (x < available.left()) {
        // Too narrow a screen for both side by side: the palette at the right edge, the main
        // window moved left of it as far as the screen allows.
        x = available.right() + 1 - width;
        move(std::max(available.left(), x - kPaletteGap - main.width()), main.top());
    }
    m_tools->move(x, main.top());
    // The overview under the palette, the checker's list under the main window: where they cover
    // neither the view nor the palette when first shown.
    m_overview->move(x, main.top() + m_tools->frameGeometry().height() + kPaletteGap);
    m_problems->move(main.left(), std::min(main.bottom() + 1 + kPaletteGap,
                                           available.bottom() + 1 - m_problems->frameGeometry().height()));
}

bool TfrmGL::Guarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        m_services.ShowError(error.what());
        return false;
    }
}

void TfrmGL::LoadBaseTextureFor(std::uint8_t surface) {
    const CurrentContext context(*m_view);
    LoadBaseTexture(m_dataFolder, m_session.BaseSurfaces, surface, m_session.BaseTexture);
    UpdateSurfaceColours();
}

void TfrmGL::UpdateSurfaceColours() {
    m_surfaceColours.clear();
    for (const TKindEntry& kind : m_session.Kinds.SurfaceKinds) {
        m_surfaceColours.push_back(AverageTextureColour(static_cast<std::uint32_t>(kind.Texture), kUnknownColour));
    }
    m_baseColour = AverageTextureColour(m_session.BaseTexture, kUnknownColour);
    m_overviewStale = true;
    RefreshOverview();
}

void TfrmGL::RefreshOverview() {
    if (m_overview == nullptr || !m_overview->isVisible()) {
        return;
    }
    if (m_overviewStale) {
        const TMapData& map = m_session.Map.Data();
        m_overview->SetCells(OverviewCells(map, m_surfaceColours, m_baseColour), map.Header.SizeX, map.Header.SizeY);
        m_overviewStale = false;
    }
    m_overview->SetFootprint(ViewFootprint(m_session.Camera, m_viewWidth, m_viewHeight));
}

void TfrmGL::MoveCameraTo(TMapPoint point) {
    CentreViewOn(m_session.Camera, m_viewWidth, m_viewHeight, point);
    m_view->RequestFrame();
}

void TfrmGL::CheckCommand() {
    TCatalogueSizes sizes;
    if (m_started) {
        sizes = {m_session.BaseSurfaces.size(), m_session.Kinds.SurfaceKinds.size(), m_session.Kinds.GroundKinds.size(),
                 m_session.Kinds.AirKinds.size(), static_cast<std::size_t>(m_tools->Controls().ListBox3->count())};
    }
    const TMapData& map = m_session.Map.Data();
    m_problems->SetProblems(CheckMap(map, sizes), map);
    m_problems->show();
    m_problems->raise();
}

void TfrmGL::GoToProblem(const TMapProblem& problem) {
    if (problem.X < 0 || problem.Y < 0) {
        return;
    }
    MoveCameraTo({problem.X + 0.5, problem.Y + 0.5});
    if (m_regions.Selection()) {
        m_regions.Select({problem.X, problem.Y, 1, 1});
    }
}

void TfrmGL::UpdateToolHint() {
    const QString hint = Text(ToolHint(m_tools->Settings(), m_regions.Pasting()).c_str());
    m_hint->setText(hint);
    m_hint->setVisible(!hint.isEmpty());
}

void TfrmGL::FormShow() {
    PlacePalette();
    if (m_document.Start(m_startFile)) {
        m_autosave.start();
    }
    const QString note = QString::fromStdString(m_document.AutosaveNote());
    if (!note.isEmpty()) {
        // Said in full over the status line for a while, then kept short beside it.
        m_autosaveNote->setText(note);
        m_autosaveNote->setToolTip(Text(texts::kOtherEditorRunning));
        m_autosaveNote->show();
        statusBar()->showMessage(Text(texts::kOtherEditorRunning), kOtherEditorMessageMs);
    }
    m_started = true;
}

std::vector<std::string> TfrmGL::LoadCatalogueLists() {
    const CurrentContext context(*m_view);
    const TCatalogueLists lists = LoadCatalogues(m_dataFolder, m_session.Kinds, m_session.BaseTexture);
    m_properties->SetSurfaceNames(lists.BaseSurfaces);
    m_tools->FillLists(lists);
    UpdateSurfaceColours();
    return lists.BaseSurfaces;
}

void TfrmGL::FileStateChanged() {
    m_recent->Remember(m_session.MapFileName);
    UpdateStatus();
}

void TfrmGL::UndoCommand() {
    if (m_session.History.Undo(m_session.Map)) {
        MapReplaced();
    }
}

void TfrmGL::RedoCommand() {
    if (m_session.History.Redo(m_session.Map)) {
        MapReplaced();
    }
}

void TfrmGL::FitViewCommand() {
    const TMapHeader& header = m_session.Map.Header();
    const double aspect = m_view->height() > 0 ? static_cast<double>(m_view->width()) / m_view->height() : 1;
    m_session.Camera.FitMap(header.SizeX, header.SizeY, aspect);
    m_view->RequestFrame();
}

void TfrmGL::Edit(const std::function<void()>& change) {
    const bool ownStep = !m_session.History.InStep();
    m_session.History.Begin(m_session.Map);
    change();
    if (ownStep) {
        m_session.History.Commit(m_session.Map);
    }
    MapChanged();
}

void TfrmGL::MapChanged() {
    m_renderer.MapChanged();
    m_overviewStale = true;
    RefreshOverview();
    m_view->RequestFrame();
    // A surface the catalogue lacks keeps the texture shown; the document has said why.
    const std::uint8_t surface = m_session.Map.Header().Surface;
    if (m_session.BaseTextureSurface != surface && surface < m_session.BaseSurfaces.size()) {
        m_session.BaseTextureSurface = surface;
        Guarded([&] { LoadBaseTextureFor(surface); });
    }
    UpdateStatus();
}

void TfrmGL::MapReplaced() {
    m_properties->FormShow();
    m_recent->Remember(m_session.MapFileName);
    MapChanged();
}

void TfrmGL::UpdateStatus() {
    const QString text = QString::fromStdString(StatusText(m_session.Map.Data(), m_session.Camera.CursorX,
                                                           m_session.Camera.CursorY, m_session.MapFileName,
                                                           m_session.History.Modified()));
    if (m_status->text() != text) {
        m_status->setText(text);
    }
}

void TfrmGL::keyPressEvent(QKeyEvent* event) {
    TViewCamera& camera = m_session.Camera;
    switch (event->key()) {
    case Qt::Key_Escape:
        // A paste or a selection goes first; with neither, Escape quits as it always has.
        if (m_regions.Escape() == TEscapeResult::Nothing) {
            close();
        }
        UpdateToolHint();
        break;
    case Qt::Key_Left: camera.KeyDown(TPanKey::Left); break;
    case Qt::Key_Right: camera.KeyDown(TPanKey::Right); break;
    case Qt::Key_Up: camera.KeyDown(TPanKey::Up); break;
    case Qt::Key_Down: camera.KeyDown(TPanKey::Down); break;
    default: QMainWindow::keyPressEvent(event); return;
    }
    event->accept();
    m_view->RequestFrame();
}

void TfrmGL::closeEvent(QCloseEvent* event) {
    if (m_stroke || !m_document.ConfirmDiscard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_tools->close();
        m_properties->close();
        m_overview->close();
        m_problems->close();
    }
}

void TfrmGL::FormCreate() {
    InitialiseViewState();
    if (!m_started) {
        QTimer::singleShot(0, this, [this] {
            if (!m_started) {
                FormShow();
            }
        });
    }
}

void TfrmGL::FormResize(int width, int height) {
    SetViewProjection(width, height);
    m_viewWidth = width;
    m_viewHeight = height;
}

void TfrmGL::PaintFrame() {
    // Qt's composition may use the context between frames, so the fixed state is set every frame.
    InitialiseViewState();
    const TToolSettings tools = m_tools->Settings();
    m_renderer.Draw(m_session, tools, !tools.Selecting && !m_regions.Pasting());
    if (m_stroke) {
        PaintStroke();
    }
    const TViewCamera& camera = m_session.Camera;
    m_regions.Follow({camera.CursorX, camera.CursorY});
    const TMapHeader& header = m_session.Map.Header();
    TMapOverlays overlays{m_grid, header.SizeX, header.SizeY, m_regions.Selection(), m_regions.DragRect(), nullptr,
                          camera.CursorX, camera.CursorY};
    if (m_regions.Pasting()) {
        overlays.Paste = &m_regions.Clipboard();
    }
    DrawMapOverlays(overlays, camera, m_session.Kinds);
    UpdateStatus();
    RefreshOverview();
}

void TfrmGL::PaintStroke() {
    const TToolSettings settings = m_tools->Settings();
    const TViewCamera& camera = m_session.Camera;
    const std::vector<TCell> cells = m_stroke->MoveTo({camera.CursorX, camera.CursorY});
    if (!cells.empty()) {
        Edit([&] {
            for (const auto& [x, y] : cells) {
                ApplyToolClick(m_session.Map, settings, x, y);
            }
        });
    }
}

void TfrmGL::FormMouseDown(TMouseButton button) {
    m_session.Camera.MouseDown(button);
    if (button != TMouseButton::Left) {
        return;
    }
    const TViewCamera& camera = m_session.Camera;
    if (m_regions.Press(m_tools->Settings(), {camera.CursorX, camera.CursorY})) {
        m_pressTaken = true;
        UpdateToolHint();
        return;
    }
    if (!m_stroke && m_tools->Settings().Tool == TTool::Surface) {
        m_session.History.Begin(m_session.Map);
        m_stroke.emplace();
        PaintStroke();
    }
}

void TfrmGL::FormMouseUp() {
    m_session.Camera.MouseUp();
    if (m_stroke) {
        m_stroke.reset();
        m_session.History.Commit(m_session.Map);
        UpdateStatus();
    }
    m_regions.Release();
    m_pressTaken = false;
}

void TfrmGL::FormMouseMove(int x, int y) {
    m_session.Camera.MouseMove(x, y);
}

void TfrmGL::FormMouseWheelDown() {
    m_session.Camera.WheelDown();
}

void TfrmGL::FormMouseWheelUp() {
    m_session.Camera.WheelUp();
}

void TfrmGL::ZoomTowardsPointer(int notches) {
    TViewCamera& camera = m_session.Camera;
    // Window rows count from the bottom; above the horizon the view's centre is the target.
    std::optional<TMapPoint> target =
        MapPointAt(camera, m_viewWidth, m_viewHeight, camera.LastMouseX, m_viewHeight - 1 - camera.LastMouseY);
    if (!target) {
        target = MapPointAt(camera, m_viewWidth, m_viewHeight, m_viewWidth / 2.0, m_viewHeight / 2.0);
    }
    if (target) {
        ZoomTowards(camera, *target, notches);
    }
}

void TfrmGL::FormClick() {
    // The surface tool paints on the press and while dragging; a block tool's press adds nothing.
    if (!m_pressTaken && m_tools->Settings().Tool != TTool::Surface) {
        Edit([this] {
            ApplyToolClick(m_session.Map, m_tools->Settings(), m_session.Camera.CursorX, m_session.Camera.CursorY);
        });
    }
}

void TfrmGL::FormContextPopup() {
    Edit([this] {
        ApplyToolDelete(m_session.Map, m_tools->Settings(), m_session.Camera.CursorX, m_session.Camera.CursorY);
    });
}

}  // namespace editor
