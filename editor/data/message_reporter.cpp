#include "editor/data/message_reporter.h"

#include <cstdio>
#include <utility>

namespace editor {
namespace {

MessageReporter& Installed() {
    static MessageReporter reporter;
    return reporter;
}

}  // namespace

MessageReporter SetMessageReporter(MessageReporter reporter) {
    return std::exchange(Installed(), std::move(reporter));
}

void ShowMessage(const std::string& caption, const std::string& text) {
    if (Installed()) {
        Installed()(caption, text);
    } else {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
}

}  // namespace editor
