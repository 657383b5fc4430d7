#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace editor {

// A fresh folder for the running test, the current folder while it lives: the editor names its
// catalogues and its autosave relative to the current folder.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() / (prefix + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

}  // namespace editor
