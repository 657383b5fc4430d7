#include "editor/app/editor_program.h"

#include "editor/app/data_folder.h"
#include "editor/app/editor_services.h"
#include "editor/app/editor_texts.h"
#include "editor/app/main_window.h"
#include "editor/app/map_view.h"
#include "platform/random.h"

#include <QApplication>

#include <filesystem>

namespace editor {

int RunEditor(int argc, char** argv) {
    ConfigureOpenGLFormat();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(texts::kApplicationTitle));

    std::error_code ignored;
    const std::filesystem::path folder = ChooseDataFolder(
        std::filesystem::current_path(ignored), QApplication::applicationDirPath().toStdString());
    std::filesystem::current_path(folder, ignored);

    platform::Randomize();
    InstallQtMessageReporter();

    TfrmGL window;
    window.show();
    return application.exec();
}

}  // namespace editor
