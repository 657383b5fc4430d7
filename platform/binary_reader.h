#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace platform {

// Thrown by BinaryReader when a read, seek or sub-range would leave the buffer. Loaders catch it
// and report their own fixed message.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one place where binary input is bounds checked: every read, seek and sub-range checks both
// its start and its end against the buffer. Little-endian, as every file format here is.
class BinaryReader {
public:
    explicit BinaryReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t Position() const { return m_pos; }
    std::size_t Size() const { return m_data.size(); }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    void Seek(std::size_t position);
    void Skip(std::size_t count);

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int8_t I8() { return static_cast<std::int8_t>(U8()); }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float F32();
    double F64();

    // The next count bytes, consumed.
    std::span<const std::uint8_t> Bytes(std::size_t count);
    void Read(void* destination, std::size_t count);

    // A fixed-size text field: count bytes consumed, the text ends at the first NUL or at count.
    std::string FixedString(std::size_t count);
    // A NUL-terminated text of at most maxLength characters; the NUL is consumed. A missing NUL
    // within maxLength or before the end of the buffer is an error.
    std::string CString(std::size_t maxLength);

    // A reader over [offset, offset + length) of this reader's buffer, position 0.
    BinaryReader SubReader(std::size_t offset, std::size_t length) const;
    // A reader over the next length bytes, which are consumed.
    BinaryReader Take(std::size_t length);

private:
    void Require(std::size_t count) const;

    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

// Whether [offset, offset + length) lies inside a buffer of the given size, without overflow.
inline bool RangeFits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

}  // namespace platform
