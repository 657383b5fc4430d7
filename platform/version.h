#pragma once

#include <string>
#include <string_view>

// The project's version, which the build hands to every program and tool.
namespace platform {

// "1.0.0": the version the project is built as.
std::string_view ProjectVersion();

// What `--version` prints: "<program> <version>" and a line end.
std::string VersionLine(std::string_view program);

}  // namespace platform
