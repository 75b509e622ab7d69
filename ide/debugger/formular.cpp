#include "ide/debugger/formular.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "formats/file_sizes.h"
#include "ide/debugger/formular_ops.h"

namespace ide {

namespace {

constexpr std::uint32_t kExtraTypeBit = 1u << 27;
constexpr std::size_t kMaxModuleNameLength = 502;

}  // namespace

using namespace evaluator;

// ---- type facts -------------------------------------------------------------

CTypeRecord CFormular::type_row(std::uint32_t row) const {
    if (!csy_) fail(EvalCode::kMissType);
    auto type = csy_->type(row);
    if (!type) fail(EvalCode::kMissType);
    return *type;
}

CTypeRecord CFormular::next_type(const CTypeRecord& type) const {
    if (type.next == kCsyNone) fail(EvalCode::kBrokenType);
    if (type.next & kExtraTypeBit) {
        const std::uint32_t row = type.next & ~kExtraTypeBit;
        if (row >= extra_types_.size()) fail(EvalCode::kBrokenType);
        return extra_types_[row];
    }
    return type_row(type.next);
}

std::optional<CsyStructEntry> CFormular::struct_row(std::uint32_t row) const {
    return csy_ ? csy_->struct_row(row) : std::nullopt;
}

std::string CFormular::member_name(const CsyStructEntry& member) const {
    auto name = csy_ ? csy_->name(member.name_offset) : std::nullopt;
    return name ? std::string(*name) : std::string();
}

std::uint32_t CFormular::size_of(const CTypeRecord& type) const {
    switch (type.kind) {
        case TypeKind::kFloat:
        case TypeKind::kFloat2:
        case TypeKind::kLong:
        case TypeKind::kUnsignedLong: return 4;
        case TypeKind::kChar: return 1;
        case TypeKind::kInt:
        case TypeKind::kInt2:
        case TypeKind::kUnsignedInt:
        case TypeKind::kPointer: return 2;
        case TypeKind::kStruct:
        case TypeKind::kUnion: {
            auto head = struct_row(type.extra);
            return head ? head->size_or_offset : 0;
        }
        case TypeKind::kArray: return type.extra;
        default: return 0;
    }
}

FormularValue CFormular::place(std::uint32_t address, const CTypeRecord& type) const {
    FormularValue out;
    out.value = address & 0xFFFF;
    out.type = type;
    out.has_type = true;
    if (type.kind == TypeKind::kPointer || type.kind == TypeKind::kArray) {
        out.flags = element_flags(next_type(type));
        out.category = type.kind == TypeKind::kPointer ? Category::kPointer : Category::kArray;
    } else {
        out.flags = kind_flags(type.kind);
        out.category = Category::kVariable;
    }
    return out;
}

std::uint32_t CFormular::add_type(const CTypeRecord& type) {
    extra_types_.push_back(type);
    return static_cast<std::uint32_t>(extra_types_.size() - 1) | kExtraTypeBit;
}

// ---- target memory ------------------------------------------------------------

std::uint32_t CFormular::read_dword(std::uint32_t address) const {
    if (!context_.memory || !context_.memory->attached()) fail(EvalCode::kNotDebugging);
    auto value = context_.memory->read_dword(static_cast<std::uint16_t>(address));
    if (!value) fail(EvalCode::kValueNotRight);
    return *value;
}

std::uint16_t CFormular::read_word(std::uint32_t address) const {
    return static_cast<std::uint16_t>(read_dword(address));
}

void CFormular::write(std::uint32_t address, std::uint32_t value, std::uint32_t width) const {
    if (!context_.memory || !context_.memory->attached()) fail(EvalCode::kNotDebugging);
    std::uint8_t bytes[8] = {};
    std::memcpy(bytes, &value, 4);
    if (context_.memory->write(static_cast<std::uint16_t>(address), {bytes, width}) != width)
        fail(EvalCode::kValueNotRight);
}

// ---- symbols --------------------------------------------------------------------

bool CFormular::InitCsym(const std::string& module) {
    ready_ = false;
    module_name_ = module;
    if (module.size() > kMaxModuleNameLength) return false;
    auto mapped = os::MappedFile::open_read(context_.files.path(module, ".csy"), formats::kLargestCsyFile);
    if (!mapped) return false;
    csy_file_ = std::move(mapped.value());
    csy_.emplace(formats::ByteReader(csy_file_->bytes()));
    auto position = csy_->locate(context_.files.project_folder + module + ".c", context_.pc);
    if (!position) return false;
    module_row_ = position->module_row;
    function_row_ = position->function_row;
    ready_ = true;
    return true;
}

std::optional<FormularValue> CFormular::resolve(std::string_view name, bool evaluate) const {
    const CsyFile* file = symbols();
    if (!file) return std::nullopt;
    auto module = file->module(module_row_);
    auto range = module ? file->range(module->first_range + function_row_) : std::nullopt;
    if (!range) return std::nullopt;
    std::uint32_t scope_row = range->scope_row;
    // Bounded by the number of scope rows the file can hold, so a parent
    // cycle cannot loop for ever.
    const std::size_t most_scopes = file->size() / sizeof(CsyScopeEntry) + 1;
    for (std::size_t hops = 0; hops < most_scopes; ++hops) {
        auto scope = file->scope(scope_row);
        if (!scope || scope->level < 3) return std::nullopt;
        for (std::uint32_t i = 0; i < scope->symbol_count; ++i) {
            auto symbol = file->symbol(*scope, i);
            if (!symbol) break;
            if (file->name(symbol->name_offset) != name) continue;
            const CTypeRecord type = type_row(symbol->type_row);
            if (!evaluate) return place(0, type);
            std::uint32_t address = 0;
            std::uint32_t storage = 0;
            if (symbol->storage_class == CsyClass::kExternal || scope->level == 3) {
                auto link_name = file->name(symbol->value);
                auto found = link_name ? locate_global(context_.files, module_name_, *link_name) : std::nullopt;
                if (!found) fail(EvalCode::kMissAddress);
                address = *found;
                storage =
                    symbol->storage_class == CsyClass::kExternal ? StorageFlag::kExternal : StorageFlag::kFileScope;
            } else if (symbol->storage_class == CsyClass::kParameter) {
                address = read_word(0x42) + symbol->value;
                storage = StorageFlag::kParameter;
            } else if (symbol->storage_class == CsyClass::kLocal) {
                address = read_word(0x40) + symbol->value;
                storage = StorageFlag::kLocal;
            } else {
                fail(EvalCode::kMissAddress);
            }
            FormularValue out = place(address, type);
            out.storage = storage;
            return out;
        }
        if (scope->parent == kCsyNone) return std::nullopt;
        scope_row = scope->parent;
    }
    return std::nullopt;
}

}  // namespace ide
