#include "editor/app/main_window.h"

#include "editor/app/catalogue_loader.h"
#include "editor/app/editor_texts.h"
#include "editor/app/map_drawing.h"
#include "editor/app/properties_window.h"
#include "editor/app/tool_palette.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

#include <exception>

namespace editor {
namespace {

constexpr int kWindowWidth = 542;
constexpr int kWindowHeight = 572;
constexpr int kAutosaveIntervalMs = 30000;
constexpr char kAutosaveName[] = "Temp.map";

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

}  // namespace

TfrmGL::TfrmGL(TEditorServices services) : m_services(std::move(services)) {
    CompleteWithQtServices(m_services, this);
    setWindowTitle(Text(texts::kMainCaption));
    setStyleSheet("QMainWindow { background: black; }");
    m_view = std::make_unique<TMapView>(static_cast<IMapViewEvents&>(*this), this);
    setCentralWidget(m_view.get());
    BuildMenu();
    resize(kWindowWidth, kWindowHeight);
    CentreOnScreen();

    m_tools = std::make_unique<TFormTools>(this);
    m_tools->show();
    m_properties = std::make_unique<TFormProp>(m_session.Map, this);
    m_properties->OnBaseSurfaceChanged = [this](std::uint8_t surface) {
        Guarded([&] { LoadBaseTextureFor(surface); });
    };

    m_autosave.setInterval(kAutosaveIntervalMs);
    QObject::connect(&m_autosave, &QTimer::timeout, this, [this] { Timer1Timer(); });
    m_autosave.start();
}

TfrmGL::~TfrmGL() = default;

void TfrmGL::BuildMenu() {
    QMenu* file = menuBar()->addMenu(Text(texts::kMenuFile));
    m_menu.N6 = file->addAction(Text(texts::kMenuNew), [this] { NewMapCommand(); });
    m_menu.N7 = file->addAction(Text(texts::kMenuOpen), [this] { OpenCommand(); });
    m_menu.N8 = file->addAction(Text(texts::kMenuSave), [this] { SaveCommand(); });
    m_menu.N9 = file->addAction(Text(texts::kMenuSaveAs), [this] { SaveAsCommand(); });
    m_menu.N10 = file->addAction(Text(texts::kMenuExit), [this] { close(); });
    m_menu.N11 = menuBar()->addAction(Text(texts::kMenuResetView), [this] { m_session.Camera.ResetView(); });
    m_menu.N3 = menuBar()->addAction(Text(texts::kMenuProperties), [this] { m_properties->Open(); });
    QMenu* help = menuBar()->addMenu(Text(texts::kMenuHelp));
    m_menu.N4 = help->addAction(Text(texts::kMenuHelpText), [this] { m_services.ShowMessage(texts::kHelpText); });
    m_menu.N5 = help->addAction(Text(texts::kMenuAbout), [this] { m_services.ShowMessage(texts::kAboutText); });
}

void TfrmGL::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfrmGL::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        m_services.ShowError(error.what());
    }
}

void TfrmGL::LoadBaseTextureFor(std::uint8_t surface) {
    const CurrentContext context(*m_view);
    LoadBaseTexture(m_session.BaseSurfaces, surface, m_session.BaseTexture);
}

void TfrmGL::FormShow() {
    try {
        const CurrentContext context(*m_view);
        const TCatalogueLists lists = LoadCatalogues(m_session.Kinds, m_session.BaseTexture);
        m_session.BaseSurfaces = lists.BaseSurfaces;
        m_properties->SetSurfaceNames(lists.BaseSurfaces);
        m_tools->FillLists(lists);
    } catch (const std::exception&) {
        m_services.ShowMessage(texts::kStartupFailure);
        m_services.Terminate();
    }
    m_session.Map.NewMap();
    m_started = true;
}

void TfrmGL::NewMapCommand() {
    Guarded([this] {
        m_session.Map.NewMap();
        LoadBaseTextureFor(0);
        m_session.MapFileName.clear();
    });
}

void TfrmGL::OpenCommand() {
    const std::optional<std::string> name = m_services.AskOpenFileName();
    if (!name) {
        return;
    }
    Guarded([&] {
        m_session.MapFileName = *name;
        m_session.Map.LoadMap(*name);
        LoadBaseTextureFor(m_session.Map.Header().Surface);
    });
}

void TfrmGL::SaveCommand() {
    if (m_session.MapFileName.empty()) {
        SaveAsCommand();
        return;
    }
    Guarded([this] { m_session.Map.SaveMap(m_session.MapFileName); });
}

void TfrmGL::SaveAsCommand() {
    const std::optional<std::string> name = m_services.AskSaveFileName();
    if (!name) {
        return;
    }
    Guarded([&] {
        m_session.MapFileName = *name;
        m_session.Map.SaveMap(*name);
    });
}

void TfrmGL::Timer1Timer() {
    // One error box at a time: a folder that cannot be written would otherwise stack a new box
    // every 30 seconds behind the first.
    if (m_autosaveErrorShown) {
        return;
    }
    try {
        m_session.Map.SaveMap(kAutosaveName);
    } catch (const std::exception& error) {
        m_autosaveErrorShown = true;
        m_services.ShowError(error.what());
        m_autosaveErrorShown = false;
    }
}

void TfrmGL::keyPressEvent(QKeyEvent* event) {
    TViewCamera& camera = m_session.Camera;
    switch (event->key()) {
    case Qt::Key_Escape: close(); break;
    case Qt::Key_Left: camera.KeyDown(TPanKey::Left); break;
    case Qt::Key_Right: camera.KeyDown(TPanKey::Right); break;
    case Qt::Key_Up: camera.KeyDown(TPanKey::Up); break;
    case Qt::Key_Down: camera.KeyDown(TPanKey::Down); break;
    default: QMainWindow::keyPressEvent(event); return;
    }
    event->accept();
}

void TfrmGL::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_tools->close();
        m_properties->close();
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
}

void TfrmGL::PaintFrame() {
    // Qt's composition may use the context between frames, so the fixed state is set every frame.
    InitialiseViewState();
    DrawMap(m_session, m_tools->Settings());
}

void TfrmGL::FormMouseDown(TMouseButton button) {
    m_session.Camera.MouseDown(button);
}

void TfrmGL::FormMouseUp() {
    m_session.Camera.MouseUp();
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

void TfrmGL::FormClick() {
    ApplyToolClick(m_session.Map, m_tools->Settings(), m_session.Camera.CursorX, m_session.Camera.CursorY);
}

void TfrmGL::FormContextPopup() {
    ApplyToolDelete(m_session.Map, m_tools->Settings(), m_session.Camera.CursorX, m_session.Camera.CursorY);
}

}  // namespace editor
