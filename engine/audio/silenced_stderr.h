#pragma once

namespace engine {

// Sends the process's standard error to /dev/null for the guard's lifetime. Opening a sound device
// on a machine without one makes the system's audio libraries print a screen of errors; the game
// says it in one line of its own instead. Main thread only, while no other thread writes.
class TSilencedStderr {
public:
    TSilencedStderr();
    ~TSilencedStderr();
    TSilencedStderr(const TSilencedStderr&) = delete;
    TSilencedStderr& operator=(const TSilencedStderr&) = delete;

private:
    int m_saved = -1;
};

}  // namespace engine
