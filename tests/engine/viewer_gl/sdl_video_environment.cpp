#include "engine/platform/sdl_video.h"

#include <gtest/gtest.h>

namespace {

// One display connection for the whole program: the viewers' windows join it instead of opening
// (and now and then being refused) one each.
class SdlVideoEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_held = engine::AcquireSdlVideo();
        ASSERT_TRUE(m_held) << "no display";
    }
    void TearDown() override {
        if (m_held) {
            engine::ReleaseSdlVideo();
        }
    }

private:
    bool m_held = false;
};

testing::Environment* const kSdlVideo = testing::AddGlobalTestEnvironment(new SdlVideoEnvironment);

}  // namespace
