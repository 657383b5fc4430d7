#pragma once

#include "platform/binary_reader.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {

// Raised for any malformed stored value list: truncated data, a value of the wrong type, an unknown
// class, a count that cannot be true, a format version newer than the reader knows.
class ETypedValueStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one-byte tag in front of every stored value.
enum class TValueType : std::uint8_t {
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,  // 80-bit extended float, little-endian
    vaString = 6,    // one length byte, then the characters
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12,  // four length bytes, then the characters
};

// Writes tagged values: integers in the smallest tag that holds them, strings, extended floats and
// booleans, and untagged raw bytes where a format asks for them.
class TTypedValueWriter {
public:
    void WriteInteger(std::int32_t value);
    void WriteString(const std::string& value);
    void WriteFloat(double value);
    void WriteBoolean(bool value);
    void WriteRaw(std::span<const std::uint8_t> bytes);
    // Four float32, untagged (how vectors are stored).
    void WriteRawVector(const float (&components)[4]);

    const std::vector<std::uint8_t>& Data() const { return m_data; }

private:
    void Tag(TValueType type) { m_data.push_back(static_cast<std::uint8_t>(type)); }
    void Little(std::uint64_t value, int bytes);

    std::vector<std::uint8_t> m_data;
};

// Reads what TTypedValueWriter writes. Every read checks the tag and the bounds and raises
// ETypedValueStreamError rather than reading past the data.
class TTypedValueReader {
public:
    explicit TTypedValueReader(std::span<const std::uint8_t> data) : m_reader(data) {}

    // The tag of the next value, without consuming it.
    TValueType NextValue() const;
    bool NextIsInteger() const;
    bool NextIsString() const;
    bool AtEnd() const { return m_reader.AtEnd(); }
    std::size_t Remaining() const { return m_reader.Remaining(); }

    std::int32_t ReadInteger();
    std::string ReadString();
    // An extended float; an integer value is accepted too, as a whole number.
    double ReadFloat();
    // ReadFloat for a float32 field: a magnitude beyond float32 is refused like a non-finite value,
    // since it would be stored as infinity, which no stream can hold.
    float ReadFloat32();
    bool ReadBoolean();
    void ReadRaw(void* destination, std::size_t count);
    void ReadRawVector(float (&components)[4]);

    // A count of items that follow, each of which takes at least one byte: a negative count or one
    // larger than the bytes left is refused before anything is allocated for it.
    std::int32_t ReadCount();
    // A format version in 0..highest; a newer one is an error naming both.
    std::int32_t ReadVersion(const std::string& what, std::int32_t highest);

private:
    std::uint8_t ReadTag();
    [[noreturn]] void WrongType(const char* expected, std::uint8_t found) const;

    platform::BinaryReader m_reader;
};

// The class table of a stored list: a class is written by name the first time it occurs, later by
// its index among the classes named so far.
class TClassNameWriter {
public:
    void WriteClass(TTypedValueWriter& writer, const std::string& className);

private:
    std::vector<std::string> m_names;
};

class TClassNameReader {
public:
    // The class of the next item: a new name, or the index of one named before.
    std::string ReadClass(TTypedValueReader& reader);

private:
    std::vector<std::string> m_names;
};

// Every stored collection item starts with a header: integer 0 and the item's name.
void WriteItemHeader(TTypedValueWriter& writer, const std::string& name);
std::string ReadItemHeader(TTypedValueReader& reader);

}  // namespace engine
