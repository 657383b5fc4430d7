#pragma once

#include <functional>
#include <string>

namespace editor {

// How the editor's data layer shows a message box without depending on a window toolkit: the
// application installs a reporter that opens a real box, tests install one that records.
using MessageReporter = std::function<void(const std::string& caption, const std::string& text)>;

// Installs the reporter (an empty one restores the default, which writes to standard error) and
// returns the previous one, never empty, so a caller can pass messages on to it or put it back.
MessageReporter SetMessageReporter(MessageReporter reporter);

// Shows a message box with the caption and text through the installed reporter.
void ShowMessage(const std::string& caption, const std::string& text);

}  // namespace editor
