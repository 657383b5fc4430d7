#include "engine/audio/silenced_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace engine {

TSilencedStderr::TSilencedStderr() {
    std::fflush(stderr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) {
        return;
    }
    m_saved = ::dup(STDERR_FILENO);
    if (m_saved >= 0) {
        ::dup2(null, STDERR_FILENO);
    }
    ::close(null);
}

TSilencedStderr::~TSilencedStderr() {
    if (m_saved < 0) {
        return;
    }
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

}  // namespace engine
