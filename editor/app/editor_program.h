#pragma once

namespace editor {

// The editor's program: the application with its title, the three windows, the message loop.
// Returns the program's exit status.
int RunEditor(int argc, char** argv);

}  // namespace editor
