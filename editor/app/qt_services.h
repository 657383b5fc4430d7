#pragma once

#include "editor/document/editor_services.h"

class QWidget;

namespace editor {

// Fills the empty members with the Qt dialogs, owned by the given window.
void CompleteWithQtServices(TEditorServices& services, QWidget* owner);

// Sends the data layer's message boxes to real message boxes ("Error" with the error icon).
void InstallQtMessageReporter();

}  // namespace editor
