#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tools {

// The folder the generator writes into. Every file replaces its predecessor atomically, so a
// program reading the data while it is regenerated sees the old file or the new one, never half.
class OutputFolder {
public:
    struct WrittenFile {
        std::string Name;  // relative, with '/'
        std::uintmax_t Size = 0;
    };

    explicit OutputFolder(std::filesystem::path root);

    // Writes root/relative, creating its folders. Throws platform::FileError when writing fails.
    void Write(const std::string& relative, std::span<const std::uint8_t> bytes);
    void WriteText(const std::string& relative, const std::string& text);

    const std::filesystem::path& Root() const { return m_root; }
    const std::vector<WrittenFile>& Files() const { return m_files; }

private:
    std::filesystem::path m_root;
    std::vector<WrittenFile> m_files;
};

}  // namespace tools
