// Arbitrary source texts through the three passes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assembler/context.h"
#include "assembler/passes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dravlin::AsmContext context;
    dravlin::SourceFile source;
    source.name = "fuzz.asm";
    source.text.assign(reinterpret_cast<const char*>(data), size);
    context.sources.push_back(std::move(source));
    try {
        for (int pass = 0; pass <= 2 && dravlin::run_pass(context, pass); ++pass) {
        }
    } catch (const dravlin::AsmAbort&) {
    }
    return 0;
}
