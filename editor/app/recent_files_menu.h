#pragma once

#include "editor/document/editor_services.h"

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace editor {

// The "Недавние карты" submenu: the last maps opened or saved, newest first, kept in the settings.
// A file that is gone when chosen is said and dropped from the list.
class TRecentFilesMenu {
public:
    // Reads the list from the settings and fills the submenu.
    TRecentFilesMenu(QMenu& menu, const TEditorServices& services);

    // The map now has this name: it goes to the top of the list.
    void Remember(const std::string& fileName);
    const std::vector<std::string>& Files() const { return m_files; }

    // Opens a chosen file that exists.
    std::function<void(const std::string& fileName)> OnOpen;

private:
    void Choose(const std::string& fileName);
    void Keep(std::vector<std::string> files);
    void Rebuild();

    QMenu& m_menu;
    const TEditorServices& m_services;
    std::vector<std::string> m_files;
};

}  // namespace editor
