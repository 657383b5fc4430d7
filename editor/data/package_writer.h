#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace editor {

// One record to pack: its name in the directory (at most 60 bytes) and its unpacked bytes.
struct PackageRecord {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

// The bytes of a package holding the records in the given order, each deflated at maximum
// compression: the header, the records' data, then the directory. Throws PackageError for a name
// longer than 60 bytes, more than 65535 records or a package past 4 GiB.
std::vector<std::uint8_t> BuildPackage(std::span<const PackageRecord> records);

// BuildPackage, written over packageName atomically (the previous file survives any failure).
void WritePackage(const std::string& packageName, std::span<const PackageRecord> records);

}  // namespace editor
