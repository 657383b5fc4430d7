#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace editor {

namespace package_inflate {
// The inflate loop asks zlib for this much output at a time.
constexpr std::size_t kChunkSize = 2048;
}  // namespace package_inflate

// Inflates exactly unpackedSize bytes of the zlib stream and appends them to output: the full
// chunks first, then the remainder. Throws PackageError "Error" when zlib reports an error and
// "Stream read error" when the stream ends before unpackedSize bytes came out.
void InflateStream(std::span<const std::uint8_t> compressed, std::uint32_t unpackedSize,
                   std::vector<std::uint8_t>& output);

}  // namespace editor
