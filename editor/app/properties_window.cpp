#include "editor/app/properties_window.h"

#include "editor/data/map.h"
#include "editor/document/editor_texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

namespace editor {
namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 114;
constexpr int kSizeMin = 4;
constexpr int kSizeMax = 255;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QSpinBox* NewSizeBox() {
    auto* spin = new QSpinBox;
    spin->setRange(kSizeMin, kSizeMax);
    spin->setValue(kSizeMin);
    return spin;
}

}  // namespace

TFormProp::TFormProp(const TMap& map, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      m_map(map) {
    setWindowTitle(Text(texts::kPropertiesCaption));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Text(texts::kMapSize)), 0, 0);
    auto* size = new QHBoxLayout;
    m_spinEdit1 = NewSizeBox();
    m_spinEdit2 = NewSizeBox();
    size->addWidget(m_spinEdit1, 1);
    size->addWidget(new QLabel(Text(texts::kSizeSeparator)));
    size->addWidget(m_spinEdit2, 1);
    grid->addLayout(size, 0, 1);
    grid->addWidget(new QLabel(Text(texts::kBaseSurface)), 1, 0);
    m_comboBox1 = new QComboBox;
    m_comboBox1->setEditable(false);
    grid->addWidget(m_comboBox1, 1, 1);
    m_button1 = new QPushButton(Text(texts::kOk));
    m_button1->setDefault(true);
    grid->addWidget(m_button1, 2, 1, Qt::AlignRight);
    QObject::connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    setFixedSize(kClientWidth, kClientHeight);
}

void TFormProp::SetSurfaceNames(const std::vector<std::string>& names) {
    m_comboBox1->clear();
    for (const std::string& name : names) {
        m_comboBox1->addItem(QString::fromStdString(name));
    }
    m_comboBox1->setCurrentIndex(names.empty() ? -1 : 0);
}

void TFormProp::Open() {
    show();
    raise();
    activateWindow();
}

void TFormProp::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        if (QWidget* owner = parentWidget()) {
            move(owner->geometry().center() - rect().center());
        }
        FormShow();
    }
}

void TFormProp::FormShow() {
    const TMapHeader& header = m_map.Header();
    m_spinEdit1->setValue(header.SizeX);
    m_spinEdit2->setValue(header.SizeY);
    m_comboBox1->setCurrentIndex(header.Surface < m_comboBox1->count() ? header.Surface : -1);
}

void TFormProp::Button1Click() {
    // A map whose surface the list lacks shows no entry; OK then keeps its surface.
    const int selected = m_comboBox1->currentIndex();
    const std::uint8_t surface = selected < 0 ? m_map.Header().Surface : static_cast<std::uint8_t>(selected);
    if (OnApply) {
        OnApply(static_cast<std::uint8_t>(m_spinEdit1->value()), static_cast<std::uint8_t>(m_spinEdit2->value()),
                surface);
    }
    close();
}

}  // namespace editor
