#include "assembler/data_items.h"

#include <algorithm>
#include <array>
#include <vector>

#include "assembler/code_output.h"
#include "assembler/declarations.h"
#include "assembler/expression.h"
#include "assembler/keyword_tables.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

enum class ItemForm { String, Reserve, Duplicate, Expression };

// Views of the statement's line, which outlives the items.
struct DataItem {
    ItemForm form = ItemForm::Expression;
    std::string_view text;   // the whole item; the string with its quotes
    std::string_view count;  // n of "n dup(v)"
    std::string_view value;  // v of "n dup(v)"
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    size_t start = 0, end = text.size();
    while (start < end && is_blank(text[start])) ++start;
    while (end > start && is_blank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

// "n dup(v)": "dup" in any case after a blank, then "(", and ")" at the end.
bool split_duplicate(std::string_view text, DataItem& item) {
    for (size_t at = 1; at + 3 < text.size(); ++at) {
        if (!is_blank(text[at - 1])) continue;
        std::array<char, 3> word{text[at], text[at + 1], text[at + 2]};
        for (char& c : word) c = static_cast<char>(c & ~0x20);
        if (std::string_view(word.data(), word.size()) != "DUP") continue;
        size_t open = at + 3;
        while (open < text.size() && is_blank(text[open])) ++open;
        if (open >= text.size() || text[open] != '(' || text.back() != ')') return false;
        item.form = ItemForm::Duplicate;
        item.count = trimmed(text.substr(0, at));
        item.value = text.substr(open + 1, text.size() - open - 2);
        return true;
    }
    return false;
}

std::vector<DataItem> read_items(std::string_view items) {
    std::vector<DataItem> result;
    size_t pos = 0;
    std::string_view text;
    for (;;) {
        WordResult read = read_operand(items, pos, text);
        if (read == kWordComma) continue;
        if (read != kWordRead) break;
        DataItem item;
        item.text = text;
        if (text.front() == '"')
            item.form = ItemForm::String;
        else if (text == "?")
            item.form = ItemForm::Reserve;
        else
            split_duplicate(text, item);
        result.push_back(std::move(item));
    }
    return result;
}

bool sound_string(std::string_view text) { return text.size() >= 2 && text.back() == '"'; }

// n of "n dup(v)": a constant from 0 to kMaxDuplicates, or -1 with 2003.
int32_t duplicate_count(AsmContext& context, const DataItem& item) {
    ExprResult count = evaluate(context, item.count);
    if (count.error || !count.constant || count.value < 0 || count.value > kMaxDuplicates) {
        context.error(kMsgExpression);
        return -1;
    }
    return count.value;
}

int32_t item_bytes(AsmContext& context, const DataItem& item, int item_size) {
    switch (item.form) {
        case ItemForm::String:
            if (!sound_string(item.text)) {
                context.error(kMsgExpression);
                return -1;
            }
            return static_cast<int32_t>(item.text.size()) - 2;
        case ItemForm::Duplicate: {
            int32_t count = duplicate_count(context, item);
            return count < 0 ? -1 : count * item_size;
        }
        default: return item_size;
    }
}

// Writes one value of `item_size` bytes (sign-extended, low byte first) and
// its fix-up. A fix-up must fit its field: a whole address needs two bytes,
// a far call four.
void emit_value(AsmContext& context, int32_t offset, const ExprResult& value, int item_size) {
    const Relocation& relocation = value.relocation;
    if (relocation.relocatable) {
        bool whole_address = relocation.type == kFixupAddress || relocation.type == kFixupLocationAddress;
        if ((whole_address && item_size < 2) || (relocation.type == kFixupBankNumber && item_size < 4)) {
            context.error(kMsgIllegalAddressOperation);
            return;
        }
    }
    std::array<uint8_t, 8> bytes{};
    uint64_t extended = static_cast<uint64_t>(int64_t{value.value});
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(extended >> (8 * i));
    if (!put_code(context, offset, bytes.data(), static_cast<size_t>(item_size))) return;
    if (relocation.relocatable) {
        add_fixup(context, Fixup{relocation.external, relocation.type, static_cast<uint16_t>(offset), relocation.symbol,
                                 relocation.addend});
    }
}

// Pass 2: the item's bytes at `offset`; the bytes it took.
int32_t emit_item(AsmContext& context, const DataItem& item, int item_size, int32_t offset) {
    switch (item.form) {
        case ItemForm::String: {
            int32_t length = static_cast<int32_t>(item.text.size()) - 2;
            const auto* characters = reinterpret_cast<const uint8_t*>(item.text.data() + 1);
            put_code(context, offset, characters, static_cast<size_t>(length));
            return length;
        }
        case ItemForm::Reserve: return item_size;  // the segment's buffer starts cleared
        case ItemForm::Duplicate: {
            int32_t count = duplicate_count(context, item);
            ExprResult value = evaluate(context, item.value);
            if (count < 0) return 0;
            if (value.error) {
                context.error(kMsgExpression);
                return count * item_size;
            }
            for (int32_t i = 0; i < count; ++i) emit_value(context, offset + i * item_size, value, item_size);
            return count * item_size;
        }
        case ItemForm::Expression: {
            ExprResult value = evaluate(context, item.text);
            if (value.error)
                context.error(value.error, value.missing_name);
            else
                emit_value(context, offset, value, item_size);
            return item_size;
        }
    }
    return 0;
}

}  // namespace

SymbolKind variable_kind(int item_size) {
    switch (item_size) {
        case 1: return SymbolKind::ByteVariable;
        case 2: return SymbolKind::WordVariable;
        case 4: return SymbolKind::DwordVariable;
        default: return SymbolKind::QwordVariable;
    }
}

int32_t data_items_size(AsmContext& context, int item_size, std::string_view items) {
    std::vector<DataItem> list = read_items(items);
    if (list.empty()) {
        context.error(kMsgSymbolDeclaration);
        return -1;
    }
    int32_t total = 0;
    for (const DataItem& item : list) {
        int32_t bytes = item_bytes(context, item, item_size);
        if (bytes < 0) return -1;
        total += bytes;
    }
    return total;
}

void data_statement(AsmContext& context, const std::string& name, int directive, std::string_view items) {
    int item_size = data_item_size(directive);
    AssemblyState& state = context.state;
    if (context.pass == 0) {
        if (!name.empty()) declare_symbol(context, name, variable_kind(item_size), state.location_counter);
        if (read_items(items).empty()) context.error(kMsgSymbolDeclaration);
        return;
    }
    if (!name.empty()) define_symbol(context, name, variable_kind(item_size), state.location_counter, true);
    if (context.pass == 1) {
        int32_t size = 0;
        if (!state.segment_open)
            context.error(kMsgCodeOutsideSegment);
        else
            size = std::max(data_items_size(context, item_size, items), 0);
        keep_statement_size(context, size);
        state.location_counter += size;
        return;
    }
    int32_t reserved = reserved_statement_size(context);
    int32_t offset = state.location_counter;
    for (const DataItem& item : read_items(items)) offset += emit_item(context, item, item_size, offset);
    // A count that came out otherwise than in pass 1 would move every later address.
    if (offset - state.location_counter != reserved) context.error(kMsgExpression);
    state.location_counter += reserved;
}

}  // namespace dravlin
