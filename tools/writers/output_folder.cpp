#include "tools/writers/output_folder.h"

#include "platform/paths.h"

#include <system_error>

namespace tools {

OutputFolder::OutputFolder(std::filesystem::path root) : m_root(std::move(root)) {}

void OutputFolder::Write(const std::string& relative, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path target = m_root / relative;
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) {
        throw platform::FileError("Cannot create folder " + target.parent_path().string() + ": " + error.message());
    }
    platform::WriteFileAtomically(target.string(), bytes);
    m_files.push_back({relative, bytes.size()});
}

void OutputFolder::WriteText(const std::string& relative, const std::string& text) {
    Write(relative, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace tools
