// The package reader over any bytes: the directory, every record inflated and looked up by name.
// PackageError (with its corrupt-package kind) is the reader's answer. A package whose every record
// reads is packed again as the package writer does and read back: the names and the data of the
// records must come back in the same order.
#include "editor/data/package.h"
#include "editor/data/package_writer.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr char kPackageName[] = "Data\\Fuzz.qzp";

// Every record of the package, or nothing when some record does not read.
std::optional<std::vector<editor::PackageRecord>> ReadRecords(std::span<const std::uint8_t> image) {
    std::vector<editor::PackageRecord> records;
    bool complete = true;
    for (const editor::PackageEntry& entry : editor::ReadPackageDirectory(image, kPackageName)) {
        editor::FindPackageEntry({entry}, entry.Name);
        try {
            records.push_back({entry.Name, editor::InflateRecord(image, entry, kPackageName)});
        } catch (const editor::PackageError&) {
            complete = false;
        }
    }
    if (!complete) {
        return std::nullopt;
    }
    return records;
}

bool SameRecords(const std::vector<editor::PackageRecord>& a, const std::vector<editor::PackageRecord>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Name != b[i].Name || a[i].Data != b[i].Data) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<std::vector<editor::PackageRecord>> records;
    try {
        records = ReadRecords({data, size});
    } catch (const editor::PackageError&) {
        return 0;
    }
    if (!records) {
        return 0;
    }
    std::vector<std::uint8_t> packed;
    try {
        packed = editor::BuildPackage(*records);
    } catch (const editor::PackageError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fuzz::Require(false, "the records a package holds cannot be packed again");
    }
    std::optional<std::vector<editor::PackageRecord>> again;
    try {
        again = ReadRecords(packed);
    } catch (const editor::PackageError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fuzz::Require(false, "a package written by the writer does not read");
    }
    fuzz::Require(again && SameRecords(*records, *again), "the records changed on their way through the writer");
    return 0;
}
