#include "editor/data/package.h"

#include "editor/data/message_reporter.h"
#include "editor/data/package_inflate.h"
#include "platform/binary_reader.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"

#include <algorithm>
#include <cstring>

namespace editor {
namespace {

constexpr char kCaption[] = "Error";
constexpr char kMagic[] = "QZP";
// Whatever a record holds in its first two bytes, it is inflated as a maximum-compression stream.
constexpr std::uint8_t kZlibHeader[2] = {0x78, 0xDA};

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}


// The magic is a zero-terminated text of at most four characters that must read "QZP".
bool MagicMatches(std::span<const std::uint8_t> image) {
    if (image.size() < 4) {
        return false;
    }
    const auto* text = reinterpret_cast<const char*>(image.data());
    const std::size_t length = strnlen(text, 4);
    return std::string_view(text, length) == kMagic;
}

[[noreturn]] void ThrowTruncated(const std::string& packageName) {
    throw PackageCorruptError("Unexpected end of file - file corrupted " + Quoted(packageName));
}

PackageEntry ReadEntry(platform::BinaryReader& reader) {
    PackageEntry entry;
    const std::size_t length = std::min<std::size_t>(reader.U8(), package_format::kMaxNameLength);
    const auto name = reader.Bytes(package_format::kMaxNameLength).first(length);
    entry.Name = platform::DecodeTextLine(std::string_view(reinterpret_cast<const char*>(name.data()), length));
    entry.StoredSize = reader.U32();
    entry.UnpackedSize = reader.U32();
    entry.DataOffset = reader.U32();
    return entry;
}

}  // namespace

std::vector<PackageEntry> ReadPackageDirectory(std::span<const std::uint8_t> image, const std::string& packageName) {
    if (!MagicMatches(image)) {
        throw PackageCorruptError("Invalid QZP or file corrupted " + Quoted(packageName));
    }
    if (image.size() < package_format::kHeaderSize) {
        ThrowTruncated(packageName);
    }
    platform::BinaryReader reader(image);
    reader.Seek(package_format::kEntryCountOffset);
    const std::uint16_t count = reader.U16();
    reader.Seek(package_format::kDirectoryOffsetOffset);
    const std::uint32_t directoryOffset = reader.U32();
    if (!platform::RangeFits(directoryOffset, std::uint64_t{count} * package_format::kEntrySize, image.size())) {
        ThrowTruncated(packageName);
    }
    reader.Seek(directoryOffset);
    std::vector<PackageEntry> entries;
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        entries.push_back(ReadEntry(reader));
    }
    return entries;
}

std::string PackageNameKey(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

std::optional<std::size_t> FindPackageEntry(const std::vector<PackageEntry>& entries, const std::string& name) {
    const std::string wanted = PackageNameKey(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (PackageNameKey(entries[i].Name) == wanted) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> InflateRecord(std::span<const std::uint8_t> image, const PackageEntry& entry,
                                        const std::string& packageName) {
    if (!platform::RangeFits(entry.DataOffset, entry.StoredSize, image.size())) {
        ThrowTruncated(packageName);
    }
    std::vector<std::uint8_t> stored(image.begin() + entry.DataOffset,
                                     image.begin() + entry.DataOffset + entry.StoredSize);
    stored.resize(std::max<std::size_t>(stored.size(), sizeof kZlibHeader));
    std::memcpy(stored.data(), kZlibHeader, sizeof kZlibHeader);
    std::vector<std::uint8_t> record;
    InflateStream(stored, entry.UnpackedSize, record);
    return record;
}

std::optional<std::vector<std::uint8_t>> ExtractRecord(const std::string& packageName, const std::string& recordName) {
    if (!platform::FileExists(packageName)) {
        ShowMessage(kCaption, "Package file not found " + Quoted(packageName));
        return std::nullopt;
    }
    try {
        const std::vector<std::uint8_t> image = platform::ReadWholeFile(packageName);
        const std::vector<PackageEntry> entries = ReadPackageDirectory(image, packageName);
        const std::optional<std::size_t> found = FindPackageEntry(entries, recordName);
        if (!found) {
            ShowMessage(kCaption, "Record " + Quoted(recordName) + " not found in " + Quoted(packageName));
            return std::nullopt;
        }
        return InflateRecord(image, entries[*found], packageName);
    } catch (const PackageCorruptError& error) {
        ShowMessage(kCaption, error.what());
    } catch (const platform::FileError& error) {
        ShowMessage(kCaption, error.what());
    }
    return std::nullopt;
}

void ExtractRecordToFile(const std::string& packageName, const std::string& recordName,
                         const std::string& outputName) {
    const std::optional<std::vector<std::uint8_t>> record = ExtractRecord(packageName, recordName);
    if (!record) {
        throw PackageError("Could not extract " + Quoted(recordName) + " from " + Quoted(packageName));
    }
    platform::WriteFileAtomically(outputName, *record);
}

}  // namespace editor
