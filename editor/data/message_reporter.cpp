#include "editor/data/message_reporter.h"

#include <cstdio>
#include <utility>

namespace editor {
namespace {

void WriteToStandardError(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

MessageReporter& Installed() {
    static MessageReporter reporter = WriteToStandardError;
    return reporter;
}

}  // namespace

MessageReporter SetMessageReporter(MessageReporter reporter) {
    return std::exchange(Installed(), reporter ? std::move(reporter) : MessageReporter(WriteToStandardError));
}

void ShowMessage(const std::string& caption, const std::string& text) {
    Installed()(caption, text);
}

}  // namespace editor
