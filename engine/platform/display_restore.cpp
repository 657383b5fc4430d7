#include "engine/platform/display_restore.h"

#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

namespace engine {
namespace {

struct Action {
    std::uint64_t id;
    std::function<void()> restore;
};

std::terminate_handler g_previousTerminate = nullptr;

void RestoreAtExit() { RestoreSwitchedDisplays(); }

[[noreturn]] void RestoreAtTerminate() {
    RestoreSwitchedDisplays();
    if (g_previousTerminate) {
        g_previousTerminate();
    }
    std::abort();
}

std::vector<Action>& Actions() {
    // Never destroyed: a guard inside a static object may still unregister during static destruction.
    static auto* actions = [] {
        std::atexit(RestoreAtExit);
        g_previousTerminate = std::set_terminate(RestoreAtTerminate);
        return new std::vector<Action>;
    }();
    return *actions;
}

}  // namespace

DisplayRestoreGuard::DisplayRestoreGuard(std::function<void()> restore) {
    static std::uint64_t nextId = 1;
    m_id = nextId++;
    Actions().push_back({m_id, std::move(restore)});
}

DisplayRestoreGuard::~DisplayRestoreGuard() {
    std::erase_if(Actions(), [this](const Action& action) { return action.id == m_id; });
}

void RestoreSwitchedDisplays() {
    // Taken out first, so a restore that ends the process again cannot run any action twice.
    std::vector<Action> pending = std::exchange(Actions(), {});
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        try {
            it->restore();
        } catch (...) {
            // The process is ending; the other displays must still be restored.
        }
    }
}

}  // namespace engine
