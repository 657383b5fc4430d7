#include "editor/data/package_writer.h"

#include "editor/data/package.h"
#include "platform/paths.h"

#include <zlib.h>

#include <cstring>
#include <limits>

namespace editor {
namespace {

void PutU16(std::vector<std::uint8_t>& out, std::size_t offset, std::uint16_t value) {
    out[offset] = static_cast<std::uint8_t>(value);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> packed(size);
    if (compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
        throw PackageError("Cannot deflate a package record");
    }
    packed.resize(size);
    return packed;
}

std::uint32_t CheckedOffset(std::size_t offset) {
    if (offset > std::numeric_limits<std::uint32_t>::max()) {
        throw PackageError("Package would exceed 4 GiB");
    }
    return static_cast<std::uint32_t>(offset);
}

}  // namespace

std::vector<std::uint8_t> BuildPackage(std::span<const PackageRecord> records) {
    if (records.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw PackageError("A package holds at most 65535 records");
    }
    std::vector<std::uint8_t> out(package_format::kHeaderSize, 0);
    std::memcpy(out.data(), "QZP", 4);
    PutU16(out, package_format::kEntryCountOffset, static_cast<std::uint16_t>(records.size()));

    std::vector<std::uint8_t> directory;
    for (const PackageRecord& record : records) {
        if (record.Name.size() > package_format::kMaxNameLength) {
            throw PackageError("Record name \"" + record.Name + "\" is longer than 60 bytes");
        }
        if (record.Data.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw PackageError("Record \"" + record.Name + "\" is larger than 4 GiB");
        }
        const std::vector<std::uint8_t> packed = Deflate(record.Data);
        const std::uint32_t offset = CheckedOffset(out.size());
        out.insert(out.end(), packed.begin(), packed.end());

        directory.push_back(static_cast<std::uint8_t>(record.Name.size()));
        directory.insert(directory.end(), record.Name.begin(), record.Name.end());
        directory.resize(directory.size() + package_format::kMaxNameLength - record.Name.size(), 0);
        AppendU32(directory, static_cast<std::uint32_t>(packed.size()));
        AppendU32(directory, static_cast<std::uint32_t>(record.Data.size()));
        AppendU32(directory, offset);
    }
    const std::uint32_t directoryOffset = CheckedOffset(out.size());
    CheckedOffset(out.size() + directory.size());
    out.insert(out.end(), directory.begin(), directory.end());
    for (int i = 0; i < 4; ++i) {
        out[package_format::kDirectoryOffsetOffset + i] = static_cast<std::uint8_t>(directoryOffset >> (8 * i));
    }
    return out;
}

void WritePackage(const std::string& packageName, std::span<const PackageRecord> records) {
    platform::WriteFileAtomically(packageName, BuildPackage(records));
}

}  // namespace editor
