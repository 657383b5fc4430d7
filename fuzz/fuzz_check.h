#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A broken promise that no sanitizer sees (a round trip that changes a value, a second read that
// fails): reported as a crash, so that libFuzzer keeps the input as a reproducer.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzz
