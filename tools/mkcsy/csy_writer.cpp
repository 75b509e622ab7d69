#include "tools/mkcsy/csy_writer.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace mkcsy {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint32_t kHeaderSize = 64;

struct BadLine : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Module {
    std::string path;
    struct Function {
        std::uint32_t start, end;
        std::string scope;
    };
    std::vector<Function> functions;
};
struct Symbol {
    std::string name;
    std::uint32_t storage_class;
    std::string type;
    std::string value;  // a number, or @link name
};
struct Scope {
    std::string label;
    std::uint32_t level;
    std::string parent;
    std::vector<Symbol> symbols;
};
struct Type {
    std::string label;
    std::uint32_t kind;
    std::string next;
    std::string extra;
};
struct Member {
    std::string name, type;
    std::uint32_t offset;
};
struct Struct {
    std::string label, tag;
    std::uint32_t size;
    bool hidden;
    std::vector<Member> members;
};

std::uint32_t number(const std::string& text) {
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 0);
        if (used != text.size() || value > 0xFFFFFFFFul) throw BadLine("bad number '" + text + "'");
        return static_cast<std::uint32_t>(value);
    } catch (const std::logic_error&) {
        throw BadLine("bad number '" + text + "'");
    }
}

struct Description {
    std::vector<Module> modules;
    std::vector<Scope> scopes;
    std::vector<Type> types;
    std::vector<Struct> structs;

    void add(const std::vector<std::string>& words) {
        const std::string& what = words[0];
        auto need = [&](std::size_t low, std::size_t high) {
            if (words.size() < low || words.size() > high) throw BadLine("wrong number of fields for '" + what + "'");
        };
        if (what == "module") {
            need(2, 2);
            modules.push_back({words[1], {}});
        } else if (what == "function") {
            need(4, 4);
            if (modules.empty()) throw BadLine("function before any module");
            modules.back().functions.push_back({number(words[1]), number(words[2]), words[3]});
        } else if (what == "scope") {
            need(4, 4);
            scopes.push_back({words[1], number(words[2]), words[3], {}});
        } else if (what == "symbol") {
            need(5, 5);
            if (scopes.empty()) throw BadLine("symbol before any scope");
            if (!words[4].starts_with("@")) number(words[4]);
            scopes.back().symbols.push_back({words[1], number(words[2]), words[3], words[4]});
        } else if (what == "type") {
            need(4, 5);
            types.push_back({words[1], number(words[2]), words[3], words.size() == 5 ? words[4] : "0"});
            if (words.size() == 5 && std::isdigit(static_cast<unsigned char>(words[4][0]))) number(words[4]);
        } else if (what == "struct") {
            need(4, 5);
            if (words.size() == 5 && words[4] != "hidden") throw BadLine("unknown struct option '" + words[4] + "'");
            structs.push_back({words[1], words[2], number(words[3]), words.size() == 5, {}});
        } else if (what == "member") {
            need(4, 4);
            if (structs.empty()) throw BadLine("member before any struct");
            structs.back().members.push_back({words[1], words[2], number(words[3])});
        } else {
            throw BadLine("unknown statement '" + what + "'");
        }
    }
};

class Writer {
public:
    explicit Writer(const Description& d) : d_(d) {
        for (std::uint32_t i = 0; i < d.scopes.size(); ++i) scope_rows_[d.scopes[i].label] = i;
        for (std::uint32_t i = 0; i < d.types.size(); ++i) type_rows_[d.types[i].label] = i;
        std::uint32_t row = 0;
        for (const Struct& s : d.structs) {
            struct_rows_[s.label] = row;
            row += 1 + static_cast<std::uint32_t>(s.members.size());
        }
    }

