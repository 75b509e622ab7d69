#include "linker/resolve.h"

#include <deque>
#include <functional>
#include <string>
#include <unordered_set>

#include "linker/layout.h"
#include "linker/link_input.h"
#include "linker/symbol_index.h"

namespace linker {
namespace {

using formats::SymbolKind;

// What a pulled record is known by: a procedure by its symbol row, a data
// record by its section and segment.
struct PullKey {
    std::uint32_t library;
    std::uint32_t member;
    bool is_data;
    std::uint32_t id;
    bool operator==(const PullKey&) const = default;
};

struct PullKeyHash {
    std::size_t operator()(const PullKey& key) const {
        std::size_t hash = key.library;
        hash = hash * 1000003u ^ key.member;
        hash = hash * 1000003u ^ key.id;
        return hash * 2u + (key.is_data ? 1u : 0u);
    }
};

// Reports each (object, name) redefinition once, whichever check finds it.
class RedefinitionLog {
public:
    void report(LinkReporter& reporter, const LinkObject& object, std::string_view name) {
        if (seen_.insert(object.path + '\0' + std::string(name)).second)
            reporter.report(LinkMessage::RedefinedSymbol, object.path, name);
    }

private:
    std::unordered_set<std::string> seen_;
};

class Resolver {
public:
    Resolver(LinkContext& link, LinkReporter& reporter) : link_(link), reporter_(reporter) {}

    void run() {
        find_entry_procedures();
        index_object_publics();
        resolve_objects();
        while (!worklist_.empty()) {
            const auto record = worklist_.front();
            worklist_.pop_front();
            resolve_references(record);
        }
    }

private:
    // The first "reset" and the first "farcall" of the objects' procedure tables.
    void find_entry_procedures() {
        for (std::uint32_t i = 0; i < link_.objects.size(); ++i) {
            const auto& module = link_.objects[i].module;
            for (std::uint32_t p = 0; p < module.procedures.size(); ++p) {
                const auto name = module.symbols[module.procedures[p].symbol_row].name;
                auto* entry = name == "reset" ? &link_.reset : name == "farcall" ? &link_.farcall : nullptr;
                if (!entry) continue;
                if (*entry)
                    redefinitions_.report(reporter_, link_.objects[i], name);
                else
                    *entry = ProcedureRef{i, p};
            }
        }
        if (!link_.reset) reporter_.report(LinkMessage::MissingReset);
        if (!link_.farcall) reporter_.report(LinkMessage::MissingFarcall);
    }

    // Every object's publics, in object and public-table order, so that the
    // first definition wins and redefinitions are reported in that order.
    void index_object_publics() {
        std::vector<std::pair<std::uint32_t, std::uint16_t>> publics;  // object, symbol row
        std::size_t count = 0;
        for (const auto& object : link_.objects) count += object.module.public_rows.size();
        publics.reserve(count);
        for (std::uint32_t i = 0; i < link_.objects.size(); ++i)
            for (auto row : link_.objects[i].module.public_rows) publics.emplace_back(i, row);
        object_publics_.reserve(count);
        auto name_of = [&](std::size_t p) -> std::optional<std::string_view> {
            return link_.objects[publics[p].first].module.symbols[publics[p].second].name;
        };
        for_each_hashed(object_publics_, publics.size(), name_of, [&](std::size_t p, std::uint64_t hash) {
            const auto [object, row] = publics[p];
            const auto name = link_.objects[object].module.symbols[row].name;
            if (!object_publics_.insert(name, hash, local_target(object, row)))
                redefinitions_.report(reporter_, link_.objects[object], name);
        });
    }

    // An EXTERN fix-up of an object, waiting for its lookup.
    struct PendingExtern {
        std::uint32_t object;
        int bank;  // of the fix-up's section: where a library procedure it pulls goes
        std::string_view name;
        Target* target;
    };

    // Every fix-up of every object, in order. Local ones resolve at once. The
    // EXTERNs are looked up in the publics, which outgrow the caches, in runs
    // that span objects, so that hashing and prefetching ahead (for_each_hashed)
    // keeps the misses overlapping even where each object has few fix-ups.
    // Only EXTERNs report or pull, and they keep their order.
    void resolve_objects() {
        static constexpr std::size_t kRun = 4096;
        std::vector<PendingExtern> run;
        run.reserve(kRun);
        for (std::uint32_t index = 0; index < link_.objects.size(); ++index) {
            auto& object = link_.objects[index];
            const auto& module = object.module;
            for (std::size_t s = 0; s < module.sections.size(); ++s)
                for (std::size_t g = 0; g < module.sections[s].segments.size(); ++g) {
                    const auto& fixups = module.sections[s].segments[g].fixups;
                    auto& targets = object.targets[s][g];
                    for (std::size_t f = 0; f < fixups.size(); ++f) {
                        if (!fixups[f].is_extern) {
                            targets[f] = local_target(index, fixups[f].symbol_row);
                            continue;
                        }
                        run.push_back({index, section_bank(object, std::uint16_t(s)),
                                       module.symbols[fixups[f].symbol_row].name, &targets[f]});
                        if (run.size() == kRun) resolve_externs(run);
                    }
                }
        }
        resolve_externs(run);
    }

