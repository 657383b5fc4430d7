#include "editor/data/package.h"
#include "fuzz/seeds/seed_folder.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace fuzz {
namespace {

// libFuzzer takes inputs up to 1 MiB; larger files would only be cut.
constexpr std::uintmax_t kMaxSeedSize = 1 << 20;

std::string LowerExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The target that reads files of an extension, or "" for none.
std::string TargetOf(const std::string& name) {
    static const std::map<std::string, std::string> targets = {
        {"bmp", "bmp"},    {"jpg", "jpeg"},      {"jpeg", "jpeg"},      {"dds", "dds"},
        {"tga", "tga"},    {"3ds", "model_3ds"}, {"prj", "model_3ds"},  {"md2", "md2"},
        {"ani", "cursor"}, {"cur", "cursor"},    {"ico", "cursor"},     {"qzp", "package"},
        {"qzm", "qzm"},    {"map", "map"},       {"wav", "wav"},
    };
    const auto found = targets.find(LowerExtension(name));
    return found == targets.end() ? "" : found->second;
}

// Seed names keep the file's place in the generated folder, so that equal base names do not clash.
std::string SeedName(const std::filesystem::path& relative) {
    std::string name = relative.generic_string();
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

void WritePackageRecords(const std::filesystem::path& package, const std::string& seedName, const SeedFolder& seeds) {
    const std::vector<std::uint8_t> image = platform::ReadWholeFile(package.string());
    for (const editor::PackageEntry& entry : editor::ReadPackageDirectory(image, package.string())) {
        const std::string target = TargetOf(entry.Name);
        if (!target.empty() && entry.UnpackedSize <= kMaxSeedSize) {
            seeds.Write(target, seedName + "_" + entry.Name, editor::InflateRecord(image, entry, package.string()));
        }
    }
}

}  // namespace

void WriteGeneratedSeeds(const std::filesystem::path& generated, const SeedFolder& seeds) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(generated)) {
        const std::string target = file.is_regular_file() ? TargetOf(file.path().filename().string()) : "";
        if (target.empty()) {
            continue;
        }
        const std::string name = SeedName(std::filesystem::relative(file.path(), generated));
        if (target == "package") {
            WritePackageRecords(file.path(), name, seeds);
        }
        if (file.file_size() <= kMaxSeedSize) {
            seeds.Write(target, name, platform::ReadWholeFile(file.path().string()));
        }
    }
}

}  // namespace fuzz
