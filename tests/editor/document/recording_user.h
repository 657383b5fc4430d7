#pragma once

#include "editor/document/editor_services.h"
#include "editor/document/editor_texts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace editor {

// The user the editor's tests put in place of the dialogs: every message, error and question is
// recorded, and the answers are scripted in order. Once a script runs out, the file dialogs
// cancel, a yes/no question gets no and the save-changes question gets "don't save".
class RecordingUser {
protected:
    TEditorServices RecordingServices() {
        TEditorServices services;
        services.ShowMessage = [this](const std::string& text) { m_messages.push_back(text); };
        services.ShowError = [this](const std::string& text) { m_errors.push_back(text); };
        services.AskOpenFileName = [this] { return Next(m_answers, std::optional<std::string>()); };
        services.AskSaveFileName = [this] { return Next(m_answers, std::optional<std::string>()); };
        services.AskYesNo = [this](const std::string& text) {
            m_questions.push_back(text);
            return Next(m_yesNoAnswers, false);
        };
        services.AskSaveChanges = [this] {
            m_questions.push_back(texts::kUnsavedQuestion);
            return Next(m_saveAnswers, TSaveAnswer::Discard);
        };
        services.Terminate = [this] { m_terminated = true; };
        services.LoadRecentFiles = [this] { return m_recentFiles; };
        services.SaveRecentFiles = [this](const std::vector<std::string>& files) { m_recentFiles = files; };
        return services;
    }

    std::vector<std::string> m_messages;
    std::vector<std::string> m_errors;
    std::deque<std::optional<std::string>> m_answers;
    std::vector<std::string> m_questions;
    std::deque<bool> m_yesNoAnswers;
    std::deque<TSaveAnswer> m_saveAnswers;
    bool m_terminated = false;
    // The settings' recent maps, as the editor last kept them.
    std::vector<std::string> m_recentFiles;

private:
    template <typename Answer>
    static Answer Next(std::deque<Answer>& script, Answer whenOut) {
        if (script.empty()) {
            return whenOut;
        }
        Answer answer = script.front();
        script.pop_front();
        return answer;
    }
};

}  // namespace editor
