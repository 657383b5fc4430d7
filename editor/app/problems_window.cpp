#include "editor/app/problems_window.h"

#include "editor/document/editor_texts.h"
#include "editor/document/problem_text.h"

#include <QListWidget>
#include <QVBoxLayout>

#include <utility>

namespace editor {
namespace {

constexpr int kStartWidth = 520;
constexpr int kStartHeight = 260;

}  // namespace

TFormProblems::TFormProblems(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle(QString::fromUtf8(texts::kProblemsCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_list = new QListWidget;
    layout->addWidget(m_list);
    QObject::connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Choose(m_list->row(item)); });
    QObject::connect(m_list, &QListWidget::itemActivated, this,
                     [this](QListWidgetItem* item) { Choose(m_list->row(item)); });
    resize(kStartWidth, kStartHeight);
}

void TFormProblems::SetProblems(std::vector<TMapProblem> problems, const TMapData& map) {
    m_problems = std::move(problems);
    m_list->clear();
    for (const TMapProblem& problem : m_problems) {
        m_list->addItem(QString::fromStdString(ProblemText(problem, map)));
    }
    if (m_problems.empty()) {
        auto* none = new QListWidgetItem(QString::fromUtf8(texts::kNoProblems));
        none->setFlags(Qt::NoItemFlags);
        m_list->addItem(none);
    }
}

void TFormProblems::Choose(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < m_problems.size() && OnChoose) {
        m_list->setCurrentRow(row);
        OnChoose(m_problems[static_cast<std::size_t>(row)]);
    }
}

}  // namespace editor
