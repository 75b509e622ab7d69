// Archives: storing and loading many short strings, as documents and saved states do.
#include <benchmark/benchmark.h>

#include "platform/afx/archive.h"

namespace {

void BM_ArchiveStringRoundTrip(benchmark::State& state) {
    const CString text("a line of source text of ordinary length");
    for (auto _ : state) {
        CMemFile file;
        {
            CArchive out(&file, CArchive::store);
            for (int i = 0; i < 1000; ++i) out << text;
            out.Close();
        }
        file.SeekToBegin();
        CArchive in(&file, CArchive::load);
        CString read;
        for (int i = 0; i < 1000; ++i) in >> read;
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ArchiveStringRoundTrip);

}  // namespace
