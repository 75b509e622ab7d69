#pragma once
// Where the console tools' messages go: the file "output.msg" in the current
// folder (which the IDE copies into its Build pane) and, unless switched off,
// standard error. The program's own banner and usage go to standard output.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace linker {

// The process's standard streams, replaceable by tests.
struct Console {
    std::function<void(std::string_view)> out;
    std::function<void(std::string_view)> err;
    static Console standard();
};

class ToolMessages {
public:
    // Creates (or empties) "output.msg"; without it messages go to standard
    // error only. Harnesses that run stages in memory pass with_file = false.
    explicit ToolMessages(const Console& console, bool with_file = true);
    ~ToolMessages();
    ToolMessages(const ToolMessages&) = delete;
    ToolMessages& operator=(const ToolMessages&) = delete;

    void set_echo(bool echo) { echo_ = echo; }
    void write(std::string_view text);
    void close();

private:
    const Console& console_;
    std::FILE* file_ = nullptr;
    bool echo_ = true;
};

// printf-style "%s" substitution of up to two texts (the message tables use
// nothing else), so that texts from input files are never read as formats.
std::string fill_texts(std::string_view pattern, std::string_view first = {}, std::string_view second = {});

}  // namespace linker
