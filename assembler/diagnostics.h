#pragma once
// Numbered messages of the assembler and the one reporter that writes them to
// "output.msg" and counts errors. A fatal message or the 103rd counted error
// throws AsmAbort, which unwinds to the driver.
#include <cstdio>
#include <string>
#include <string_view>

namespace dravlin {

// Message ids used by the assembler's own code (the table holds them all).
enum MessageId : int {
    kMsgAllocFailed = 1001,
    kMsgCannotCreateFile = 1002,
    kMsgWriteFileError = 1006,
    kMsgLineTooLong = 2000,
    kMsgSyntax = 2001,
    kMsgSymbolRedefined = 2004,
    kMsgAddressMode = 2008,
    kMsgUndefinedName = 2019,
    kMsgCodeOutsideSegment = 2033,
    kMsgJumpOutOfRange = 2034,
    kMsgSegmentOverflow = 2037,
    kMsgExprSyntax = 3001,
    kMsgIllegalNumber = 3002,
    kMsgIllegalSymbol = 3003,
    kMsgIllegalStructure = 3004,
    kMsgUndefinedSymbol = 3005,
    kMsgMissingParenthesis = 3006,
    kMsgIllegalAddressOperation = 3007,
    kMsgDivideByZero = 3009,
};

// The string-table text of a message id; empty for an id the table lacks.
std::string_view message_text(int id);

// Thrown by a fatal report or the last counted error; the driver ends the run.
struct AsmAbort {};

class Reporter {
public:
    static constexpr int kAbortCount = 103;

    // `sink` may be null (the messages are then lost, as when "output.msg"
    // cannot be created); the reporter does not own it.
    explicit Reporter(std::FILE* sink = nullptr) : sink_(sink) {}

    void set_sink(std::FILE* sink) { sink_ = sink; }

    // A syntax or expression error (id >= 2000) at file(line). `detail` is
    // printed only for 3005, where it is the name that was not found.
    void error(int id, std::string_view file, int line, std::string_view detail = {});

    // A fatal error (id < 2000); `detail` replaces the table text when given.
    [[noreturn]] void fatal(int id, std::string_view file, std::string_view detail = {});

    int error_count() const { return error_count_; }

    // Every message written so far, as written; lets tests read them back.
    const std::string& transcript() const { return transcript_; }

private:
    void write(const std::string& line);

    std::FILE* sink_;
    int error_count_ = 0;
    std::string transcript_;
};

}  // namespace dravlin
