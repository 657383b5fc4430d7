#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// What every tool does with a command line before its own work: --help, and arguments that make
// no sense.
namespace tools {

// A command line the tool cannot run: the message says why in one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError for an argument that looks like an option ("-" and more) unless it is one of
// the known ones.
void RejectUnknownOptions(const std::vector<std::string>& arguments, const std::vector<std::string>& known = {});

// The tools' main: "--help" (or "-h") anywhere prints the usage and the options every tool has on
// standard output and answers 0, as "--version" does with "program version"; a UsageError thrown
// by run prints "program: message" and the same help on standard error and answers 2; otherwise
// run's own answer.
int RunTool(const std::string& program, const std::string& usage, int argc, char** argv,
            const std::function<int(const std::vector<std::string>& arguments)>& run);

}  // namespace tools
