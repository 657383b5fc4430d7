#include "editor/data/failure_boxes.h"

#include "editor/data/message_reporter.h"

#include <utility>

namespace editor {
namespace {

// Puts the reporter back however the load ends.
class RestoreReporter {
public:
    explicit RestoreReporter(MessageReporter reporter) : m_reporter(std::move(reporter)) {}
    ~RestoreReporter() { SetMessageReporter(std::move(m_reporter)); }
    RestoreReporter(const RestoreReporter&) = delete;
    RestoreReporter& operator=(const RestoreReporter&) = delete;

private:
    MessageReporter m_reporter;
};

}  // namespace

void TFailureBoxes::Run(const std::string& name, const std::function<void()>& load) {
    const bool shown = m_failures < m_shownFailures;
    bool failed = false;
    {
        const MessageReporter outer = SetMessageReporter({});
        const RestoreReporter restore(outer);
        SetMessageReporter([&](const std::string& caption, const std::string& text) {
            failed = true;
            if (shown) {
                outer(caption, text);
            }
        });
        load();
    }
    if (!failed) {
        return;
    }
    ++m_failures;
    if (!shown) {
        ++m_heldBack;
        if (m_heldBackNames.size() < failure_boxes::kListedNames) {
            m_heldBackNames.push_back(name);
        }
    }
}

}  // namespace editor