    void resolve_externs(std::vector<PendingExtern>& run) {
        auto name_of = [&](std::size_t k) -> std::optional<std::string_view> { return run[k].name; };
        for_each_hashed(object_publics_, run.size(), name_of, [&](std::size_t k, std::uint64_t hash) {
            *run[k].target = object_external(link_.objects[run[k].object], run[k].bank, run[k].name, hash);
        });
        run.clear();
    }

    Target local_target(std::uint32_t object, std::uint16_t row) const {
        const auto& symbol = link_.objects[object].module.symbols[row];
        if (symbol.kind == SymbolKind::Constant) return {Target::Kind::Constant, 0, symbol.value};
        return {Target::Kind::ObjectSymbol, object, row};
    }

    // `hash` is the name's hash in object_publics_.
    Target object_external(const LinkObject& object, int bank, std::string_view name, std::uint64_t hash) {
        if (const auto* found = object_publics_.find(name, hash)) return *found;
        if (link_.libraries.empty()) reporter_.report(LinkMessage::NeedLibrary);
        if (name.empty()) reporter_.report(LinkMessage::NullSymbol, link_.libraries.front().path);
        if (auto target = find_in_libraries(name, bank, std::nullopt)) return *target;
        reporter_.report(LinkMessage::UnresolvedSymbol, object.path, name);
        return {};
    }

    // The libraries in command-line order, the `preferred` one first.
    std::optional<Target> find_in_libraries(std::string_view name, int bank, std::optional<std::uint32_t> preferred) {
        auto search = [&](std::uint32_t library) -> std::optional<Target> {
            const auto* found = link_.libraries[library].publics.find(name);
            if (!found) return std::nullopt;
            return pull(library, found->member, found->row, bank);
        };
        if (preferred)
            if (auto target = search(*preferred)) return target;
        for (std::uint32_t library = 0; library < link_.libraries.size(); ++library)
            if (library != preferred)
                if (auto target = search(library)) return target;
        return std::nullopt;
    }

    const ObjSegment& member_segment(std::uint32_t library, std::uint32_t member, std::uint16_t section,
                                     std::uint16_t segment) const {
        return link_.libraries[library].members[member].module.sections[section].segments[segment];
    }

    // What symbol `row` of a library member resolves to, pulling what it needs.
    std::optional<Target> pull(std::uint32_t library, std::uint32_t member, std::uint16_t row, int bank) {
        const auto& module = link_.libraries[library].members[member].module;
        const auto& symbol = module.symbols[row];
        if (symbol.kind == SymbolKind::SectionName || symbol.kind == SymbolKind::SegmentName)
            reporter_.report(LinkMessage::SectionSymbolPulled);
        if (symbol.kind == SymbolKind::Constant) return Target{Target::Kind::Constant, 0, symbol.value};
        if (!module.defines_place(symbol)) return std::nullopt;  // an EXTERN of the member, not a definition
        if (module.sections[symbol.section].is_global)
            return Target{Target::Kind::Pulled, pull_data(library, member, symbol.section, symbol.segment),
                          symbol.value};
        if (symbol.kind == SymbolKind::Procedure)
            return Target{Target::Kind::Pulled, pull_procedure(library, member, row, bank), 0};
        return std::nullopt;  // a banked label outside any pulled procedure
    }

    std::uint32_t pull_data(std::uint32_t library, std::uint32_t member, std::uint16_t section, std::uint16_t segment) {
        const PullKey key{library, member, true, std::uint32_t(section) << 16 | segment};
        if (auto found = pulled_index_.find(key); found != pulled_index_.end()) return found->second;

        const auto& code = member_segment(library, member, section, segment);
        PulledModule record;
        record.library = library;
        record.member = member;
        record.section = section;
        record.segment = segment;
        record.name = code.name;
        record.bytes = code.code;
        const auto index = std::uint32_t(link_.pulled.size());
        if (code.is_init_data) {
            record.kind = PulledModule::Kind::InitData;
            add_init_data(link_, reporter_, {true, index, section, segment, std::uint32_t(code.code.size())});
        } else {
            record.kind = PulledModule::Kind::GlobalData;
            record.address = add_global_data(link_, reporter_, std::uint32_t(code.code.size()));
        }
        return add_record(key, std::move(record), code, 0);
    }

