#pragma once

#include <stdexcept>

namespace engine {

// Raised when an update is ended that was never begun.
class EGLUpdateError : public std::logic_error {
public:
    EGLUpdateError() : std::logic_error("Unbalanced Begin/EndUpdate") {}
};

// Begin/end update nesting shared by scene objects and the scene: changes inside are not signalled,
// the outermost end signals once.
class TGLUpdateCount {
public:
    void Begin() { ++m_count; }
    // True when this ended the outermost update.
    bool End() {
        if (m_count == 0) {
            throw EGLUpdateError();
        }
        return --m_count == 0;
    }
    bool Updating() const { return m_count > 0; }

private:
    int m_count = 0;
};

// Keeps an update balanced across early returns and exceptions.
template <class T>
class TGLUpdateScope {
public:
    explicit TGLUpdateScope(T* target) : m_target(target) {
        if (m_target) {
            m_target->BeginUpdate();
        }
    }
    TGLUpdateScope(const TGLUpdateScope&) = delete;
    TGLUpdateScope& operator=(const TGLUpdateScope&) = delete;
    ~TGLUpdateScope() {
        if (m_target) {
            m_target->EndUpdate();
        }
    }

private:
    T* m_target;
};

}  // namespace engine
