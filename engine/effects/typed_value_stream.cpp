#include "engine/effects/typed_value_stream.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace engine {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kMaxShortString = 255;

// Splits a double into the 64-bit mantissa (explicit leading one) and biased exponent of an 80-bit
// extended float. Every double, denormals included, has an exact extended form.
void ToExtended(double value, std::uint64_t& mantissa, std::uint16_t& signAndExponent) {
    const std::uint16_t sign = std::signbit(value) ? 0x8000 : 0;
    value = std::fabs(value);
    if (std::isnan(value)) {
        mantissa = 0xC000000000000000ull;
        signAndExponent = static_cast<std::uint16_t>(sign | 0x7FFF);
    } else if (std::isinf(value)) {
        mantissa = 0x8000000000000000ull;
        signAndExponent = static_cast<std::uint16_t>(sign | 0x7FFF);
    } else if (value == 0.0) {
        mantissa = 0;
        signAndExponent = sign;
    } else {
        int exponent = 0;
        const double fraction = std::frexp(value, &exponent);  // value = fraction * 2^exponent, fraction in [0.5, 1)
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        signAndExponent = static_cast<std::uint16_t>(sign | (exponent - 1 + kExtendedBias));
    }
}

double FromExtended(std::uint64_t mantissa, std::uint16_t signAndExponent) {
    const int exponent = signAndExponent & 0x7FFF;
    if (exponent == 0x7FFF) {
        throw ETypedValueStreamError("Invalid floating point value in stream");
    }
    // Out-of-range magnitudes become infinity or zero in ldexp; a huge one is refused as well.
    const double magnitude = std::ldexp(static_cast<double>(mantissa), exponent - kExtendedBias - 63);
    if (std::isinf(magnitude)) {
        throw ETypedValueStreamError("Invalid floating point value in stream");
    }
    return (signAndExponent & 0x8000) ? -magnitude : magnitude;
}

const char* TypeName(std::uint8_t tag) {
    switch (static_cast<TValueType>(tag)) {
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
            return "integer";
        case TValueType::vaExtended:
            return "float";
        case TValueType::vaString:
        case TValueType::vaLString:
            return "string";
        case TValueType::vaFalse:
        case TValueType::vaTrue:
            return "boolean";
    }
    return "unknown value";
}

bool IsIntegerTag(std::uint8_t tag) {
    return tag == static_cast<std::uint8_t>(TValueType::vaInt8) ||
           tag == static_cast<std::uint8_t>(TValueType::vaInt16) ||
           tag == static_cast<std::uint8_t>(TValueType::vaInt32);
}

bool IsStringTag(std::uint8_t tag) {
    return tag == static_cast<std::uint8_t>(TValueType::vaString) ||
           tag == static_cast<std::uint8_t>(TValueType::vaLString);
}

}  // namespace

void TTypedValueWriter::Little(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        m_data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void TTypedValueWriter::WriteInteger(std::int32_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max()) {
        Tag(TValueType::vaInt8);
        Little(static_cast<std::uint8_t>(value), 1);
    } else if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()) {
        Tag(TValueType::vaInt16);
        Little(static_cast<std::uint16_t>(value), 2);
    } else {
        Tag(TValueType::vaInt32);
        Little(static_cast<std::uint32_t>(value), 4);
    }
}

void TTypedValueWriter::WriteString(const std::string& value) {
    if (value.size() <= kMaxShortString) {
        Tag(TValueType::vaString);
        Little(value.size(), 1);
    } else {
        Tag(TValueType::vaLString);
        Little(value.size(), 4);
    }
    m_data.insert(m_data.end(), value.begin(), value.end());
}

void TTypedValueWriter::WriteFloat(double value) {
    std::uint64_t mantissa = 0;
    std::uint16_t signAndExponent = 0;
    ToExtended(value, mantissa, signAndExponent);
    Tag(TValueType::vaExtended);
    Little(mantissa, 8);
    Little(signAndExponent, 2);
}

void TTypedValueWriter::WriteBoolean(bool value) {
    Tag(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TTypedValueWriter::WriteRaw(std::span<const std::uint8_t> bytes) {
    m_data.insert(m_data.end(), bytes.begin(), bytes.end());
}

void TTypedValueWriter::WriteRawVector(const float (&components)[4]) {
    for (float component : components) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &component, sizeof bits);
        Little(bits, 4);
    }
}

TValueType TTypedValueReader::NextValue() const {
    if (m_reader.AtEnd()) {
        throw ETypedValueStreamError("Stream read error: the data ends before the next value");
    }
    platform::BinaryReader peek = m_reader;
    return static_cast<TValueType>(peek.U8());
}

bool TTypedValueReader::NextIsInteger() const {
    return IsIntegerTag(static_cast<std::uint8_t>(NextValue()));
}

bool TTypedValueReader::NextIsString() const {
    return IsStringTag(static_cast<std::uint8_t>(NextValue()));
}

std::uint8_t TTypedValueReader::ReadTag() {
    try {
        return m_reader.U8();
    } catch (const platform::ReadError&) {
        throw ETypedValueStreamError("Stream read error: the data ends before the next value");
    }
}

