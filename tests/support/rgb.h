#pragma once

#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>

namespace tests {

// A pixel's colour as read back, for render tests.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

// A pixel of the current context's back buffer, x from the left, y from the bottom.
inline Rgb RgbAt(int x, int y) {
    const std::uint32_t p = BackBufferPixel(x, y);
    return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF)};
}

inline ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 4) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " instead of " << expected;
}

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kMagenta{255, 0, 255};

}  // namespace tests
