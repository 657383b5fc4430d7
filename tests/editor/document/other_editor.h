#pragma once

#include "editor/document/autosave_slot.h"
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace editor {

// An editor of another process that took its autosave in the folder, wrote it (when given bytes)
// and died without ending normally: its lock file stays, with no process holding the lock.
inline void CrashedEditor(const std::filesystem::path& folder,
                          const std::optional<std::vector<std::uint8_t>>& autosaveBytes) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const TAutosaveSlot slot = TAutosaveSlot::Take(folder);
        if (autosaveBytes) {
            platform::WriteFileAtomically(slot.Autosave().string(), *autosaveBytes);
        }
        // Gone without a destructor, as in a crash: the slot is never released.
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace editor
