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
    kMsgVariableDeclaration = 2002,
    kMsgExpression = 2003,
    kMsgSymbolRedefined = 2004,
    kMsgLabelDeclaration = 2005,
    kMsgUnknownCommand = 2006,
    kMsgNoSegment = 2007,
    kMsgAddressMode = 2008,
    kMsgSymbolDeclaration = 2009,
    kMsgSectionDefinition = 2010,
    kMsgSegmentDefinition = 2011,
    kMsgProcedureDefinition = 2012,
    kMsgMissingSectionEnd = 2013,
    kMsgMissingSegmentEnd = 2014,
    kMsgMissingProcedureEnd = 2015,
    kMsgSectionNotDefined = 2016,
    kMsgSegmentNotDefined = 2017,
    kMsgProcedureNotDefined = 2018,
    kMsgUndefinedName = 2019,
    kMsgUndefinedEntryPoint = 2020,
    kMsgMacroDeclaration = 2021,
    kMsgUndefinedMacro = 2022,
    kMsgTooManyArguments = 2024,
    kMsgMissingParameter = 2025,
    kMsgElseWithoutIf = 2026,
    kMsgIfWithoutEnd = 2027,
    kMsgMissingBaseAddress = 2028,
    kMsgMissingBankLength = 2029,
    kMsgMissingBankNumber = 2030,
    kMsgAssignedVariable = 2031,
    kMsgCodeOutsideSegment = 2033,
    kMsgJumpOutOfRange = 2034,
    kMsgCannotFindFile = 2035,
    kMsgConstantExported = 2036,
    kMsgSegmentOverflow = 2037,
    kMsgTooManyMacroParameters = 3000,
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

    // A syntax or expression error (id >= 2000) at file(line). For 3005
    // `detail` is the name that was not found, printed before the text; any
    // other detail follows the text (a limit the line passed).
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