void TTypedValueReader::WrongType(const char* expected, std::uint8_t found) const {
    throw ETypedValueStreamError(std::string("Invalid stream format: expected ") + expected + ", found " +
                                 TypeName(found) + " (tag " + std::to_string(found) + ")");
}

std::int32_t TTypedValueReader::ReadInteger() {
    const std::uint8_t tag = ReadTag();
    try {
        switch (static_cast<TValueType>(tag)) {
            case TValueType::vaInt8:
                return m_reader.I8();
            case TValueType::vaInt16:
                return m_reader.I16();
            case TValueType::vaInt32:
                return m_reader.I32();
            default:
                break;
        }
    } catch (const platform::ReadError&) {
        throw ETypedValueStreamError("Stream read error: the data ends inside an integer");
    }
    WrongType("integer", tag);
}

std::string TTypedValueReader::ReadString() {
    const std::uint8_t tag = ReadTag();
    if (!IsStringTag(tag)) {
        WrongType("string", tag);
    }
    try {
        const std::uint32_t length =
            tag == static_cast<std::uint8_t>(TValueType::vaString) ? m_reader.U8() : m_reader.U32();
        const auto bytes = m_reader.Bytes(length);
        return std::string(bytes.begin(), bytes.end());
    } catch (const platform::ReadError&) {
        throw ETypedValueStreamError("Stream read error: the data ends inside a string");
    }
}

double TTypedValueReader::ReadFloat() {
    if (NextIsInteger()) {
        return ReadInteger();
    }
    const std::uint8_t tag = ReadTag();
    if (tag != static_cast<std::uint8_t>(TValueType::vaExtended)) {
        WrongType("float", tag);
    }
    try {
        const std::uint32_t low = m_reader.U32();
        const std::uint32_t high = m_reader.U32();
        const std::uint16_t signAndExponent = m_reader.U16();
        return FromExtended((static_cast<std::uint64_t>(high) << 32) | low, signAndExponent);
    } catch (const platform::ReadError&) {
        throw ETypedValueStreamError("Stream read error: the data ends inside a float");
    }
}

float TTypedValueReader::ReadFloat32() {
    const double value = ReadFloat();
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        throw ETypedValueStreamError("Invalid floating point value in stream");
    }
    return static_cast<float>(value);
}

bool TTypedValueReader::ReadBoolean() {
    const std::uint8_t tag = ReadTag();
    if (tag == static_cast<std::uint8_t>(TValueType::vaTrue)) {
        return true;
    }
    if (tag != static_cast<std::uint8_t>(TValueType::vaFalse)) {
        WrongType("boolean", tag);
    }
    return false;
}

void TTypedValueReader::ReadRaw(void* destination, std::size_t count) {
    try {
        m_reader.Read(destination, count);
    } catch (const platform::ReadError&) {
        throw ETypedValueStreamError("Stream read error: the data ends inside raw bytes");
    }
}

void TTypedValueReader::ReadRawVector(float (&components)[4]) {
    for (float& component : components) {
        std::uint8_t bytes[4];
        ReadRaw(bytes, sizeof bytes);
        const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                   (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                   (static_cast<std::uint32_t>(bytes[3]) << 24);
        std::memcpy(&component, &bits, sizeof component);
    }
}

std::int32_t TTypedValueReader::ReadCount() {
    const std::int32_t count = ReadInteger();
    if (count < 0 || static_cast<std::size_t>(count) > m_reader.Remaining()) {
        throw ETypedValueStreamError("Invalid stream format: a list of " + std::to_string(count) +
                                     " items cannot fit in the " + std::to_string(m_reader.Remaining()) +
                                     " bytes left");
    }
    return count;
}

std::int32_t TTypedValueReader::ReadVersion(const std::string& what, std::int32_t highest) {
    const std::int32_t version = ReadInteger();
    if (version < 0 || version > highest) {
        throw ETypedValueStreamError("Unknown " + what + " format version " + std::to_string(version) +
                                     " (this program reads up to " + std::to_string(highest) + ")");
    }
    return version;
}

void TClassNameWriter::WriteClass(TTypedValueWriter& writer, const std::string& className) {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == className) {
            writer.WriteInteger(static_cast<std::int32_t>(i));
            return;
        }
    }
    m_names.push_back(className);
    writer.WriteString(className);
}

std::string TClassNameReader::ReadClass(TTypedValueReader& reader) {
    if (reader.NextIsString()) {
        m_names.push_back(reader.ReadString());
        return m_names.back();
    }
    const std::int32_t index = reader.ReadInteger();
    if (index < 0 || static_cast<std::size_t>(index) >= m_names.size()) {
        throw ETypedValueStreamError("Invalid stream format: class index " + std::to_string(index) + " but only " +
                                     std::to_string(m_names.size()) + " classes named");
    }
    return m_names[static_cast<std::size_t>(index)];
}

void WriteItemHeader(TTypedValueWriter& writer, const std::string& name) {
    writer.WriteInteger(0);
    writer.WriteString(name);
}

std::string ReadItemHeader(TTypedValueReader& reader) {
    reader.ReadVersion("collection item", 0);
    return reader.ReadString();
}

}  // namespace engine
