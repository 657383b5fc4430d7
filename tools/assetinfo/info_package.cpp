#include "tools/assetinfo/info_kinds.h"

#include "editor/data/package.h"
#include "platform/paths.h"

namespace tools {

nlohmann::json InfoPackage(const std::string& path) {
    nlohmann::json entries = nlohmann::json::array();
    for (const editor::PackageEntry& entry : editor::ReadPackageDirectory(platform::ReadWholeFile(path), path)) {
        entries.push_back({{"name", entry.Name},
                           {"storedSize", entry.StoredSize},
                           {"unpackedSize", entry.UnpackedSize},
                           {"dataOffset", entry.DataOffset}});
    }
    return {{"entries", entries}};
}

}  // namespace tools
