#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace editor {

// One record to pack: its name in the directory and its unpacked bytes. The name is stored as
// given when it fits the 60-byte field, else, when it is UTF-8, as the Windows-1251 bytes the
// reader decodes back to it.
struct PackageRecord {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

// The bytes of a package holding the records in the given order, each deflated at maximum
// compression: the header, the records' data, then the directory. Throws PackageError for a name that
// fits the field in neither form, more than 65535 records or a package past 4 GiB.
std::vector<std::uint8_t> BuildPackage(std::span<const PackageRecord> records);

// BuildPackage, written over packageName atomically (the previous file survives any failure).
void WritePackage(const std::string& packageName, std::span<const PackageRecord> records);

}  // namespace editor