    std::uint32_t pull_procedure(std::uint32_t library, std::uint32_t member, std::uint16_t row, int bank) {
        const PullKey key{library, member, false, row};
        if (auto found = pulled_index_.find(key); found != pulled_index_.end()) return found->second;

        const auto& module = link_.libraries[library].members[member].module;
        const auto& procedure = module.procedures[module.procedure_of_row[row]];
        const auto& section = module.sections[procedure.section];
        const auto& code = section.segments[procedure.segment];
        PulledModule record;
        record.kind = PulledModule::Kind::Procedure;
        record.every_bank = section.is_library;
        record.library = library;
        record.member = member;
        record.section = procedure.section;
        record.segment = procedure.segment;
        record.name = module.symbols[row].name;
        record.bytes = code.code.subspan(procedure.start, procedure.end - procedure.start);
        record.bank = bank;
        return add_record(key, std::move(record), code, procedure.start);
    }

    // Appends the record with the fix-ups that fall inside its bytes, and
    // queues them for resolution.
    std::uint32_t add_record(const PullKey& key, PulledModule record, const ObjSegment& segment, std::uint32_t start) {
        const auto end = start + record.bytes.size();
        // "global" data only reserves addresses: its bytes are never written.
        if (record.kind != PulledModule::Kind::GlobalData) {
            for (const auto& fixup : segment.fixups) {
                if (fixup.place < start || fixup.place >= end) continue;
                if (fixup.place + fixup_width(fixup.type) > end)
                    reporter_.report(LinkMessage::InvalidInput, link_.libraries[record.library].path,
                                     "a fix-up crosses the end of '" + std::string(record.name) + "'");
                record.references.push_back({fixup.type,
                                             fixup.is_extern,
                                             std::uint16_t(fixup.place - start),
                                             fixup.addend,
                                             fixup.symbol_row,
                                             {}});
            }
        }
        const auto index = std::uint32_t(link_.pulled.size());
        if (record.every_bank) link_.every_bank.push_back(index);
        link_.pulled.push_back(std::move(record));
        pulled_index_.emplace(key, index);
        worklist_.push_back(index);
        return index;
    }

    void resolve_references(std::uint32_t index) {
        // Copies: pulling may grow link_.pulled and move the record.
        const auto library = link_.pulled[index].library;
        const auto member = link_.pulled[index].member;
        const auto bank = link_.pulled[index].bank;
        const auto count = link_.pulled[index].references.size();
        for (std::size_t r = 0; r < count; ++r) {
            const auto reference = link_.pulled[index].references[r];
            if (fixup_width(reference.type) == 0) continue;
            const auto& symbol = link_.libraries[library].members[member].module.symbols[reference.symbol_row];
            std::optional<Target> target = reference.is_extern ? external_of_record(library, symbol.name, bank)
                                                               : local_of_record(index, reference.symbol_row);
            if (target)
                link_.pulled[index].references[r].target = *target;
            else
                reporter_.report(LinkMessage::UnresolvedSymbol, link_.libraries[library].path, symbol.name);
        }
    }

    // A symbol of the record's own member: inside the record's own bytes, or pulled.
    std::optional<Target> local_of_record(std::uint32_t index, std::uint16_t row) {
        const auto& record = link_.pulled[index];
        const auto& module = link_.libraries[record.library].members[record.member].module;
        const auto& symbol = module.symbols[row];
        if (symbol.kind != SymbolKind::Constant && symbol.section == record.section &&
            symbol.segment == record.segment) {
            const auto start = std::uint32_t(
                record.bytes.data() -
                member_segment(record.library, record.member, record.section, record.segment).code.data());
            if (symbol.value >= start && symbol.value < start + record.bytes.size())
                return Target{Target::Kind::Pulled, index, symbol.value - start};
        }
        return pull(record.library, record.member, row, record.bank);
    }

    // An EXTERN of a pulled record: the libraries (its own first), then the
    // publics of the start-up object.
    std::optional<Target> external_of_record(std::uint32_t library, std::string_view name, int bank) {
        if (auto target = find_in_libraries(name, bank, library)) return target;
        const auto* found = object_publics_.find(name);
        if (found && found->kind == Target::Kind::ObjectSymbol && link_.reset && found->index == link_.reset->object)
            return *found;
        return std::nullopt;
    }

    LinkContext& link_;
    LinkReporter& reporter_;
    SymbolIndex<Target> object_publics_;  // first definition of each public
    std::unordered_map<PullKey, std::uint32_t, PullKeyHash> pulled_index_;
    std::deque<std::uint32_t> worklist_;
    RedefinitionLog redefinitions_;
};

}  // namespace

void resolve_externals(LinkContext& link, LinkReporter& reporter) { Resolver(link, reporter).run(); }

}  // namespace linker
