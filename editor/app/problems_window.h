#pragma once

#include "editor/data/map_check.h"
#include "editor/data/map_file.h"

#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;

namespace editor {

// The checker's findings as a list in a tool window, one line each in Russian; choosing a line
// (a click, or Enter) hands its problem on, so the view can go to the record's cell.
class TFormProblems : public QWidget {
public:
    explicit TFormProblems(QWidget* owner);

    // The problems of the map they were found in; an empty list says there are none.
    void SetProblems(std::vector<TMapProblem> problems, const TMapData& map);
    QListWidget& List() const { return *m_list; }
    // Chooses the row, as a click on it does.
    void Choose(int row);

    std::function<void(const TMapProblem&)> OnChoose;

private:
    QListWidget* m_list = nullptr;
    std::vector<TMapProblem> m_problems;
};

}  // namespace editor