    std::string bytes() {
        std::string modules, ranges, structs, types, scopes, symbols;
        std::uint32_t range_row = 0;
        for (const Module& m : d_.modules) {
            if (m.functions.empty()) throw BadLine("module '" + m.path + "' has no function");
            put(modules, {name(m.path), range_row, static_cast<std::uint32_t>(m.functions.size() - 1)});
            for (const auto& f : m.functions) put(ranges, {row_of(scope_rows_, f.scope, "scope"), f.start, f.end});
            range_row += static_cast<std::uint32_t>(m.functions.size());
        }
        for (const Struct& s : d_.structs) {
            put(structs, {s.hidden ? 1u : 0u, name(s.tag), static_cast<std::uint32_t>(s.members.size()), s.size});
            for (const Member& m : s.members)
                put(structs, {0, name(m.name), row_of(type_rows_, m.type, "type"), m.offset});
        }
        for (const Type& t : d_.types) {
            const std::uint32_t extra = struct_rows_.count(t.extra) ? struct_rows_[t.extra] : number(t.extra);
            put(types, {optional_row(type_rows_, t.next, "type"), t.kind, extra});
        }
        const std::uint32_t modules_at = kHeaderSize;
        const auto ranges_at = modules_at + static_cast<std::uint32_t>(modules.size());
        const auto structs_at = ranges_at + static_cast<std::uint32_t>(ranges.size());
        const auto types_at = structs_at + static_cast<std::uint32_t>(structs.size());
        const auto scopes_at = types_at + static_cast<std::uint32_t>(types.size());
        const auto symbols_at = scopes_at + 16 * static_cast<std::uint32_t>(d_.scopes.size());
        std::uint32_t symbol_offset = symbols_at;
        for (const Scope& s : d_.scopes) {
            put(scopes, {symbol_offset, s.level, optional_row(scope_rows_, s.parent, "scope"),
                         static_cast<std::uint32_t>(s.symbols.size())});
            for (const Symbol& sym : s.symbols) {
                const std::uint32_t value = sym.value.starts_with("@") ? name(sym.value.substr(1)) : number(sym.value);
                put(symbols, {name(sym.name), sym.storage_class, row_of(type_rows_, sym.type, "type"), value});
                symbol_offset += 16;
            }
        }
        const auto pool_at = symbol_offset;
        std::string header(kHeaderSize, '\0');
        const std::uint32_t words[] = {modules_at, static_cast<std::uint32_t>(d_.modules.size()),
                                       ranges_at,  0,
                                       structs_at, static_cast<std::uint32_t>(structs.size() / 16),
                                       types_at,   0,
                                       scopes_at,  0,
                                       pool_at,    0,
                                       pool_at};
        std::memcpy(header.data(), words, sizeof words);
        return header + modules + ranges + structs + types + scopes + symbols + pool_;
    }

private:
    static void put(std::string& out, std::initializer_list<std::uint32_t> words) {
        for (std::uint32_t word : words) out.append(reinterpret_cast<const char*>(&word), 4);
    }
    std::uint32_t name(const std::string& text) {
        const auto offset = static_cast<std::uint32_t>(pool_.size());
        pool_ += text;
        pool_ += '\0';
        return offset;
    }
    static std::uint32_t row_of(const std::map<std::string, std::uint32_t>& rows, const std::string& label,
                                const char* what) {
        auto found = rows.find(label);
        if (found == rows.end()) throw BadLine(std::string("unknown ") + what + " '" + label + "'");
        return found->second;
    }
    static std::uint32_t optional_row(const std::map<std::string, std::uint32_t>& rows, const std::string& label,
                                      const char* what) {
        return label == "-" ? kNone : row_of(rows, label, what);
    }

    const Description& d_;
    std::map<std::string, std::uint32_t> scope_rows_, type_rows_, struct_rows_;
    std::string pool_;
};

}  // namespace

std::string build_csy(std::string_view description, std::string* error) {
    Description parsed;
    std::istringstream lines{std::string(description)};
    std::string line;
    int number_of_line = 0;
    try {
        while (std::getline(lines, line)) {
            ++number_of_line;
            line = line.substr(0, line.find('#'));
            std::istringstream fields(line);
            std::vector<std::string> words;
            for (std::string word; fields >> word;) words.push_back(word);
            if (!words.empty()) parsed.add(words);
        }
        number_of_line = 0;
        return Writer(parsed).bytes();
    } catch (const BadLine& bad) {
        if (error) *error = (number_of_line ? "line " + std::to_string(number_of_line) + ": " : "") + bad.what();
        return {};
    }
}

}  // namespace mkcsy
