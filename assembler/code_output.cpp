#include "assembler/code_output.h"

#include <algorithm>

namespace dravlin {

bool put_code(AsmContext& context, int32_t offset, const uint8_t* bytes, size_t count) {
    if (offset < 0 || static_cast<size_t>(offset) + count > context.code.size()) {
        context.error(kMsgSegmentOverflow);
        return false;
    }
    std::copy(bytes, bytes + count, context.code.begin() + offset);
    return true;
}

void add_fixup(AsmContext& context, const Fixup& fixup) {
    const std::vector<int>& rows = context.rows.row_of_symbol;
    if (fixup.symbol < 0 || static_cast<size_t>(fixup.symbol) >= rows.size() ||
        rows[static_cast<size_t>(fixup.symbol)] < 0) {
        context.error(kMsgUndefinedName);
        return;
    }
    context.object.fixups.push_back(fixup);
}

void keep_statement_size(AsmContext& context, int32_t size) { context.statement_sizes.push_back(size); }

int32_t reserved_statement_size(AsmContext& context) {
    if (context.next_statement >= context.statement_sizes.size()) return 0;
    return context.statement_sizes[context.next_statement++];
}

}  // namespace dravlin
