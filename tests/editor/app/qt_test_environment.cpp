#include "editor/document/editor_texts.h"
#include "editor/app/map_view.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace editor {
namespace {

// The one application object of the test program: made before the first test and destroyed after
// the last, while Qt's own globals still exist (gtest_main owns main).
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ConfigureOpenGLFormat();
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        QApplication::setApplicationName(QString::fromUtf8(texts::kApplicationTitle));
        // Tests close main windows; a quit left pending would end the next message box's loop.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "test_editor_app";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

}  // namespace
}  // namespace editor
