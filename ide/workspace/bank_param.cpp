#include "ide/workspace/bank_param.h"

#include <cstdio>

#include "ide/workspace/text_utils.h"

namespace ide {

namespace {

constexpr std::uint32_t kFieldBound = 65535;

// "-CB 0x4040" gives "0x4040": the text after the part's first blank.
std::string ValueOfPart(std::string_view part) {
    const std::string trimmed = Trim(part);
    const std::size_t blank = trimmed.find(' ');
    return blank == std::string::npos ? std::string() : Trim(std::string_view(trimmed).substr(blank + 1));
}

// The value of the part that begins at `key` (the start when empty) and
// ends at `next_key` (the end when empty); empty when `key` is missing.
std::string Field(std::string_view param, std::string_view key, std::string_view next_key) {
    const std::size_t start = key.empty() ? 0 : param.find(key);
    if (start == std::string_view::npos) return {};
    const std::size_t end = next_key.empty() ? std::string_view::npos : param.find(next_key, start);
    return ValueOfPart(param.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace

std::string ComposeBankParam(const BankLayout& layout, bool hex, bool auto_link) {
    std::uint32_t cb = layout.code_address(), db = layout.data_address, cl = layout.code_size(), dl = layout.data_size;
    if (auto_link) {
        cb = 0x4040;
        db = 0x0;
        cl = 0x8000;
        dl = 0x8000;
    }
    const char* format = hex ? " -CB 0x%X -DB 0x%X -CL 0x%X -DL 0x%X -BN 0x%X" : " -CB %u -DB %u -CL %u -DL %u -BN %u";
    char text[96];
    std::snprintf(text, sizeof text, format, cb, db, cl, dl, layout.number);
    return text;
}

BankParamText ParseBankParam(std::string_view param) {
    BankParamText out;
    out.code_base = Field(param, {}, "-DB");
    out.data_base = Field(param, "-DB", "-CL");
    out.code_length = Field(param, "-CL", "-DL");
    out.data_length = Field(param, "-DL", "-BN");
    out.bank_number = Field(param, "-BN", {});
    return out;
}

BankParamValues BankParamNumbers(std::string_view param) {
    const BankParamText text = ParseBankParam(param);
    BankParamValues values;
    values.code_base = StringToNumber(text.code_base, kFieldBound);
    values.data_base = StringToNumber(text.data_base, kFieldBound);
    values.code_length = StringToNumber(text.code_length, kFieldBound);
    values.data_length = StringToNumber(text.data_length, kFieldBound);
    values.bank_number = StringToNumber(text.bank_number, kFieldBound);
    return values;
}

BankLayout LayoutOfBankParam(std::string_view param) {
    const BankParamValues values = BankParamNumbers(param);
    BankLayout layout;
    layout.number = values.bank_number;
    layout.data_address = values.data_base;
    layout.data_size = values.data_length;
    layout.stack_size = (values.code_base - layout.stack_address()) & 0xFFFF;
    return layout;
}

}  // namespace ide
