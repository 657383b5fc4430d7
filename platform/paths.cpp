#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The entry of the folder whose name equals the wanted one but for case; the smallest such name
// when several do, so the choice does not depend on the folder's listing order.
std::string MatchInFolder(const std::string& folder, std::string_view wanted) {
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? "." : folder, error);
    std::string best;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (EqualIgnoringCase(name, wanted) && (best.empty() || name < best)) {
            best = name;
        }
    }
    return best;
}

std::string Join(const std::string& folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    if (folder.back() == '/') {
        return folder + std::string(name);
    }
    return folder + "/" + std::string(name);
}

std::string Reason(int error) {
    if (error == EACCES || error == EPERM || error == EROFS) {
        return "File access denied";
    }
    return std::strerror(error);
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
    throw FileError(what + " \"" + path + "\": " + Reason(error));
}

// Writes all bytes to the descriptor, retrying short writes and interruptions.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A name beside the target that no other writer in this or another process uses at the same time.
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

std::string NormalSeparators(std::string_view path) {
    std::string normal(path);
    std::replace(normal.begin(), normal.end(), '\\', '/');
    return normal;
}

// The file a chain of symbolic links ends at (the path itself when it is no link); a link's
// relative target counts from the link's folder.
std::string FollowLinks(const std::string& path, const std::string& shown) {
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            Fail("Cannot write", shown, error.value());
        }
        current = (target.is_absolute() ? target : fs::path(current).parent_path() / target).string();
    }
    Fail("Cannot write", shown, ELOOP);
}

// A device or FIFO cannot be renamed over; what is written goes straight to it.
void WriteThrough(const std::string& target, const std::string& shown, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail("Cannot write", shown, errno);
    }
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        Fail("Cannot write", shown, written ? errno : error);
    }
}

// The whole file at the path, named in messages as the caller wrote it.
std::vector<std::uint8_t> ReadFileAt(const std::string& resolved, std::string_view path, std::size_t maxBytes) {
    const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail("Cannot open", std::string(path), errno);
    }
    const auto tooLarge = [&] {
        ::close(fd);
        throw FileError("Cannot read \"" + std::string(path) + "\": larger than " + std::to_string(maxBytes >> 20) +
                        " MiB");
    };
    std::vector<std::uint8_t> bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
            tooLarge();
        }
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            Fail("Cannot read", std::string(path), error);
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            tooLarge();
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace

std::string ResolvePath(std::string_view path) {
    const std::string normal = NormalSeparators(path);
    if (normal.empty() || Exists(normal)) {
        return normal;
    }
    std::string resolved = normal.front() == '/' ? "/" : "";
    std::size_t start = 0;
    bool matching = true;
    while (start <= normal.size()) {
        std::size_t end = normal.find('/', start);
        if (end == std::string::npos) {
            end = normal.size();
        }
        const std::string_view component = std::string_view(normal).substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            continue;
        }
        std::string next = Join(resolved, component);
        if (matching && component != "." && component != ".." && !Exists(next)) {
            const std::string match = MatchInFolder(resolved, component);
            if (match.empty()) {
                matching = false;
            } else {
                next = Join(resolved, match);
            }
        }
        resolved = std::move(next);
    }
    if (!normal.empty() && normal.back() == '/' && (resolved.empty() || resolved.back() != '/')) {
        resolved += '/';
    }
    return resolved;
}

bool FileExists(std::string_view path) {
    std::error_code error;
    return fs::is_regular_file(ResolvePath(path), error);
}

std::vector<std::uint8_t> ReadWholeFile(std::string_view path, std::size_t maxBytes) {
    return ReadFileAt(ResolvePath(path), path, maxBytes);
}

bool ExactFileExists(std::string_view path) {
    std::error_code error;
    return fs::is_regular_file(NormalSeparators(path), error);
}

std::vector<std::uint8_t> ReadExactFile(std::string_view path, std::size_t maxBytes) {
    return ReadFileAt(NormalSeparators(path), path, maxBytes);
}

void WriteFileAtomically(std::string_view path, std::span<const std::uint8_t> bytes) {
    const std::string shown(path);
    const std::string target = FollowLinks(NormalSeparators(path), shown);
    mode_t mode = 0666;
    struct stat info;
    const bool replacing = ::stat(target.c_str(), &info) == 0;
    if (replacing && S_ISDIR(info.st_mode)) {
        Fail("Cannot write", shown, EISDIR);
    }
    if (replacing && !S_ISREG(info.st_mode)) {
        WriteThrough(target, shown, bytes);
        return;
    }
    if (replacing) {
        if (::access(target.c_str(), W_OK) != 0) {
            Fail("Cannot write", shown, errno);
        }
        mode = info.st_mode & 07777;
    }
    std::string temporary;
    int fd = -1;
    do {
        temporary = TemporaryName(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) {
        Fail("Cannot write", shown, errno);
    }
    const bool written = WriteAll(fd, bytes) && (!replacing || ::fchmod(fd, mode) == 0) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        Fail("Cannot write", shown, written ? errno : writeError);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail("Cannot write", shown, error);
    }
}

fs::path ProgramFolder(std::string_view programPath) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const fs::path program = error ? fs::absolute(programPath) : self;
    return program.parent_path();
}

void CheckWritable(std::string_view path) {
    const std::string shown(path);
    const std::string target = FollowLinks(NormalSeparators(path), shown);
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            Fail("Cannot write", shown, EISDIR);
        }
        if (::access(target.c_str(), W_OK) != 0) {
            Fail("Cannot write", shown, errno);
        }
        if (!S_ISREG(info.st_mode)) {
            return;  // written through, nothing is made beside it
        }
    }
    const fs::path parent = fs::path(target).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    if (::stat(folder.c_str(), &info) != 0) {
        Fail("Cannot write", shown, errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        Fail("Cannot write", shown, ENOTDIR);
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        Fail("Cannot write", shown, errno);
    }
}

}  // namespace platform
