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

// TFormProp: the modeless map properties window, for the map's size and base surface.
class TFormProp : public QWidget {
public:
    TFormProp(TMap& map, QWidget* owner);

    // Loads the base texture of a surface chosen with OK (only when it changed).
    std::function<void(std::uint8_t surface)> OnBaseSurfaceChanged;

    // The base-surface list, with its first entry selected.
    void SetSurfaceNames(const std::vector<std::string>& names);

    // Visible and in front of the other windows.
    void Open();

    // Applies the size and surface and closes.
    void Button1Click();

    QSpinBox* SpinEdit1() const { return m_spinEdit1; }
    QSpinBox* SpinEdit2() const { return m_spinEdit2; }
    QComboBox* ComboBox1() const { return m_comboBox1; }
    QPushButton* Button1() const { return m_button1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Each showing takes the map's current values.
    void FormShow();

    TMap& m_map;
    QSpinBox* m_spinEdit1 = nullptr;
    QSpinBox* m_spinEdit2 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QPushButton* m_button1 = nullptr;
    int m_shownSurface = 0;
};

}  // namespace editor
