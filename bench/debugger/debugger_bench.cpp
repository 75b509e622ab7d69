#include <benchmark/benchmark.h>

#include <cstdint>
#include <set>
#include <string_view>

#include "ide/debugger/disassembler.h"
#include "ide/debugger/formular.h"
#include "ide/debugger/mem_image.h"
#include "ide/debugger/testing/target_fixture.h"

namespace {

struct CountingPane : ide::DisassemblyPane {
    void Clear() override { lines = 0; }
    bool AddLine(std::string_view text) override {
        lines += text.size() > 0;
        return true;
    }
    void SetMarkLines(int, int, int) override {}
    void SetBreakAddresses(std::set<std::uint16_t>) override {}
    std::size_t lines = 0;
};

// Every opcode in turn over the RAM pages, so each line format is taken.
ide::testing::TargetFixture& filled_target() {
    static ide::testing::TargetFixture target = [] {
        ide::testing::TargetFixture made;
        for (std::uint32_t address = 0x80; address < 0x4000; ++address) {
            const auto byte = static_cast<std::uint8_t>(address * 7);
            made.poke(static_cast<std::uint16_t>(address), {&byte, 1});
        }
        return made;
    }();
    return target;
}

void BM_DisassembleWholeAddressSpace(benchmark::State& state) {
    auto& target = filled_target();
    const ide::TargetMemory memory({target.eram, target.rom});
    CountingPane pane;
    for (auto _ : state) {
        ide::DisassembleRange(memory, pane, 0x0100, 0xFEFF, 0x2000);
        benchmark::DoNotOptimize(pane.lines);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pane.lines));
}
BENCHMARK(BM_DisassembleWholeAddressSpace);

void BM_DisassembleAroundAStop(benchmark::State& state) {
    auto& target = filled_target();
    const ide::TargetMemory memory({target.eram, target.rom});
    CountingPane pane;
    for (auto _ : state) ide::DisassembleRange(memory, pane, 0x2000, 0x2006, 0x2003);
}
BENCHMARK(BM_DisassembleAroundAStop);

void BM_MemoryImageRefresh(benchmark::State& state) {
    auto& target = filled_target();
    ide::CMemImage image({target.eram, target.rom});
    image.Refresh();
    for (auto _ : state) {
        image.Snapshot();
        image.Refresh();
    }
}
BENCHMARK(BM_MemoryImageRefresh);

void BM_EvaluateConstantExpression(benchmark::State& state) {
    for (auto _ : state) {
        ide::CFormular formular(ide::EvalContext{});
        benchmark::DoNotOptimize(formular.Evaluate("(0x1234 + 17) * 3 / (2 << 3) % 1000 || 'ab' && 1.5e3 > 2"));
    }
}
BENCHMARK(BM_EvaluateConstantExpression);

}  // namespace
