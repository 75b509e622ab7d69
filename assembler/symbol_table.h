#pragma once
// The one table of every name a source defines, sorted by name (bytes
// compared unsigned, case-sensitive). A symbol's index is its place in that
// order: indices shift while pass 0 inserts and stay put from pass 1 on.
// A handle (the record's number in insertion order) never moves: references
// kept from pass 0 on, such as a structure member's type, hold handles.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravlin {

enum class SymbolKind : uint8_t {
    Label = 16,
    Section = 32,
    Segment = 48,
    Procedure = 64,
    Constant = 81,       // EQU or #DEFINE
    AssignedValue = 82,  // "="
    ByteVariable = 83,
    WordVariable = 84,
    DwordVariable = 85,
    QwordVariable = 86,
    StructVariable = 96,
    StructType = 97,
    Macro = 112,
};

enum SymbolState : uint8_t {
    kSymbolDefined = 0,
    kSymbolOpenForRedefinition = 1,  // #REDEF
    kSymbolExternal = 0xFF,          // EXTERN
};

// Where a definition stands: the source and the offset of its line's start.
struct SourcePlace {
    uint32_t source_index = 0;
    uint32_t line_offset = 0;
};

struct Symbol {
    uint8_t state = kSymbolDefined;
    SymbolKind kind = SymbolKind::Label;
    std::string name;
    SourcePlace place;
    int32_t value = 0;  // offset, constant, structure size or macro location
    int32_t aux = 0;    // structure type: first member; structure variable: its type's handle
    int16_t section = -1;
    int16_t segment = -1;  // within the section
    // Pass 1: the value is already the one pass 2 will see at this point of
    // the source (a place defined earlier in the pass, a value made of such).
    bool settled = false;
};

class SymbolTable {
public:
    enum class InsertOutcome {
        Added,       // a new record
        Redefined,   // an open or external record taken over
        Redeclared,  // a section or segment declared again: a second record
        Duplicate,   // the name exists: "symbol redefine"
    };
    struct InsertResult {
        int index;
        InsertOutcome outcome;
    };

    // Index of `name`, or -1. A name declared more than once (a section or
    // segment) answers one of its records.
    int index_of(std::string_view name) const;

    // Pass 0: adds a name, or takes over one that is open or external. Until
    // the table is sorted, a name's index is its handle.
    InsertResult insert(std::string_view name, SymbolKind kind, int32_t value, SourcePlace place);

    // Once pass 0 has added every name: sorts them, which gives every name
    // the index it keeps from then on. A name declared more than once keeps
    // its records newest first. Inserting a name later unsorts the table.
    void sort();

    // Passes 1 and 2: refreshes an existing name; false when it is missing.
    bool define(std::string_view name, SymbolKind kind, int32_t value, bool settled, SourcePlace place, int16_t section,
                int16_t segment);

    // Room for `count` records without moving any.
    void reserve(size_t count);

    Symbol& at(int index) { return records_[order_[static_cast<size_t>(index)]]; }
    int handle(int index) const { return static_cast<int>(order_[static_cast<size_t>(index)]); }
    Symbol& by_handle(int handle) { return records_[static_cast<size_t>(handle)]; }
    const Symbol& by_handle(int handle) const { return records_[static_cast<size_t>(handle)]; }
    bool is_handle(int handle) const { return handle >= 0 && static_cast<size_t>(handle) < records_.size(); }
    // The index of every handle (valid while no name is inserted).
    std::vector<int> indices_by_handle() const;
    const Symbol& at(int index) const { return records_[order_[static_cast<size_t>(index)]]; }
    int size() const { return static_cast<int>(order_.size()); }

private:
    InsertResult add_record(std::string_view name, SymbolKind kind, int32_t value, SourcePlace place);
    // The sorted search: the index of `name`, or -1.
    int search(std::string_view name) const;
    // Enters `index` for its name in the hash, which is kept at most half full.
    void enter(int index);
    void rehash();
    void unsort();

    std::vector<Symbol> records_;  // in insertion order
    // Record numbers by index: in insertion order until sorted, then sorted
    // by name.
    std::vector<uint32_t> order_;
    bool sorted_ = false;
    // Per record: its name's first eight bytes packed into a number that
    // orders as the bytes do, so most comparisons of a sort or search
    // compare integers.
    std::vector<uint64_t> name_keys_;
    // Open addressing over name hashes: each slot an index, or -1.
    std::vector<int32_t> lookup_slots_;
    size_t entered_ = 0;  // slots in use
};

}  // namespace dravlin
