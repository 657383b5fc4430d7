#include "platform/binary_reader.h"

#include <cstring>

namespace platform {

void BinaryReader::Require(std::size_t count) const {
    if (count > Remaining()) {
        throw ReadError("read of " + std::to_string(count) + " bytes at offset " + std::to_string(m_pos) +
                        " passes the end of the data (" + std::to_string(m_data.size()) + " bytes)");
    }
}

void BinaryReader::Seek(std::size_t position) {
    if (position > m_data.size()) {
        throw ReadError("seek to offset " + std::to_string(position) + " passes the end of the data (" +
                        std::to_string(m_data.size()) + " bytes)");
    }
    m_pos = position;
}

void BinaryReader::Skip(std::size_t count) {
    Require(count);
    m_pos += count;
}

std::uint8_t BinaryReader::U8() {
    Require(1);
    return m_data[m_pos++];
}

std::uint16_t BinaryReader::U16() {
    Require(2);
    const auto* p = m_data.data() + m_pos;
    m_pos += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t BinaryReader::U32() {
    Require(4);
    const auto* p = m_data.data() + m_pos;
    m_pos += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

float BinaryReader::F32() {
    const std::uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double BinaryReader::F64() {
    const std::uint64_t low = U32();
    const std::uint64_t high = U32();
    const std::uint64_t bits = low | (high << 32);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::span<const std::uint8_t> BinaryReader::Bytes(std::size_t count) {
    Require(count);
    auto result = m_data.subspan(m_pos, count);
    m_pos += count;
    return result;
}

void BinaryReader::Read(void* destination, std::size_t count) {
    auto bytes = Bytes(count);
    if (count != 0) {
        std::memcpy(destination, bytes.data(), count);
    }
}

std::string BinaryReader::FixedString(std::size_t count) {
    auto bytes = Bytes(count);
    std::size_t length = 0;
    while (length < count && bytes[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(bytes.data()), length);
}

std::string BinaryReader::CString(std::size_t maxLength) {
    const std::size_t limit = std::min(maxLength + 1, Remaining());
    for (std::size_t i = 0; i < limit; ++i) {
        if (m_data[m_pos + i] == 0) {
            std::string result(reinterpret_cast<const char*>(m_data.data() + m_pos), i);
            m_pos += i + 1;
            return result;
        }
    }
    throw ReadError("text at offset " + std::to_string(m_pos) + " has no terminating NUL within " +
                    std::to_string(maxLength) + " characters");
}

BinaryReader BinaryReader::SubReader(std::size_t offset, std::size_t length) const {
    if (!RangeFits(offset, length, m_data.size())) {
        throw ReadError("range of " + std::to_string(length) + " bytes at offset " + std::to_string(offset) +
                        " passes the end of the data (" + std::to_string(m_data.size()) + " bytes)");
    }
    return BinaryReader(m_data.subspan(offset, length));
}

BinaryReader BinaryReader::Take(std::size_t length) {
    BinaryReader sub = SubReader(m_pos, length);
    m_pos += length;
    return sub;
}

}  // namespace platform
