#pragma once

#include <filesystem>
#include <string>
#include <utility>

namespace editor {

namespace autosave_files {
constexpr char kStem[] = "Temp";
constexpr char kExtension[] = ".map";
constexpr char kLockExtension[] = ".lock";
// Editors that can run side by side in one folder, each with an autosave of its own.
constexpr int kMaxEditors = 16;
}  // namespace autosave_files

// The autosave of the n-th editor in a folder: "Temp.map", then "Temp-2.map", "Temp-3.map", ...
std::string AutosaveName(int number);

// The autosave this editor writes, held against the other editors of the folder by a lock file
// beside it ("Temp.map.lock"): the owner's process id under an OS lock (flock), which the system
// drops when the owner dies. A normal end removes the lock file; a lock file that still holds an
// id but no lock was left by an editor that did not end normally.
class TAutosaveSlot {
public:
    // Takes the folder's autosave that a crashed editor left, else the first one no running editor
    // holds. A folder where no lock file can be made (one that cannot be written) gives "Temp.map"
    // without a lock: there is nothing to tell apart, and the autosave reports its own failures.
    // So does a folder where kMaxEditors editors run already.
    static TAutosaveSlot Take(const std::filesystem::path& folder);

    TAutosaveSlot(TAutosaveSlot&& other) noexcept;
    TAutosaveSlot& operator=(TAutosaveSlot&& other) noexcept;
    TAutosaveSlot(const TAutosaveSlot&) = delete;
    TAutosaveSlot& operator=(const TAutosaveSlot&) = delete;
    // The normal end: the lock file goes, so the next editor offers nothing.
    ~TAutosaveSlot();

    const std::filesystem::path& Autosave() const { return m_autosave; }
    // 1 for "Temp.map".
    int Number() const { return m_number; }
    // A running editor held an autosave this one passed over.
    bool OthersRunning() const { return m_othersRunning; }
    // The editor that held this autosave before did not end normally, and wrote the autosave
    // after it started: the file holds its last work.
    bool LeftByCrash() const { return m_leftByCrash; }

private:
    TAutosaveSlot(std::filesystem::path autosave, int number) : m_autosave(std::move(autosave)), m_number(number) {}
    void Release();

    std::filesystem::path m_autosave;
    std::filesystem::path m_lock;
    int m_number = 1;
    int m_fd = -1;
    bool m_othersRunning = false;
    bool m_leftByCrash = false;
};

}  // namespace editor
