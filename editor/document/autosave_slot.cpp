#include "editor/document/autosave_slot.h"

#include "platform/paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>

namespace editor {
namespace {

namespace fs = std::filesystem;
using namespace autosave_files;

// An owner that removes its lock file between our open and our lock leaves us a lock on a file
// nobody else sees; so few retries are ever needed that more mean something else is wrong.
constexpr int kLockRetries = 100;

enum class TLockState { Busy, Taken, Unavailable };

struct TLockAttempt {
    TLockState State = TLockState::Unavailable;
    int Fd = -1;
    // The file held an owner's id: its owner did not end normally.
    bool Stale = false;
    timespec Modified{};
};

TLockAttempt TryLock(const fs::path& lock) {
    for (int attempt = 0; attempt < kLockRetries; ++attempt) {
        const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            return {};
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return {busy ? TLockState::Busy : TLockState::Unavailable};
        }
        struct stat held;
        struct stat named;
        if (::fstat(fd, &held) == 0 && ::stat(lock.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            return {TLockState::Taken, fd, held.st_size > 0, held.st_mtim};
        }
        ::close(fd);
    }
    return {TLockState::Busy};
}

bool NotOlder(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec >= b.tv_nsec;
}

// Whether the autosave was written after its last owner started, as its lock file's time says.
bool WrittenSince(const fs::path& autosave, const timespec& ownerStart) {
    struct stat info;
    return platform::ExactFileExists(autosave.string()) && ::stat(autosave.c_str(), &info) == 0 &&
           NotOlder(info.st_mtim, ownerStart);
}

void WriteOwner(int fd) {
    const std::string id = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        // The id is for people looking at the folder; the lock alone decides.
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, id.data(), id.size(), 0);
    }
}

}  // namespace

std::string AutosaveName(int number) {
    return std::string(kStem) + (number == 1 ? "" : "-" + std::to_string(number)) + kExtension;
}

TAutosaveSlot TAutosaveSlot::Take(const fs::path& folder) {
    std::optional<TAutosaveSlot> free;
    bool othersRunning = false;
    const auto claim = [&othersRunning](TAutosaveSlot slot) {
        slot.m_othersRunning = othersRunning;
        WriteOwner(slot.m_fd);
        return slot;
    };
    for (int number = 1; number <= kMaxEditors; ++number) {
        TAutosaveSlot slot(folder / AutosaveName(number), number);
        slot.m_lock = fs::path(slot.m_autosave.string() + kLockExtension);
        std::error_code ignored;
        // Past the first free autosave only a lock file a crashed editor left is of interest.
        if (free && !fs::exists(fs::symlink_status(slot.m_lock, ignored))) {
            continue;
        }
        const TLockAttempt attempt = TryLock(slot.m_lock);
        if (attempt.State != TLockState::Taken) {
            othersRunning = othersRunning || attempt.State == TLockState::Busy;
            continue;
        }
        // Held from here, so a slot that is not kept removes its (empty) lock file again.
        slot.m_fd = attempt.Fd;
        if (attempt.Stale) {
            slot.m_leftByCrash = WrittenSince(slot.m_autosave, attempt.Modified);
            return claim(std::move(slot));
        }
        if (!free) {
            free.emplace(std::move(slot));
        }
    }
    if (free) {
        return claim(std::move(*free));
    }
    TAutosaveSlot unlocked(folder / AutosaveName(1), 1);
    unlocked.m_othersRunning = othersRunning;
    return unlocked;
}

TAutosaveSlot::TAutosaveSlot(TAutosaveSlot&& other) noexcept
    : m_autosave(std::move(other.m_autosave)),
      m_lock(std::move(other.m_lock)),
      m_number(other.m_number),
      m_fd(std::exchange(other.m_fd, -1)),
      m_othersRunning(other.m_othersRunning),
      m_leftByCrash(other.m_leftByCrash) {}

TAutosaveSlot& TAutosaveSlot::operator=(TAutosaveSlot&& other) noexcept {
    if (this != &other) {
        Release();
        m_autosave = std::move(other.m_autosave);
        m_lock = std::move(other.m_lock);
        m_number = other.m_number;
        m_fd = std::exchange(other.m_fd, -1);
        m_othersRunning = other.m_othersRunning;
        m_leftByCrash = other.m_leftByCrash;
    }
    return *this;
}

TAutosaveSlot::~TAutosaveSlot() {
    Release();
}

void TAutosaveSlot::Release() {
    if (m_fd < 0) {
        return;
    }
    // Removed while still locked: an editor that opened the file meanwhile sees that it is gone.
    ::unlink(m_lock.c_str());
    ::close(m_fd);
    m_fd = -1;
}

}  // namespace editor
