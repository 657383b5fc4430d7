#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools::assetgen {

// Runs the generator once for the whole suite into a temporary folder and reads its files back
// through the editor's own readers.
class GeneratedData : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static const std::filesystem::path& Folder() { return s_folder; }
    static std::string PathOf(const std::string& relative) { return (s_folder / relative).string(); }

    // Runs the program into the folder; its exit status.
    static int RunGenerator(const std::filesystem::path& folder);

    // A catalogue file's lines, or a catalogue record's from a package.
    static std::vector<std::string> CatalogueLines(const std::string& relative);
    static std::vector<std::string> PackageCatalogueLines(const std::string& package, const std::string& record);

    // The record inflated; fails the test (and returns nothing) when it is missing.
    static std::vector<std::uint8_t> Record(const std::string& package, const std::string& record);

private:
    static std::filesystem::path s_folder;
};

}  // namespace tools::assetgen
