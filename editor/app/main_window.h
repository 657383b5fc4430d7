#pragma once

#include "editor/app/editor_services.h"
#include "editor/app/editor_session.h"
#include "editor/app/map_view.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class QAction;

namespace editor {

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
};

// TfrmGL: the main window with the menu and the map view. It owns the tool palette (shown at
// once) and the properties window (hidden), and closing it ends the program.
class TfrmGL : public QMainWindow, private IMapViewEvents {
public:
    explicit TfrmGL(TEditorServices services = {});
    ~TfrmGL() override;

    TEditorSession& Session() { return m_session; }
    TMapView& View() const { return *m_view; }
    TFormTools& Tools() const { return *m_tools; }
    TFormProp& Properties() const { return *m_properties; }
    const TMainMenu& Menu() const { return m_menu; }
    QTimer& AutosaveTimer() { return m_autosave; }
    // Whether the first showing has loaded the catalogues.
    bool Started() const { return m_started; }

    // The autosave: the map goes to "Temp.map", changed or not.
    void Timer1Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The palette and the properties window close with the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void CentreOnScreen();

    // The catalogue load of the first showing; a failure ends the program.
    void FormShow();
    void NewMapCommand();
    void OpenCommand();
    void SaveCommand();
    void SaveAsCommand();
    // Loads the base texture of the surface into the view's context.
    void LoadBaseTextureFor(std::uint8_t surface);
    // Runs a command; an error it raises goes to the general error box.
    void Guarded(const std::function<void()>& command);

    void FormCreate() override;
    void FormResize(int width, int height) override;
    void PaintFrame() override;
    void FormMouseDown(TMouseButton button) override;
    void FormMouseUp() override;
    void FormMouseMove(int x, int y) override;
    void FormMouseWheelDown() override;
    void FormMouseWheelUp() override;
    void FormClick() override;
    void FormContextPopup() override;

    TEditorServices m_services;
    TEditorSession m_session;
    // Declared after the session, so the windows that refer to it go first.
    std::unique_ptr<TMapView> m_view;
    std::unique_ptr<TFormTools> m_tools;
    std::unique_ptr<TFormProp> m_properties;
    TMainMenu m_menu;
    QTimer m_autosave;
    bool m_started = false;
    bool m_autosaveErrorShown = false;
};

}  // namespace editor
