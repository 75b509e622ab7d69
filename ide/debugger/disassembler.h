#pragma once
// The IDE's 6502 disassembler: a range of target memory as text lines of the
// disassembly pane, with the current line and the PC marked.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace ide {

class CDebugTarget;
class TargetMemory;

// What the disassembler needs of the output pane.
class DisassemblyPane {
public:
    virtual ~DisassemblyPane() = default;
    virtual void Clear() = 0;
    // False when the pane is full and refuses the line.
    virtual bool AddLine(std::string_view text) = 0;
    virtual void SetMarkLines(int first, int last, int pc) = 0;
    // The addresses the target stops at; their lines are framed in every listing until the next call.
    virtual void SetBreakAddresses(std::set<std::uint16_t> addresses) = 0;
};

// One decoded line ("%04X: ..." with its "\r\n") of the instruction at
// `address`; `bytes` holds at least three bytes from it. Sets `length`.
std::string disassemble_one(std::uint32_t address, const std::uint8_t* bytes, unsigned& length);

// Returns 0, or -1 when the pane refused a line (the lines so far stay, unmarked).
int DisassembleRange(const TargetMemory& memory, DisassemblyPane& pane, std::uint16_t start, std::uint16_t end,
                     std::uint16_t pc);
// Around the session's last stop: the stop line marked, the PC marked.
int DisassembleSession(const CDebugTarget& session, DisassemblyPane& pane);

}  // namespace ide
