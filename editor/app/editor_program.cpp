#include "editor/app/editor_program.h"

#include "editor/app/command_line.h"
#include "editor/app/main_window.h"
#include "editor/app/map_view.h"
#include "editor/app/qt_services.h"
#include "editor/document/editor_texts.h"
#include "editor/view/data_folder.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/version.h"
#include "platform/write_folder.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

namespace editor {
namespace {

constexpr char kProgramName[] = "atlas";
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
    // --help and --version need no display, so they are answered before the window system is opened.
    const TCommandLine early = ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (early.Help) {
        std::fputs(texts::kUsage, stdout);
        return 0;
    }
    if (early.Version) {
        std::fputs(platform::VersionLine(kProgramName).c_str(), stdout);
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
    const std::filesystem::path current = std::filesystem::current_path(ignored);
    const std::filesystem::path dataFolder =
        ChooseDataFolder(current, platform::ProgramFolder(argc > 0 ? argv[0] : ""));
    // What the editor writes of its own (the autosave, its lock and backups) goes to the current
    // folder, or where the user's own files go when that is not writable, as an installed data
    // folder is not; the chosen folder becomes the current one that EditorFilesFolder reports.
    std::filesystem::path writeFolder = current;
    try {
        const std::filesystem::path chosen =
            platform::ChooseWriteFolder(current, kProgramName, platform::CurrentUserFolders());
        std::filesystem::current_path(chosen);
        writeFolder = chosen;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kProgramName, error.what());
    }

    platform::Randomize();
    InstallQtMessageReporter();

    TfrmGL window({}, startFile, dataFolder == writeFolder ? std::filesystem::path() : dataFolder);
    window.show();
    return application.exec();
}

}  // namespace editor
