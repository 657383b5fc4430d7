#include "editor/document/recent_files.h"

#include <algorithm>

namespace editor {

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& fileName) {
    list = WithoutRecentFile(std::move(list), fileName);
    list.insert(list.begin(), fileName);
    if (list.size() > recent_limits::kRecentFiles) {
        list.resize(recent_limits::kRecentFiles);
    }
    return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& fileName) {
    std::erase(list, fileName);
    return list;
}

}  // namespace editor
