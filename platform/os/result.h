#pragma once
// Fallible operations return a Result: either the value or an Error that
// carries errno and a readable text ("open 'a.obj': No such file or directory").
// Nothing in this library throws through its callers.
#include <cerrno>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace os {

struct Error {
    // errno value, 0 when the failure is not a system error. A module may
    // keep its own codes here beside a text of its own (the IDE's workspace
    // and build refusals); reason_text is for this library's errors.
    int code = 0;
    std::string text;  // what failed and why, ready for a message box or a log line
};

// The kit's own error code beside errno's: a FIFO, a device or a socket
// where a regular file is read or written. error_text gives "Not a regular file".
inline constexpr int kNotRegularFile = 0x10000;

// The system's text for an errno value (stands in for FormatMessage).
std::string error_text(int code);

// Why it failed without what: the system's text for a system error (what a
// program prints after the path it names itself), else the error's text.
std::string reason_text(const Error& error);

// An Error for errno after a failed call: "<what>: <system text>".
Error system_error(std::string_view what, int code = errno);

// An Error that is not a system error (bad input, format problem).
Error plain_error(std::string text);

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

// Result of an operation that yields nothing but success or an Error.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};

}  // namespace os
