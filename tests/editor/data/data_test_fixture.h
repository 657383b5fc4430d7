#pragma once

#include "editor/data/message_reporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace editor {

// Records message boxes as "caption|text" and gives each test a folder of its own.
class DataTestFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = SetMessageReporter([this](const std::string& caption, const std::string& text) {
            m_messages.push_back(caption + "|" + text);
        });
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("h4_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override {
        SetMessageReporter(m_previous);
        std::filesystem::remove_all(m_folder);
    }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    std::string WriteText(const std::string& name, const std::string& text) const {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }

    std::vector<std::string> m_messages;

private:
    MessageReporter m_previous;
    std::filesystem::path m_folder;
};

}  // namespace editor
