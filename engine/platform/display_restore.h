#pragma once

#include <cstdint>
#include <functional>

namespace engine {

// Keeps a switched display restorable when the program ends without unwinding its stack (exit(),
// std::terminate): while a guard lives, its action runs from the exit and terminate paths, once.
// Destroying the guard (the normal way out) drops the action without running it.
class DisplayRestoreGuard {
public:
    explicit DisplayRestoreGuard(std::function<void()> restore);
    ~DisplayRestoreGuard();
    DisplayRestoreGuard(const DisplayRestoreGuard&) = delete;
    DisplayRestoreGuard& operator=(const DisplayRestoreGuard&) = delete;

private:
    std::uint64_t m_id;
};

// Runs every registered action once and forgets it; the exit and terminate hooks call this.
void RestoreSwitchedDisplays();

}  // namespace engine
