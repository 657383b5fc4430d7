#pragma once

#include "engine/scene/world.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace engine::test {

inline void ExpectVec(const TVec4& actual, const TVec4& expected, float eps = 1e-4f) {
    EXPECT_NEAR(actual.X, expected.X, eps);
    EXPECT_NEAR(actual.Y, expected.Y, eps);
    EXPECT_NEAR(actual.Z, expected.Z, eps);
    EXPECT_NEAR(actual.W, expected.W, eps);
}

inline void ExpectMat(const TMat4& actual, const TMat4& expected, float eps = 1e-4f) {
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        ExpectVec(actual[r], expected[r], eps);
    }
}

// Stands in for the light source: takes a slot while in a scene.
class TestLight : public TGLBaseSceneObject {
public:
    int slot = -1;

protected:
    void SceneJoined() override { slot = Scene()->AddLight(*this); }
    void SceneLeaving() override {
        Scene()->RemoveLight(*this);
        slot = -1;
    }
};

// Stands in for the camera; records into a shared log when destroyed.
class TestCamera : public TGLBaseSceneObject {
public:
    explicit TestCamera(std::vector<std::string>* log = nullptr) : m_log(log) {}
    ~TestCamera() override {
        if (m_log) {
            m_log->push_back(Name());
        }
    }
    bool IsCamera() const override { return true; }

private:
    std::vector<std::string>* m_log;
};

// A plain node that logs its destruction.
class LoggedNode : public TGLBaseSceneObject {
public:
    explicit LoggedNode(std::vector<std::string>* log) : m_log(log) {}
    ~LoggedNode() override { m_log->push_back(Name()); }

private:
    std::vector<std::string>* m_log;
};

// Counts the change signals the scene forwards.
class CountingBuffer : public TGLAttachedBuffer {
public:
    void SceneChanged(TGLWorld&) override { ++changes; }
    void SceneDestroying(TGLWorld&) override { ++destroying; }
    int changes = 0;
    int destroying = 0;
};

}  // namespace engine::test
