#include "editor/app/tool_palette.h"

#include "editor/document/editor_texts.h"
#include "editor/view/catalogue_loader.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace editor {
namespace {

constexpr int kClientWidth = 234;
constexpr int kClientHeight = 284;
constexpr int kParamMaxLength = 20;
constexpr int kAngleStep = 10;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QSpinBox* AddSpin(QGridLayout* grid, const char* label, int minimum, int maximum, int start, int step = 1) {
    auto* spin = new QSpinBox;
    spin->setRange(minimum, maximum);
    spin->setValue(start);
    spin->setSingleStep(step);
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(Text(label)), row, 0);
    grid->addWidget(spin, row, 1);
    return spin;
}

QListWidget* NewList() {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void Fill(QListWidget* list, const std::vector<std::string>& entries, int selected) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(QString::fromStdString(entry));
    }
    if (selected < list->count()) {
        list->setCurrentRow(selected);
    }
}

// Calls the palette back when a mouse button is released over the special list.
class MouseUpWatcher : public QObject {
public:
    explicit MouseUpWatcher(TFormTools& tools) : m_tools(tools) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_tools.ListBox3MouseUp();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TFormTools& m_tools;
};

}  // namespace

TFormTools::TFormTools(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(Text(texts::kToolsCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    m_controls.ComboBox1 = new QComboBox;
    m_controls.ComboBox1->setEditable(false);
    m_controls.ComboBox1->addItems({Text(texts::kToolSurface), Text(texts::kToolGround), Text(texts::kToolSpecial),
                                    Text(texts::kToolAir)});
    m_controls.ComboBox1->setCurrentIndex(0);
    layout->addWidget(m_controls.ComboBox1);
    auto* select = new QPushButton(Text(texts::kSelectTool));
    select->setCheckable(true);
    m_controls.SelectTool = select;
    layout->addWidget(select);

    BuildSurfaceGroup();
    BuildGroundGroup();
    BuildSpecialGroup();
    BuildAirGroup();
    for (QGroupBox* group : {m_controls.GroupBox1, m_controls.GroupBox2, m_controls.GroupBox3, m_controls.GroupBox4}) {
        layout->addWidget(group, 1);
    }
    ComboBox1Change();
    QObject::connect(m_controls.ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    ConnectChanges();
    resize(kClientWidth, kClientHeight);
}

void TFormTools::ConnectChanges() {
    const auto changed = [this] {
        UpdateParamWarning();
        if (OnChange) {
            OnChange();
        }
    };
    QObject::connect(m_controls.ComboBox1, &QComboBox::currentIndexChanged, this, changed);
    for (QListWidget* list : findChildren<QListWidget*>()) {
        QObject::connect(list, &QListWidget::currentRowChanged, this, changed);
    }
    for (QSpinBox* spin : findChildren<QSpinBox*>()) {
        QObject::connect(spin, &QSpinBox::valueChanged, this, changed);
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        QObject::connect(edit, &QLineEdit::textChanged, this, changed);
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        QObject::connect(button, &QAbstractButton::toggled, this, changed);
    }
}

TFormTools::~TFormTools() {
    m_controls.ListBox3->viewport()->removeEventFilter(m_listBox3Watcher.get());
}

void TFormTools::BuildSurfaceGroup() {
    m_controls.GroupBox1 = new QGroupBox(Text(texts::kToolSurface));
    auto* layout = new QVBoxLayout(m_controls.GroupBox1);
    m_controls.ListBox1 = NewList();
    layout->addWidget(m_controls.ListBox1);
    auto* modes = new QHBoxLayout;
    auto* group = new QButtonGroup(m_controls.GroupBox1);
    for (auto [button, caption] : {std::pair{&m_controls.BrushMode, texts::kModeBrush},
                                   std::pair{&m_controls.RectangleMode, texts::kModeRectangle},
                                   std::pair{&m_controls.FloodMode, texts::kModeFlood}}) {
        auto* radio = new QRadioButton(Text(caption));
        group->addButton(radio);
        modes->addWidget(radio);
        *button = radio;
    }
    m_controls.BrushMode->setChecked(true);
    layout->addLayout(modes);
}

void TFormTools::BuildGroundGroup() {
    m_controls.GroupBox2 = new QGroupBox(Text(texts::kToolGround));
    auto* layout = new QVBoxLayout(m_controls.GroupBox2);
    m_controls.ListBox2 = NewList();
    layout->addWidget(m_controls.ListBox2, 1);
    auto* grid = new QGridLayout;
    m_controls.SpinEdit1 = AddSpin(grid, texts::kLength, 1, 100, 1);
    m_controls.SpinEdit2 = AddSpin(grid, texts::kWidth, 1, 100, 1);
    m_controls.SpinEdit3 = AddSpin(grid, texts::kHeight, 1, 10, 1);
    m_controls.SpinEdit4 = AddSpin(grid, texts::kAngle, 0, 360, 0, kAngleStep);
    layout->addLayout(grid);
}

void TFormTools::BuildSpecialGroup() {
    m_controls.GroupBox3 = new QGroupBox(Text(texts::kToolSpecial));
    auto* layout = new QVBoxLayout(m_controls.GroupBox3);
    m_controls.ListBox3 = NewList();
    layout->addWidget(m_controls.ListBox3, 1);

    m_controls.ParameterPanel = new QWidget;
    auto* parameter = new QVBoxLayout(m_controls.ParameterPanel);
    parameter->setContentsMargins(0, 0, 0, 0);
    parameter->addWidget(new QLabel(Text(texts::kExtraParameters)));
    m_controls.Edit1 = new QLineEdit;
    m_controls.Edit1->setMaxLength(kParamMaxLength);
    parameter->addWidget(m_controls.Edit1);
    layout->addWidget(m_controls.ParameterPanel);

    m_controls.Panel1 = new QWidget;
    auto* panel = new QVBoxLayout(m_controls.Panel1);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    m_controls.SpinEdit11 = AddSpin(grid, texts::kLength, 1, 20, 1);
    m_controls.SpinEdit12 = AddSpin(grid, texts::kWidth, 1, 20, 1);
    panel->addLayout(grid);
    // The folder goes above the name, so the name keeps room to be read in the narrow palette.
    panel->addWidget(new QLabel(Text(texts::kScriptFolder)));
    auto* script = new QHBoxLayout;
    script->setSpacing(2);
    m_controls.Edit2 = new QLineEdit(Text(texts::kDefaultScriptName));
    script->addWidget(m_controls.Edit2, 1);
    script->addWidget(new QLabel(Text(texts::kScriptExtension)));
    panel->addLayout(script);
    m_controls.Panel1->hide();
    layout->addWidget(m_controls.Panel1);

    m_controls.ParamWarning = new QLabel;
    m_controls.ParamWarning->setWordWrap(true);
    m_controls.ParamWarning->setStyleSheet("color: #b00000");
    m_controls.ParamWarning->hide();
    layout->addWidget(m_controls.ParamWarning);

    m_listBox3Watcher = std::make_unique<MouseUpWatcher>(*this);
    m_controls.ListBox3->viewport()->installEventFilter(m_listBox3Watcher.get());
}

void TFormTools::BuildAirGroup() {
    m_controls.GroupBox4 = new QGroupBox(Text(texts::kToolAir));
    auto* layout = new QVBoxLayout(m_controls.GroupBox4);
    m_controls.ListBox4 = NewList();
    layout->addWidget(m_controls.ListBox4, 1);
    auto* grid = new QGridLayout;
    m_controls.SpinEdit5 = AddSpin(grid, texts::kLength, 1, 20, 1);
    m_controls.SpinEdit6 = AddSpin(grid, texts::kWidth, 1, 20, 1);
    m_controls.SpinEdit7 = AddSpin(grid, texts::kHeight, 1, 7, 1);
    m_controls.SpinEdit8 = AddSpin(grid, texts::kAngle, 0, 360, 0, kAngleStep);
    m_controls.SpinEdit9 = AddSpin(grid, texts::kLevel, -10, 20, 0);
    m_controls.SpinEdit10 = AddSpin(grid, texts::kOpacity, 0, 255, 255);
    layout->addLayout(grid);
}

void TFormTools::FillLists(const TCatalogueLists& lists) {
    Fill(m_controls.ListBox1, lists.Surfaces, 0);
    Fill(m_controls.ListBox2, lists.Ground, 0);
    Fill(m_controls.ListBox4, lists.Air, 0);
    Fill(m_controls.ListBox3, lists.Specials, 1);
}

TToolSettings TFormTools::Settings() const {
    const TToolControls& c = m_controls;
    TToolSettings settings;
    settings.Tool = static_cast<TTool>(c.ComboBox1->currentIndex());
    settings.SurfaceIndex = c.ListBox1->currentRow();
    settings.SurfaceMode = c.RectangleMode->isChecked() ? TSurfaceMode::Rectangle
                           : c.FloodMode->isChecked()   ? TSurfaceMode::Flood
                                                        : TSurfaceMode::Brush;
    settings.Selecting = c.SelectTool->isChecked();
    settings.GroundIndex = c.ListBox2->currentRow();
    settings.GroundLength = c.SpinEdit1->value();
    settings.GroundWidth = c.SpinEdit2->value();
    settings.GroundHeight = c.SpinEdit3->value();
    settings.GroundAngle = c.SpinEdit4->value();
    settings.SpecialIndex = c.ListBox3->currentRow();
    settings.SpecialParam = c.Edit1->text().toStdString();
    settings.ScriptLength = c.SpinEdit11->value();
    settings.ScriptWidth = c.SpinEdit12->value();
    settings.ScriptName = c.Edit2->text().toStdString();
    settings.AirIndex = c.ListBox4->currentRow();
    settings.AirLength = c.SpinEdit5->value();
    settings.AirWidth = c.SpinEdit6->value();
    settings.AirHeight = c.SpinEdit7->value();
    settings.AirAngle = c.SpinEdit8->value();
    settings.AirLevel = c.SpinEdit9->value();
    settings.AirOpacity = c.SpinEdit10->value();
    return settings;
}

void TFormTools::ComboBox1Change() {
    const std::array<QGroupBox*, 4> groups = {m_controls.GroupBox1, m_controls.GroupBox2, m_controls.GroupBox3,
                                              m_controls.GroupBox4};
    for (QGroupBox* group : groups) {
        group->hide();
    }
    const int tool = m_controls.ComboBox1->currentIndex();
    if (tool >= 0 && tool < static_cast<int>(groups.size())) {
        groups[static_cast<std::size_t>(tool)]->show();
    }
}

void TFormTools::UpdateParamWarning() {
    const TStoredParam stored = SpecialParam(Settings());
    std::string warning;
    if (stored.Cut) {
        warning += std::string(texts::kParamCut) + "\"" + SpecialParamText(stored.Param) + "\"";
    }
    if (stored.Replaced) {
        warning += std::string(warning.empty() ? "" : "\n") + texts::kParamReplaced;
    }
    m_controls.ParamWarning->setText(QString::fromStdString(warning));
    m_controls.ParamWarning->setVisible(!warning.empty());
}

void TFormTools::ListBox3MouseUp() {
    const bool script = m_controls.ListBox3->currentRow() == 0;
    m_controls.Panel1->setVisible(script);
    m_controls.ParameterPanel->setVisible(!script);
}

}  // namespace editor
