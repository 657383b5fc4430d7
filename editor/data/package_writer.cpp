#include "editor/data/package_writer.h"

#include "editor/data/package.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"

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

// The directory bytes of a record's name. The reader takes a name as UTF-8 when it is UTF-8 and as
// Windows-1251 otherwise, so a UTF-8 name too long for the field (Cyrillic takes two bytes a
// letter) is stored in the code page when that gives the reader the same name back.
std::string StoredName(const std::string& name) {
    if (name.size() <= package_format::kMaxNameLength) {
        return name;
    }
    const std::optional<std::string> codePage = platform::EncodeWindows1251(name);
    if (!codePage || codePage->size() > package_format::kMaxNameLength || platform::DecodeTextLine(*codePage) != name) {
        throw PackageError("Record name \"" + name + "\" is longer than 60 bytes");
    }
    return *codePage;
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
        const std::string name = StoredName(record.Name);
        if (record.Data.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw PackageError("Record \"" + record.Name + "\" is larger than 4 GiB");
        }
        const std::vector<std::uint8_t> packed = Deflate(record.Data);
        const std::uint32_t offset = CheckedOffset(out.size());
        out.insert(out.end(), packed.begin(), packed.end());

        directory.push_back(static_cast<std::uint8_t>(name.size()));
        directory.insert(directory.end(), name.begin(), name.end());
        directory.resize(directory.size() + package_format::kMaxNameLength - name.size(), 0);
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
