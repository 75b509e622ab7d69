// Expressions per second through the evaluator, over a symbol table of the
// size a large source reaches (3000 names fill most of the 128 KB store).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "assembler/expression.h"

namespace {

void fill_symbols(dravlin::AsmContext& context, int count) {
    for (int i = 0; i < count; ++i) {
        std::string name = "label_" + std::to_string(i * 7919 % count);
        context.symbols.insert(name, dravlin::SymbolKind::Label, i, {});
        context.symbols.define(name, dravlin::SymbolKind::Label, i, true, {}, 0, 0);
    }
    context.symbols.insert("WIDTH", dravlin::SymbolKind::Constant, 160, {});
    context.symbols.sort();  // as after pass 0
    context.state.section = 0;
    context.state.segment = 0;
}

void BM_Evaluate(benchmark::State& state) {
    dravlin::AsmContext context;
    fill_symbols(context, static_cast<int>(state.range(0)));
    const std::vector<std::string> expressions = {
        "0FFH", "label_17+2", "<(label_25+1)", "(WIDTH*2+1)/3", "label_90-label_3",
        "$+5",  "'A'+1",      "1|2&3^4",       ">label_42",     "#<WIDTH",
    };
    int64_t evaluated = 0;
    for (auto _ : state) {
        for (const std::string& text : expressions) {
            dravlin::ExprResult result = dravlin::evaluate(context, text);
            benchmark::DoNotOptimize(result.value);
        }
        evaluated += static_cast<int64_t>(expressions.size());
    }
    state.SetItemsProcessed(evaluated);
}
BENCHMARK(BM_Evaluate)->Arg(100)->Arg(3000);

}  // namespace
