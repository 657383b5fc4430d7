#include "editor/app/qt_services.h"

#include "editor/data/message_reporter.h"
#include "editor/document/editor_texts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QPushButton>
#include <QSettings>

#include <utility>
#include <vector>

namespace editor {
namespace {

constexpr char kErrorCaption[] = "Error";
constexpr char kSettingsOwner[] = "atlas";
constexpr char kRecentFilesKey[] = "recentFiles";

// The box runs its own event loop, in which the view paints and Qt may compose the window with
// another context; a caller that was making textures gets its context back afterwards.
void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const std::string& text) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QSurface* surface = context != nullptr ? context->surface() : nullptr;
    QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
    if (surface != nullptr) {
        context->makeCurrent(surface);
    }
}

// A question box with Russian buttons; the first button is the default.
template <typename Answer>
Answer Ask(QWidget* owner, const std::string& text, const std::vector<std::pair<const char*, Answer>>& buttons,
           Answer onEscape) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::NoButton, owner);
    std::vector<std::pair<QAbstractButton*, Answer>> made;
    for (const auto& [caption, answer] : buttons) {
        QPushButton* button = box.addButton(QString::fromUtf8(caption), QMessageBox::AcceptRole);
        made.emplace_back(button, answer);
        if (answer == onEscape) {
            box.setEscapeButton(button);
        }
    }
    box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
    box.exec();
    for (const auto& [button, answer] : made) {
        if (box.clickedButton() == button) {
            return answer;
        }
    }
    return onEscape;
}

std::optional<std::string> PickedName(const QString& name) {
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name.toStdString();
}

std::optional<std::string> AskMapFile(QWidget* owner, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, QString(), QString(), QString::fromUtf8(texts::kMapFileFilter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromUtf8(texts::kMapFileSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return PickedName(dialog.selectedFiles().front());
}

}  // namespace

void CompleteWithQtServices(TEditorServices& services, QWidget* owner) {
    if (!services.ShowMessage) {
        services.ShowMessage = [owner](const std::string& text) {
            ShowBox(owner, QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
        };
    }
    if (!services.ShowError) {
        services.ShowError = [owner](const std::string& text) {
            ShowBox(owner, QMessageBox::Critical, QCoreApplication::applicationName(), text);
        };
    }
    if (!services.AskOpenFileName) {
        services.AskOpenFileName = [owner] { return AskMapFile(owner, QFileDialog::AcceptOpen); };
    }
    if (!services.AskSaveFileName) {
        services.AskSaveFileName = [owner] { return AskMapFile(owner, QFileDialog::AcceptSave); };
    }
    if (!services.AskYesNo) {
        services.AskYesNo = [owner](const std::string& text) {
            return Ask<bool>(owner, text, {{texts::kAnswerYes, true}, {texts::kAnswerNo, false}}, false);
        };
    }
    if (!services.AskSaveChanges) {
        services.AskSaveChanges = [owner] {
            return Ask<TSaveAnswer>(owner, texts::kUnsavedQuestion,
                                    {{texts::kAnswerSave, TSaveAnswer::Save},
                                     {texts::kAnswerDiscard, TSaveAnswer::Discard},
                                     {texts::kAnswerCancel, TSaveAnswer::Cancel}},
                                    TSaveAnswer::Cancel);
        };
    }
    if (!services.Terminate) {
        services.Terminate = [] { QCoreApplication::exit(1); };
    }
    if (!services.LoadRecentFiles) {
        services.LoadRecentFiles = [] {
            std::vector<std::string> files;
            for (const QString& file : QSettings(kSettingsOwner, kSettingsOwner).value(kRecentFilesKey).toStringList()) {
                files.push_back(file.toStdString());
            }
            return files;
        };
    }
    if (!services.SaveRecentFiles) {
        services.SaveRecentFiles = [](const std::vector<std::string>& files) {
            QStringList list;
            for (const std::string& file : files) {
                list << QString::fromStdString(file);
            }
            QSettings(kSettingsOwner, kSettingsOwner).setValue(kRecentFilesKey, list);
        };
    }
}

void InstallQtMessageReporter() {
    SetMessageReporter([](const std::string& caption, const std::string& text) {
        const QMessageBox::Icon icon = caption == kErrorCaption ? QMessageBox::Critical : QMessageBox::NoIcon;
        ShowBox(nullptr, icon, QString::fromStdString(caption), text);
    });
}

}  // namespace editor
