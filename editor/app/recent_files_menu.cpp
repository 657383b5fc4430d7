#include "editor/app/recent_files_menu.h"

#include "editor/document/editor_texts.h"
#include "editor/document/recent_files.h"

#include <QAction>
#include <QMenu>

#include <filesystem>
#include <utility>

namespace editor {

TRecentFilesMenu::TRecentFilesMenu(QMenu& menu, const TEditorServices& services)
    : m_menu(menu), m_services(services) {
    // The settings may hold anything: each name once, the newest kept, at most the limit.
    const std::vector<std::string> stored = m_services.LoadRecentFiles();
    for (auto file = stored.rbegin(); file != stored.rend(); ++file) {
        if (!file->empty()) {
            m_files = WithRecentFile(std::move(m_files), *file);
        }
    }
    Rebuild();
}

void TRecentFilesMenu::Remember(const std::string& fileName) {
    if (!fileName.empty()) {
        Keep(WithRecentFile(m_files, fileName));
    }
}

void TRecentFilesMenu::Choose(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        Keep(WithoutRecentFile(m_files, fileName));
        m_services.ShowMessage(texts::kRecentMissing + fileName);
        return;
    }
    if (OnOpen) {
        OnOpen(fileName);
    }
}

void TRecentFilesMenu::Keep(std::vector<std::string> files) {
    if (files == m_files) {
        return;
    }
    m_files = std::move(files);
    m_services.SaveRecentFiles(m_files);
    Rebuild();
}

void TRecentFilesMenu::Rebuild() {
    // The chosen entry may be the one whose signal runs now: it goes once the signal is done.
    for (QAction* action : m_menu.actions()) {
        m_menu.removeAction(action);
        action->deleteLater();
    }
    for (const std::string& file : m_files) {
        m_menu.addAction(QString::fromStdString(file), [this, file] { Choose(file); });
    }
    m_menu.setEnabled(!m_files.empty());
}

}  // namespace editor
