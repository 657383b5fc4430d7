#include "editor/document/autosave_backups.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace editor {
namespace {

namespace fs = std::filesystem;

constexpr char kBackupMark[] = ".bak";
// More digits than any folder will reach, few enough not to overflow.
constexpr std::size_t kMaxDigits = 9;

struct TBackupName {
    std::string Prefix;  // "Temp.bak"
    std::string Suffix;  // ".map"
};

TBackupName BackupNameOf(const fs::path& autosave) {
    return {autosave.stem().string() + kBackupMark, autosave.extension().string()};
}

// The number of a backup's file name, or nothing for any other name.
std::optional<unsigned long> BackupNumber(const std::string& name, const TBackupName& form) {
    if (name.size() <= form.Prefix.size() + form.Suffix.size() || !name.starts_with(form.Prefix) ||
        !name.ends_with(form.Suffix)) {
        return std::nullopt;
    }
    const std::string digits = name.substr(form.Prefix.size(), name.size() - form.Prefix.size() - form.Suffix.size());
    if (digits.size() > kMaxDigits || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return std::nullopt;
    }
    return std::stoul(digits);
}

fs::path BackupPath(const fs::path& folder, const TBackupName& form, unsigned long number) {
    return folder / (form.Prefix + std::to_string(number) + form.Suffix);
}

}  // namespace

fs::path KeepAutosaveAside(const fs::path& autosave, std::size_t kept) {
    const fs::path folder = autosave.parent_path();
    const TBackupName form = BackupNameOf(autosave);
    std::vector<unsigned long> numbers;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const auto number = BackupNumber(it->path().filename().string(), form);
        std::error_code notAFile;
        if (number && it->is_regular_file(notAFile)) {
            numbers.push_back(*number);
        }
    }
    unsigned long next = numbers.empty() ? 1 : *std::max_element(numbers.begin(), numbers.end()) + 1;
    while (fs::exists(fs::symlink_status(BackupPath(folder, form, next), error))) {
        ++next;
    }
    const fs::path backup = BackupPath(folder, form, next);
    fs::rename(autosave, backup);
    numbers.push_back(next);
    std::sort(numbers.begin(), numbers.end());
    for (std::size_t i = 0; i + kept < numbers.size(); ++i) {
        fs::remove(BackupPath(folder, form, numbers[i]), error);
    }
    return backup;
}

}  // namespace editor
