#include "editor/app/editor_program.h"

#include "editor/app/command_line.h"
#include "editor/app/data_folder.h"
#include "editor/app/main_window.h"
#include "editor/app/map_view.h"
#include "editor/app/qt_services.h"
#include "editor/document/editor_texts.h"
#include "platform/random.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

namespace editor {
namespace {

constexpr int kUsageError = 2;

std::vector<std::string> ArgumentsAfterProgram(const QStringList& arguments) {
    std::vector<std::string> result;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        result.push_back(arguments[i].toStdString());
    }
    return result;
}

}  // namespace

int RunEditor(int argc, char** argv) {
    // --help needs no display, so it is answered before the window system is opened.
    if (ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc)).Help) {
        std::fputs(texts::kUsage, stdout);
        return 0;
    }
    ConfigureOpenGLFormat();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(texts::kApplicationTitle));
    const TCommandLine line = ParseCommandLine(ArgumentsAfterProgram(QApplication::arguments()));
    if (!line.Error.empty()) {
        std::fprintf(stderr, "%s\n%s", line.Error.c_str(), texts::kUsage);
        return kUsageError;
    }

    std::error_code ignored;
    // The map named on the command line is found from where the editor was started.
    std::optional<std::string> startFile;
    if (line.MapFile) {
        startFile = std::filesystem::absolute(*line.MapFile, ignored).string();
    }
    const std::filesystem::path folder = ChooseDataFolder(
        std::filesystem::current_path(ignored), QApplication::applicationDirPath().toStdString());
    std::filesystem::current_path(folder, ignored);

    platform::Randomize();
    InstallQtMessageReporter();

    TfrmGL window({}, startFile);
    window.show();
    return application.exec();
}

}  // namespace editor
