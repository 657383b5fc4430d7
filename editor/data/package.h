#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Package archives (.qzp): one file of named records, each deflated on its own with zlib.
namespace editor {

// Thrown by the package code where a failure goes to the caller instead of a message box: an
// inflate error, a record shorter than announced, a failed extraction to a file, a failed write.
class PackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown by ReadPackageDirectory for an image that is not a sound package; the message is the text
// the editor shows, with the package name quoted in it.
class PackageCorruptError : public PackageError {
public:
    using PackageError::PackageError;
};

namespace package_format {
constexpr std::size_t kHeaderSize = 26;
constexpr std::size_t kEntryCountOffset = 16;
constexpr std::size_t kDirectoryOffsetOffset = 22;
constexpr std::size_t kEntrySize = 73;
constexpr std::size_t kMaxNameLength = 60;
}  // namespace package_format

// One directory entry. Name is decoded as catalogue text is (UTF-8, else Windows-1251), so a
// catalogue line names the record whatever encoding the package was made with.
struct PackageEntry {
    std::string Name;
    std::uint32_t StoredSize = 0;
    std::uint32_t UnpackedSize = 0;
    std::uint32_t DataOffset = 0;
};

// The directory of a package image, in directory order. Throws PackageCorruptError for a bad magic
// or a header or directory that runs past the end of the image. Entries are not checked against
// the image: a record's range is checked when it is read.
std::vector<PackageEntry> ReadPackageDirectory(std::span<const std::uint8_t> image, const std::string& packageName);

// The record's stored bytes inflated. Throws PackageCorruptError when they run past the end of the
// image, PackageError when inflating fails.
std::vector<std::uint8_t> InflateRecord(std::span<const std::uint8_t> image, const PackageEntry& entry,
                                        const std::string& packageName);

// The form in which a record's name is looked up: A-Z as a-z. Two names of the same key cannot both
// be found in one package.
std::string PackageNameKey(std::string name);

// The index of the first entry whose name equals the wanted one, ignoring the case of A-Z.
std::optional<std::size_t> FindPackageEntry(const std::vector<PackageEntry>& entries, const std::string& name);

// The inflated record, or nothing after an "Error" message box has been shown (missing package,
// bad magic, truncated package, no such record). Inflate failures throw PackageError.
std::optional<std::vector<std::uint8_t>> ExtractRecord(const std::string& packageName, const std::string& recordName);

// ExtractRecord, then the record replaces outputName. Throws PackageError when nothing was
// extracted (the message box has been shown by then) and platform::FileError when writing fails.
void ExtractRecordToFile(const std::string& packageName, const std::string& recordName,
                         const std::string& outputName);

}  // namespace editor
