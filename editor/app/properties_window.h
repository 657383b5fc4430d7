#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace editor {

class TMap;

// TFormProp: the modeless map properties window, for the map's size and base surface. It always
// shows the values of the map on screen, so OK never applies another map's values.
class TFormProp : public QWidget {
public:
    TFormProp(const TMap& map, QWidget* owner);

    // Applies OK's values to the map (as one undoable step, with the base texture following).
    std::function<void(std::uint8_t sizeX, std::uint8_t sizeY, std::uint8_t surface)> OnApply;

    // The base-surface list, with its first entry selected.
    void SetSurfaceNames(const std::vector<std::string>& names);

    // Visible and in front of the other windows.
    void Open();

    // Applies the size and surface and closes.
    void Button1Click();

    // Takes the map's current values: at each showing and whenever the map changes under the
    // window (open, new, undo).
    void FormShow();

    QSpinBox* SpinEdit1() const { return m_spinEdit1; }
    QSpinBox* SpinEdit2() const { return m_spinEdit2; }
    QComboBox* ComboBox1() const { return m_comboBox1; }
    QPushButton* Button1() const { return m_button1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TMap& m_map;
    QSpinBox* m_spinEdit1 = nullptr;
    QSpinBox* m_spinEdit2 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QPushButton* m_button1 = nullptr;
};

}  // namespace editor
