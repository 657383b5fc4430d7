#pragma once

#include "editor/document/tool_settings.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace editor {

struct TCatalogueLists;

// The palette's controls, named as the rest of the editor refers to them.
struct TToolControls {
    QComboBox* ComboBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // surface
    QGroupBox* GroupBox2 = nullptr;  // ground
    QGroupBox* GroupBox3 = nullptr;  // special
    QGroupBox* GroupBox4 = nullptr;  // air
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QListWidget* ListBox4 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;  // ground length
    QSpinBox* SpinEdit2 = nullptr;  // ground width
    QSpinBox* SpinEdit3 = nullptr;  // ground height
    QSpinBox* SpinEdit4 = nullptr;  // ground angle
    QSpinBox* SpinEdit5 = nullptr;  // air length
    QSpinBox* SpinEdit6 = nullptr;  // air width
    QSpinBox* SpinEdit7 = nullptr;  // air height
    QSpinBox* SpinEdit8 = nullptr;  // air angle
    QSpinBox* SpinEdit9 = nullptr;  // air level
    QSpinBox* SpinEdit10 = nullptr;  // air opacity
    QSpinBox* SpinEdit11 = nullptr;  // script area length
    QSpinBox* SpinEdit12 = nullptr;  // script area width
    QLineEdit* Edit1 = nullptr;      // extra parameter of a special object
    QLineEdit* Edit2 = nullptr;      // script name
    QWidget* Panel1 = nullptr;       // the script area's values, over the extra parameter
    QWidget* ParameterPanel = nullptr;
    // The surface tool's modes and the selection, beyond the placing of one record a click.
    QAbstractButton* BrushMode = nullptr;
    QAbstractButton* RectangleMode = nullptr;
    QAbstractButton* FloodMode = nullptr;
    QAbstractButton* SelectTool = nullptr;
    // Shown while the parameter a click stores would lose characters.
    QLabel* ParamWarning = nullptr;
};

// TFormTools: the always-on-top tool palette. Its controls choose what a click in the view adds.
class TFormTools : public QWidget {
public:
    explicit TFormTools(QWidget* owner);
    ~TFormTools() override;

    // Fires when any control's value changes, so the view can show the new preview.
    std::function<void()> OnChange;

    // The lists of the catalogues, each with its first entry selected ("Script"'s list: entry 1).
    void FillLists(const TCatalogueLists& lists);

    // The controls' values now.
    TToolSettings Settings() const;

    const TToolControls& Controls() const { return m_controls; }

    // Shows the group of the selected tool and hides the others.
    void ComboBox1Change();
    // After a mouse button is released over the special list: the script panel shows for "Script".
    void ListBox3MouseUp();

private:
    void BuildSurfaceGroup();
    void BuildGroundGroup();
    void BuildSpecialGroup();
    void BuildAirGroup();
    void ConnectChanges();
    void UpdateParamWarning();

    TToolControls m_controls;
    std::unique_ptr<QObject> m_listBox3Watcher;
};

}  // namespace editor
