#include "ide/debugger/value_display.h"

#include <bit>
#include <cstdio>

namespace ide {

namespace {

constexpr std::uint32_t kAddressSpace = 0x10000;

std::string print(const char* pattern, auto value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string address_text(std::uint32_t address) { return print("0x%x", address & 0xFFFF); }

// An integer in the display radix: signed values are widened first, so an
// int holding -1 shows 0xffffffff in hexadecimal.
std::string integer_text(std::int64_t value, bool hex) {
    return hex ? print("0x%x", static_cast<std::uint32_t>(value)) : print("%lld", static_cast<long long>(value));
}

std::string float_text(std::uint32_t bits) { return print("%f", static_cast<double>(std::bit_cast<float>(bits))); }

std::string constant_text(const FormularValue& value, bool hex) {
    if (value.is_float()) return float_text(value.value);
    const bool is_unsigned = value.flags & TypeFlag::kUnsigned;
    std::int64_t number = value.value;
    if (value.flags & TypeFlag::kLong) {
        // Signed whether or not unsigned, as the kind's row of the display
        // table says: the dialect's negative results are unsigned longs.
        number = static_cast<std::int32_t>(value.value);
    } else if (value.flags & TypeFlag::kInt) {
        number =
            is_unsigned ? std::int64_t{value.value & 0xFFFF} : std::int64_t{static_cast<std::int16_t>(value.value)};
    } else if (value.flags & TypeFlag::kChar) {
        number = is_unsigned ? std::int64_t{value.value & 0xFF} : std::int64_t{static_cast<std::int8_t>(value.value)};
    }
    return integer_text(number, hex);
}

std::string scalar_text(const CFormular& formular, const FormularValue& value) {
    const std::uint32_t bits = formular.read_dword(value.value);
    const bool hex = formular.hex_mode();
    switch (value.type.kind) {
        case TypeKind::kFloat:
        case TypeKind::kFloat2: return float_text(bits);
        case TypeKind::kChar: return integer_text(static_cast<std::int8_t>(bits), hex);
        case TypeKind::kUnsignedInt: return integer_text(bits & 0xFFFF, hex);
        case TypeKind::kLong:
        case TypeKind::kUnsignedLong: return integer_text(static_cast<std::int32_t>(bits), hex);
        default: return integer_text(static_cast<std::int16_t>(bits), hex);
    }
}

bool is_structure(const CTypeRecord& type) { return type.kind == TypeKind::kStruct || type.kind == TypeKind::kUnion; }

DisplayItem describe(const CFormular& formular, const FormularValue& value, const std::string& name) {
    DisplayItem item{name, {}, value, false};
    if (value.is(Category::kConstant) || !value.has_type) {
        item.text = constant_text(value, formular.hex_mode());
        return item;
    }
    const bool address = value.is(Category::kAddress);
    const CTypeRecord& type = value.type;
    if (type.kind == TypeKind::kPointer) {
        item.text = address_text(address ? value.value : formular.read_word(value.value));
        item.expandable = true;
    } else if (type.kind == TypeKind::kArray) {
        item.text = address_text(value.value);
        item.expandable = !address;
    } else if (is_structure(type)) {
        item.text = address ? address_text(value.value) : "{...}";
        auto head = formular.struct_row(type.extra);
        item.expandable = !address && head && head->hidden_or_unused == 0;
    } else if (address) {
        item.text = address_text(value.value);
        item.expandable = true;
    } else {
        item.text = scalar_text(formular, value);
    }
    return item;
}

std::vector<DisplayItem> children(const CFormular& formular, const FormularValue& value) {
    std::vector<DisplayItem> out;
    const CTypeRecord& type = value.type;
    const bool address = value.is(Category::kAddress);
    if (address) {
        // What the address points at: the value of its own type there.
        out.push_back(describe(formular, formular.place(value.value, type), ""));
    } else if (type.kind == TypeKind::kPointer) {
        out.push_back(
            describe(formular, formular.place(formular.read_word(value.value), formular.next_type(type)), ""));
    } else if (type.kind == TypeKind::kArray) {
        const CTypeRecord element = formular.next_type(type);
        const std::uint32_t step = formular.size_of(element);
        const std::uint32_t total = std::min(type.extra, kAddressSpace);
        for (std::uint32_t offset = 0, index = 0; step != 0 && offset < total; offset += step, ++index)
            out.push_back(describe(formular, formular.place(value.value + offset, element), print("[%u]", index)));
    } else if (is_structure(type)) {
        auto head = formular.struct_row(type.extra);
        for (std::uint32_t m = 1; head && m <= head->count_or_type; ++m) {
            auto member = formular.struct_row(type.extra + m);
            if (!member) break;
            const FormularValue place = formular.place(value.value + (member->size_or_offset & 0xFFFF),
                                                       formular.type_row(member->count_or_type));
            out.push_back(describe(formular, place, formular.member_name(*member)));
        }
    }
    return out;
}

}  // namespace

DisplayItem describe_value(const CFormular& formular, const FormularValue& value, const std::string& name) {
    try {
        return describe(formular, value, name);
    } catch (const EvalError& error) {
        return DisplayItem{name, std::string(eval_code_text(error.code)), std::nullopt, false};
    }
}

std::vector<DisplayItem> expand_value(const CFormular& formular, const DisplayItem& item) {
    if (!item.expandable || !item.value) return {};
    try {
        return children(formular, *item.value);
    } catch (const EvalError& error) {
        return {DisplayItem{"", std::string(eval_code_text(error.code)), std::nullopt, false}};
    }
}

std::uintptr_t FillResultTree(const DisplayItem& item, ResultTree& tree, std::uintptr_t after) {
    return tree.InsertItem(0, after, item.name, item.text, item.expandable);
}

}  // namespace ide
