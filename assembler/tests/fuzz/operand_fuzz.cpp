// Arbitrary operand texts through the evaluator and the encoder: any error is
// fine, a crash or a hang is not.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "assembler/encoder.h"
#include "assembler/expression.h"
#include "assembler/keyword_tables.h"
#include "assembler/tests/asm_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static dravlin::AsmContext* context = [] {
        auto* made = new dravlin::AsmContext;
        dravlin_test::fill_context(*made);
        return made;
    }();
    int mnemonic = 1 + data[0] % static_cast<int>(dravlin::mnemonics().size() - 1);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    dravlin::evaluate(*context, text);
    dravlin::encode_instruction(*context, mnemonic, text, true, data[0] & 1 ? 3 : 0);
    return 0;
}
