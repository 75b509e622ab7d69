// The list and tree controls' hot paths, each at several sizes so that the
// growth per doubling shows: appending rows, sorted insertion, expanding a
// whole tree, selecting the last row, and painting a full-screen list.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/afx/afx.h"
#include "platform/display/headless.h"
#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tree_base.h"

namespace {

// A headless display and a visible parent window for the controls.
struct Stage {
    kit::display::Headless display;
    CWnd parent;
    explicit Stage(int width = 640, int height = 480) {
        parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
    }
    ~Stage() { parent.DestroyWindow(); }
};

void make_list(SECListCtrl& list, CWnd& parent, int width, int height) {
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP, CRect(0, 0, width, height), &parent, 1);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    list.InsertColumn(1, "Value", LVCFMT_RIGHT, 120);
    list.InsertColumn(2, "Kind", LVCFMT_LEFT, 120);
}

void BM_ListAppend(benchmark::State& state) {
    Stage stage;
    const int rows = int(state.range(0));
    for (auto _ : state) {
        SECListCtrl list;
        make_list(list, stage.parent, 600, 400);
        for (int i = 0; i < rows; ++i) list.InsertItemText(i, "symbol");
        benchmark::DoNotOptimize(list.GetItemCount());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ListAppend)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TreeSortedInsert(benchmark::State& state) {
    Stage stage;
    const int items = int(state.range(0));
    for (auto _ : state) {
        SECTreeCtrl tree;
        tree.CreateEx(WS_CHILD | WS_VISIBLE | 0x37, 0x2800000, CRect(0, 0, 300, 400), &stage.parent, 2);
        for (int i = 0; i < items; ++i)
            tree.InsertItem(AfxFormat("file%06d.c", i), TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
        benchmark::DoNotOptimize(tree.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_TreeSortedInsert)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One tree, collapsed again (untimed) before each expansion: building and
// destroying a tree per run would hand its memory back to the system and
// charge the next expansion for faulting it in again.
void BM_TreeExpandAll(benchmark::State& state) {
    Stage stage;
    const int items = int(state.range(0));
    SECTreeCtrl tree;
    tree.CreateEx(WS_CHILD | WS_VISIBLE | 0x37, 0x2800000, CRect(0, 0, 300, 400), &stage.parent, 3);
    // Ten projects of ten banks, each with its share of the files.
    const int files = items / 110;
    std::vector<HTREEITEM> branches;
    for (int p = 0; p < 10; ++p) {
        HTREEITEM project = tree.InsertItem("project");
        branches.push_back(project);
        for (int b = 0; b < 10; ++b) {
            HTREEITEM bank = tree.InsertItem("bank", TV_NO_IMAGE, TV_NO_IMAGE, project);
            branches.push_back(bank);
            for (int f = 0; f < files; ++f) tree.InsertItem("file.c", TV_NO_IMAGE, TV_NO_IMAGE, bank);
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (HTREEITEM branch : branches) tree.Expand(branch, TVE_COLLAPSE);
        state.ResumeTiming();
        tree.ExpandAll(TVI_ROOT, TRUE);
        benchmark::DoNotOptimize(tree.GetItemCount());
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_TreeExpandAll)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ListSelectLast(benchmark::State& state) {
    Stage stage;
    SECListCtrl list;
    make_list(list, stage.parent, 600, 400);
    const int rows = int(state.range(0));
    for (int i = 0; i < rows; ++i) list.InsertItemText(i, "symbol");
    list.UpdateLayout();
    for (auto _ : state) {
        list.SelectAndFocusItem(0, TRUE);
        list.SetTopIndex(0);
        list.DeselectAllItems(0);
        list.SelectAndFocusItem(rows - 1, TRUE);
        list.EnsureVisible(rows - 1);
        benchmark::DoNotOptimize(list.GetTopIndex());
    }
}
BENCHMARK(BM_ListSelectLast)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ListFullPaint(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    Stage stage(width, height);
    SECListCtrl list;
    make_list(list, stage.parent, width, height);
    list.ModifyListCtrlStyle(0, LVXS_HGRIDLINES | LVXS_VGRIDLINES);
    for (int i = 0; i < 2000; ++i) {
        list.InsertItemText(i, AfxFormat("symbol_%06d", i));
        list.SetItemText(i, 1, AfxFormat("0x%04X", i));
        list.SetItemText(i, 2, "code");
    }
    list.UpdateLayout();
    RedrawWindow(list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (auto _ : state) {
        list.Invalidate(FALSE);
        list.UpdateWindow();
    }
}
BENCHMARK(BM_ListFullPaint)->Args({960, 540})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace
