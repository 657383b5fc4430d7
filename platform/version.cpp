#include "platform/version.h"

namespace platform {

std::string_view ProjectVersion() {
    return PROJECT_VERSION_TEXT;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + std::string(ProjectVersion()) + "\n";
}

}  // namespace platform
