// Arbitrary source texts through the three passes and the writers. Every
// failure must be a numbered message: no crash, no hang, no run that fails
// without saying why, and no message but "file(line) syntax error N: ..." or
// "fatal error ...: N: ..." with N a message the table holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "assembler/context.h"
#include "assembler/diagnostics.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"

namespace {

// Reads the digits at the front of `text`; -1 when there are none.
long take_number(std::string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0) return -1;
    long value = std::stol(std::string(text.substr(0, digits)));
    text.remove_prefix(digits);
    return value;
}

bool take(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) return false;
    text.remove_prefix(expected.size());
    return true;
}

bool known(long id) { return id > 0 && !dravlin::message_text(static_cast<int>(id)).empty(); }

// "fatal error[ file]: N: text"
bool numbered_fatal(std::string_view line) {
    if (!take(line, "fatal error")) return false;
    for (std::size_t at = line.find(": "); at != std::string_view::npos; at = line.find(": ", at + 1)) {
        std::string_view rest = line.substr(at + 2);
        long id = take_number(rest);
        if (id >= 0 && take(rest, ": ")) return known(id) && id < 2000;
    }
    return false;
}

// "file(line) syntax error N: text", the file one of the run's sources.
bool numbered_error(const dravlin::AsmContext& context, std::string_view line) {
    for (const dravlin::SourceFile& source : context.sources) {
        std::string_view rest = line;
        if (!take(rest, source.name) || !take(rest, "(") || take_number(rest) < 0 || !take(rest, ") syntax error "))
            continue;
        long id = take_number(rest);
        return id >= 2000 && known(id) && take(rest, ": ");
    }
    return false;
}

// True when the run wrote at least one message and each is numbered.
bool all_numbered(const dravlin::AsmContext& context) {
    std::string_view transcript = context.reporter.transcript();
    if (transcript.empty()) return false;
    while (!transcript.empty()) {
        std::size_t end = transcript.find("\r\n");
        if (end == std::string_view::npos) return false;
        std::string_view line = transcript.substr(0, end);
        if (!numbered_fatal(line) && !numbered_error(context, line)) return false;
        transcript.remove_prefix(end + 2);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dravlin::AsmContext context;
    dravlin::SourceFile source;
    source.name = "fuzz.asm";
    source.text.assign(reinterpret_cast<const char*>(data), size);
    context.sources.push_back(std::move(source));
    // Half the inputs take the C compiler's line marks.
    context.settings.code_lines = size > 0 && (data[0] & 1) != 0;
    bool failed = false;
    try {
        if (dravlin::run_passes(context)) {
            std::string symbols = dravlin::symbol_file_bytes(context.rows);
            std::string object = dravlin::object_file_bytes(context);
            if (object.size() < 72 || symbols.size() < 16) __builtin_trap();
        } else {
            failed = true;
        }
    } catch (const dravlin::AsmAbort&) {
        failed = true;
    }
    if (failed && !all_numbered(context)) __builtin_trap();
    if (!failed && context.reporter.error_count() != 0) __builtin_trap();
    return 0;
}
