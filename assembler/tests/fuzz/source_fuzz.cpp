// Arbitrary source texts through the three passes and the writers. Every
// failure must be a numbered message: no crash, no hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assembler/context.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dravlin::AsmContext context;
    dravlin::SourceFile source;
    source.name = "fuzz.asm";
    source.text.assign(reinterpret_cast<const char*>(data), size);
    context.sources.push_back(std::move(source));
    // Half the inputs take the C compiler's line marks.
    context.settings.code_lines = size > 0 && (data[0] & 1) != 0;
    try {
        if (dravlin::run_passes(context)) {
            std::string symbols = dravlin::symbol_file_bytes(context.rows);
            std::string object = dravlin::object_file_bytes(context);
            if (object.size() < 72 || symbols.size() < 16) __builtin_trap();
        }
    } catch (const dravlin::AsmAbort&) {
    }
    return 0;
}
