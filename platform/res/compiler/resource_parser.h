#pragma once
// Reads the resource text form (see README.md) into a Module. Errors are
// numbered diagnostics with the file and line; parsing goes on after most of
// them so that one run reports what it can.
#include <string>
#include <string_view>
#include <vector>

#include "platform/res/resources.h"

namespace kit::res {

struct Diagnostic {
    int line = 0;
    int code = 0;  // R1xxx: syntax, R2xxx: values, R3xxx: duplicates
    std::string message;
};

struct ParseResult {
    Module module;
    std::vector<Diagnostic> errors;
    bool ok() const { return errors.empty(); }
};

ParseResult parse_resources(std::string_view text, std::string module_name);

// "file(line): error Rnnnn: message"
std::string format_diagnostic(const std::string& file, const Diagnostic& d);

}  // namespace kit::res
