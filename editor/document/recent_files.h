#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The "recent maps" list of the file menu: newest first, each file once.
namespace editor {

namespace recent_limits {
constexpr std::size_t kRecentFiles = 8;
}  // namespace recent_limits

// The list with the file put first (moved there when it was already listed), cut to the limit.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& fileName);

// The list without the file.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& fileName);

}  // namespace editor
