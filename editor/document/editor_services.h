#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace editor {

enum class TSaveAnswer { Save, Discard, Cancel };

// What the editor asks of the user and the platform. The editor fills every empty member
// with the real dialog; tests put recorders and scripted answers in their place.
struct TEditorServices {
    // The standard message dialog: the application title as caption, one OK button.
    std::function<void(const std::string& text)> ShowMessage;
    // The general error box for an error no command handled: error icon, the program goes on.
    std::function<void(const std::string& text)> ShowError;
    // The file dialogs for .map files; nothing when the user cancels.
    std::function<std::optional<std::string>()> AskOpenFileName;
    std::function<std::optional<std::string>()> AskSaveFileName;
    // A question with "Да" and "Нет"; true for yes.
    std::function<bool(const std::string& text)> AskYesNo;
    // "Сохранить изменения в карте?" with save, don't save and cancel.
    std::function<TSaveAnswer()> AskSaveChanges;
    // Ends the program after a failed start.
    std::function<void()> Terminate;
    // The recent maps kept between runs in the platform's settings, newest first.
    std::function<std::vector<std::string>()> LoadRecentFiles;
    std::function<void(const std::vector<std::string>& files)> SaveRecentFiles;
};

}  // namespace editor
