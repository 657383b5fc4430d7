#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace fuzz {

// The seed corpora: one folder per target below the root.
class SeedFolder {
public:
    explicit SeedFolder(std::filesystem::path root) : m_root(std::move(root)) {}

    void Write(const std::string& target, const std::string& name, std::span<const std::uint8_t> bytes) const;
    void Write(const std::string& target, const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_root;
};

// Seeds from the tests' input builders and from the writers of the stored forms, one family each.
void WriteImageSeeds(const SeedFolder& seeds);
void WriteModelSeeds(const SeedFolder& seeds);
void WriteCursorSeeds(const SeedFolder& seeds);
void WriteEditorSeeds(const SeedFolder& seeds);
void WriteStreamSeeds(const SeedFolder& seeds);
void WriteSoundSeeds(const SeedFolder& seeds);

// Seeds from a folder assetgen wrote: each file to the target of its kind, and the records of its
// packages to the targets of theirs.
void WriteGeneratedSeeds(const std::filesystem::path& generated, const SeedFolder& seeds);

}  // namespace fuzz
