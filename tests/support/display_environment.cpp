#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

namespace {

// Every GL test program holds its one display connection from before its first test, also where
// its tests open windows of their own (viewers, screen windows, cursors) rather than a GLTestContext.
class DisplayEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_NO_THROW(tests::HoldDisplay()); }
};

testing::Environment* const kDisplay = testing::AddGlobalTestEnvironment(new DisplayEnvironment);

}  // namespace
