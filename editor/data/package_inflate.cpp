#include "editor/data/package_inflate.h"

#include "editor/data/package.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace editor {
namespace {

// Deflate never expands beyond about 1032:1, so a record cannot honestly announce more than this;
// reserving no more keeps a lying size from allocating gigabytes before the data runs out.
constexpr std::size_t kMaxInflateRatio = 1032;

class Inflater {
public:
    explicit Inflater(std::span<const std::uint8_t> compressed) {
        m_stream.next_in = const_cast<Bytef*>(compressed.data());
        m_stream.avail_in = static_cast<uInt>(compressed.size());
        if (inflateInit(&m_stream) != Z_OK) {
            throw PackageError("Error");
        }
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Fills the whole destination or throws.
    void Read(std::span<std::uint8_t> destination) {
        m_stream.next_out = destination.data();
        m_stream.avail_out = static_cast<uInt>(destination.size());
        while (m_stream.avail_out > 0) {
            const int result = inflate(&m_stream, Z_NO_FLUSH);
            if (result == Z_STREAM_END && m_stream.avail_out > 0) {
                throw PackageError("Stream read error");
            }
            if (result == Z_BUF_ERROR) {
                // No progress is possible: the compressed data ended mid-stream.
                throw PackageError("Stream read error");
            }
            if (result != Z_OK && result != Z_STREAM_END) {
                throw PackageError("Error");
            }
        }
    }

private:
    z_stream m_stream{};
};

}  // namespace

void InflateStream(std::span<const std::uint8_t> compressed, std::uint32_t unpackedSize,
                   std::vector<std::uint8_t>& output) {
    Inflater inflater(compressed);
    output.reserve(output.size() + std::min<std::size_t>(unpackedSize, compressed.size() * kMaxInflateRatio +
                                                                           package_inflate::kChunkSize));
    std::array<std::uint8_t, package_inflate::kChunkSize> buffer;
    const std::size_t fullChunks = unpackedSize / package_inflate::kChunkSize;
    const std::size_t remainder = unpackedSize % package_inflate::kChunkSize;
    for (std::size_t i = 0; i < fullChunks; ++i) {
        inflater.Read(buffer);
        output.insert(output.end(), buffer.begin(), buffer.end());
    }
    if (remainder != 0) {
        inflater.Read(std::span(buffer).first(remainder));
        output.insert(output.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(remainder));
    }
}

}  // namespace editor
