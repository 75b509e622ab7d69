#pragma once
// The linker's one report routine: every message goes to "output.msg" (and,
// with the echo on, to standard error) and is counted. Unresolved and
// redefined symbols let the link go on; every other message ends it by
// throwing LinkAbort, which the driver turns into the exit code.
#include <cstdint>
#include <string_view>

#include "linker/tool_messages.h"

namespace linker {

enum class LinkMessage {
    UnresolvedSymbol,  // LNK2001
    RedefinedSymbol,   // LNK2002
    OutOfMemory,
    CannotOpen,           // LNK2006: file, system text
    InvalidInput,         // LNK2007: file, what is wrong with it
    WriteFailed,          // LNK2008: file, system text
    TooManyErrors,        // LNK2013
    NotALibrary,          // LNK2011
    CodeOversize,         // LNK2015
    MissingReset,         // LNK2017
    MissingFarcall,       // LNK2017
    NullSymbol,           // LNK2018
    SectionSymbolPulled,  // LNK2020
    DataOversize,         // LNK2026
    ExportOverflow,       // LNK2027
    InternalFarCall,      // LNK2029
    NeedLibrary,          // LNK2030
    CrossBankReference,   // LNK2031: symbol
};

inline constexpr int kLinkFailed = 1;   // errors were reported
inline constexpr int kLinkAborted = 7;  // a fatal error ended the link

struct LinkAbort {
    int exit_code;
};

class LinkReporter {
public:
    explicit LinkReporter(ToolMessages& messages) : messages_(messages) {}

    // Writes and counts the message; throws LinkAbort unless it lets the link go on.
    void report(LinkMessage message, std::string_view first = {}, std::string_view second = {});
    // "\r\n<base>.bin - N error(s), 0 warning(s)\r\n"
    void summary(std::string_view output_base);

    unsigned errors() const { return errors_; }

private:
    ToolMessages& messages_;
    std::uint16_t errors_ = 0;
};

}  // namespace linker
