#pragma once
// CFormular, the debugger's C expression evaluator: one object per
// evaluation. It parses the expression by recursive descent, resolves
// identifiers in the scopes of the C function the target stopped in (from the
// module's .csy file), reads and writes the stopped target's memory, and
// hands the result to the value display.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ide/debugger/csy_file.h"
#include "ide/debugger/formular_value.h"
#include "ide/debugger/global_locator.h"
#include "ide/debugger/target_memory.h"
#include "platform/os/file.h"

namespace ide {

namespace evaluator {
class Ops;
}

struct EvalContext {
    const TargetMemory* memory = nullptr;  // null outside a debug run
    DebugFileSet files;
    std::uint16_t pc = 0;
};

// One line of the result tree: the name column, the value column, and the
// value behind it when the line can be expanded.
struct DisplayItem {
    std::string name;
    std::string text;
    std::optional<FormularValue> value;
    bool expandable = false;
};

class CFormular {
public:
    explicit CFormular(EvalContext context) : context_(std::move(context)) {}
    virtual ~CFormular() = default;
    CFormular(const CFormular&) = delete;
    CFormular& operator=(const CFormular&) = delete;

    // Maps the module's .csy and finds the function holding the PC; false
    // when either is missing (constants still evaluate).
    bool InitCsym(const std::string& module);
    void SetHexMode(bool hex) { hex_ = hex; }
    bool hex_mode() const { return hex_; }

    // Evaluates and describes the result as the tree's root line.
    DisplayItem Evaluate(std::string_view expression);
    // The code of the last failure, 0 after success.
    int last_error() const { return last_error_; }
    const std::optional<FormularValue>& result() const { return result_; }

    // Type facts for the value display; failures throw EvalError.
    CTypeRecord next_type(const CTypeRecord& type) const;
    CTypeRecord type_row(std::uint32_t row) const;
    std::uint32_t size_of(const CTypeRecord& type) const;
    std::optional<CsyStructEntry> struct_row(std::uint32_t row) const;
    std::string member_name(const CsyStructEntry& member) const;
    // A value in memory at `address` typed by `type`.
    FormularValue place(std::uint32_t address, const CTypeRecord& type) const;
    std::uint32_t read_dword(std::uint32_t address) const;
    std::uint16_t read_word(std::uint32_t address) const;

private:
    class Parser;

    const CsyFile* symbols() const { return ready_ ? &*csy_ : nullptr; }
    std::optional<FormularValue> resolve(std::string_view name, bool evaluate) const;
    std::uint32_t add_type(const CTypeRecord& type);
    void write(std::uint32_t address, std::uint32_t value, std::uint32_t width) const;

    EvalContext context_;
    bool hex_ = false;
    std::optional<os::MappedFile> csy_file_;
    std::optional<CsyFile> csy_;
    bool ready_ = false;
    std::uint32_t module_row_ = 0;
    std::uint32_t function_row_ = 0;
    std::string module_name_;
    std::vector<CTypeRecord> extra_types_;
    std::optional<FormularValue> result_;
    int last_error_ = 0;

    friend class evaluator::Ops;
};

}  // namespace ide
