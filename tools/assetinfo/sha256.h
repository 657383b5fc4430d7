#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tools {

// The SHA-256 digest of the bytes (FIPS 180-4).
std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> data);

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::span<const std::uint8_t> data);

}  // namespace tools
