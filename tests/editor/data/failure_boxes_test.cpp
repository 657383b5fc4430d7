#include "editor/data/failure_boxes.h"

#include "editor/data/message_reporter.h"
#include "tests/editor/data/data_test_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace editor {
namespace {

using FailureBoxesTest = DataTestFixture;

// A texture that fails shows two boxes, one that loads none, and one of another extension fails
// without a box: only the first three failures reach the user, the rest are counted.
TEST_F(FailureBoxesTest, TheFirstFailuresShowTheirBoxesTheRestAreCounted) {
    TFailureBoxes failures(3);
    const auto missing = [](const std::string& name) {
        return [name] {
            ShowMessage("Error", "Record \"" + name + "\" not found");
            ShowMessage("BMP Unit", "Couldn't load BMP from stream");
        };
    };
    for (int i = 0; i < 300; ++i) {
        const std::string name = "t" + std::to_string(i) + ".bmp";
        failures.Run(name, i % 3 == 1 ? std::function<void()>([] {}) : missing(name));
        failures.Run("silent.jpeg", [] {});
    }
    EXPECT_EQ(m_messages.size(), 6u);
    EXPECT_EQ(m_messages.front(), "Error|Record \"t0.bmp\" not found");
    EXPECT_EQ(m_messages.back(), "BMP Unit|Couldn't load BMP from stream");
    EXPECT_EQ(failures.HeldBack(), 200u - 3u);
    ASSERT_EQ(failures.HeldBackNames().size(), failure_boxes::kListedNames);
    EXPECT_EQ(failures.HeldBackNames().front(), "t5.bmp");

    ShowMessage("Later", "reaches the user");
    EXPECT_EQ(m_messages.back(), "Later|reaches the user") << "the reporter is back in place";
}

TEST_F(FailureBoxesTest, ALoadThatThrowsPutsTheReporterBack) {
    TFailureBoxes failures(0);
    EXPECT_THROW(failures.Run("mesh.qzm", [] { throw std::runtime_error("malformed"); }), std::runtime_error);
    ShowMessage("Error", "after");
    EXPECT_EQ(m_messages, std::vector<std::string>{"Error|after"});
}

}  // namespace
}  // namespace editor
