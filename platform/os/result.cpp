#include "platform/os/result.h"

#include <cstring>

namespace os {

std::string error_text(int code) {
    if (code == kNotRegularFile) return "Not a regular file";
    // strerror_r's GNU form returns the text, which may live outside the buffer.
    char buffer[256];
    return ::strerror_r(code, buffer, sizeof buffer);
}

Error system_error(std::string_view what, int code) { return Error{code, std::string(what) + ": " + error_text(code)}; }

std::string reason_text(const Error& error) { return error.code != 0 ? error_text(error.code) : error.text; }

Error plain_error(std::string text) { return Error{0, std::move(text)}; }

}  // namespace os
