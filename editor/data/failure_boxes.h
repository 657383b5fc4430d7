#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace editor {

// A run of loads that may each fail with message boxes of their own (a texture: the package's
// box, then the loader's). The boxes of the first few failures reach the user; later failures are
// only counted, for one box at the end, so a catalogue that names 300,000 missing textures costs
// a few boxes instead of 600,000. A load that shows no box has not failed.
class TFailureBoxes {
public:
    explicit TFailureBoxes(std::size_t shownFailures) : m_shownFailures(shownFailures) {}

    // Runs the load under the name its failure is listed by; exceptions pass through.
    void Run(const std::string& name, const std::function<void()>& load);

    // Failures whose boxes were held back, and the first of their names.
    std::size_t HeldBack() const { return m_heldBack; }
    const std::vector<std::string>& HeldBackNames() const { return m_heldBackNames; }

private:
    std::size_t m_shownFailures;
    std::size_t m_failures = 0;
    std::size_t m_heldBack = 0;
    std::vector<std::string> m_heldBackNames;
};

// How many failures show their own boxes, and how many held-back names the closing box lists.
namespace failure_boxes {
constexpr std::size_t kShownFailures = 3;
constexpr std::size_t kListedNames = 10;
}  // namespace failure_boxes

}  // namespace editor
