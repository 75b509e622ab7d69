// Random calls on a list, a tree and a tab window, made by the program and
// by their owner from inside every notice the controls send it: items and
// tabs added, renamed, deleted, expanded, selected and edited, panes deleted
// with their tabs, keys, clicks, paints, and the controls destroyed. After
// each step the controls must still be in step with themselves: the tree's
// rows are its shown items in pre-order, the list's marks name rows, and the
// tab window's pane is its active tab's.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/display/headless.h"
#include "platform/user/input_api.h"
#include "testing/fuzz_byte_source.h"
#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tab_wnd.h"
#include "uikit/controls/tree_base.h"

namespace {

using testing_kit::ByteSource;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "controls fuzz: %s\n", what);
    std::abort();
}

// How deep the owner's calls may nest: a notice sent by a call made from a notice.
constexpr int kMaxDepth = 3;
constexpr std::size_t kMaxHandles = 48;
const CRect kListRect(0, 0, 200, 150), kTreeRect(200, 0, 400, 150), kTabRect(0, 150, 400, 300);

class World;

// The controls' parent and notify window: it answers each notice with a few calls of its own.
class Owner : public CWnd {
public:
    World* world = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class World {
public:
    World(kit::display::Headless& display, ByteSource& in) : display_(display), in_(in) {
        owner_.world = this;
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        owner_.CreateEx(0, cls, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~World() {
        // The last notices of the controls' destruction get no more calls.
        closing_ = true;
        list_.reset();
        tree_.reset();
        tabs_.reset();
        panes_.clear();
        if (owner_.m_hWnd) owner_.DestroyWindow();
    }

    void Step() {
        MakeMissingControls();
        Act();
        Pump();
        Check();
    }

    // The owner's part in a notice: the fields it is asked for (while rows are measured,
    // painted or sorted), some calls, then its answer.
    LRESULT Answer(NMHDR* header) {
        if (header) FillAskedFields(header);
        if (!closing_ && depth_ < kMaxDepth) {
            ++depth_;
            for (int calls = in_.Next(3); calls > 0; --calls) Act();
            --depth_;
        }
        return in_.Next(2);
    }

    // A loop that waits for input no one gives (a held button, a dragged divider) is ended.
    void Stalled() { display_.press(VK_ESCAPE); }

private:
    template <class Control>
    static bool Alive(const std::unique_ptr<Control>& control) {
        return control && ::IsWindow(control->m_hWnd);
    }

    void MakeMissingControls() {
        if (!Alive(list_)) {
            list_ = std::make_unique<SECListCtrl>();
            list_->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_NOLABELWRAP, kListRect, &owner_, 1);
            list_->InsertColumn(0, "Name", LVCFMT_LEFT, 100);
            list_->InsertColumn(1, "Size", LVCFMT_LEFT, 60);
        }
        if (!Alive(tree_)) {
            tree_ = std::make_unique<SECTreeCtrl>();
            tree_->CreateEx(WS_CHILD | WS_VISIBLE | 0x2F, 0, kTreeRect, &owner_, 2);
            handles_.clear();
        }
        if (!Alive(tabs_)) {
            tabs_ = std::make_unique<SECTabWnd>();
            tabs_->Create(&owner_, WS_CHILD | WS_VISIBLE | DWORD(in_.Next(3)), 3);  // with 0, 2 or 4 buttons
            tabs_->SetNotifyWnd(&owner_);
            tabs_->MoveWindow(kTabRect.left, kTabRect.top, kTabRect.Width(), kTabRect.Height());
            panes_.clear();
        }
    }

    const char* Text() {
        static const char* const texts[] = {"alpha", "Beta", "gamma", "beta", "", "delta0", "Alpha2", "zeta"};
        return in_.Next(6) == 0 ? LPSTR_TEXTCALLBACK : texts[in_.Next(8)];
    }
    int Key() {
        static const int keys[] = {VK_UP, VK_DOWN,   VK_HOME,   VK_END,  VK_PRIOR, VK_NEXT,     VK_SPACE,
                                   VK_F2, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_MULTIPLY, VK_BACK};
        return keys[in_.Next(int(std::size(keys)))];
    }
    CPoint PointIn(const CRect& r) { return CPoint(in_.Next(r.Width()), in_.Next(r.Height())); }

    void Act() {
        switch (in_.Next(4)) {
            case 0: ActOnList(); break;
            case 1: ActOnTree(); break;
            case 2: ActOnTabs(); break;
            default: ActOnInput(); break;
        }
    }

    void ActOnInput() {
        switch (in_.Next(4)) {
            case 0: display_.advance(std::uint64_t(in_.Next(4)) * 200); break;  // the label-edit timer
            case 1: owner_.SetFocus(); break;
            case 2:
                if (CWnd* edit = Alive(list_) ? list_->GetEditControl() : nullptr)
                    edit->SendMessage(WM_CHAR, WPARAM('a' + in_.Next(26)));
                break;
            default:
                if (CWnd* edit = Alive(tree_) ? tree_->GetEditControl() : nullptr)
                    edit->SendMessage(WM_CHAR, WPARAM(in_.Next(2) ? 'z' : VK_BACK));
                break;
        }
    }

    // Calls every control takes: keys, clicks, the focus, a paint, destruction.
    bool ActOnWindow(CWnd& wnd, const CRect& rect) {
        switch (in_.Next(10)) {
            case 0: wnd.SendMessage(WM_KEYDOWN, WPARAM(Key())); return true;
            case 1:
                display_.click(wnd.m_hWnd, PointIn(rect),
                               in_.Next(3) ? kit::user::MouseButton::left : kit::user::MouseButton::right);
                return true;
            case 2: wnd.SetFocus(); return true;
            case 3: wnd.UpdateWindow(); return true;
            case 4: wnd.DestroyWindow(); return true;
            case 5: {
                const CPoint at = PointIn(rect);
                display_.click(wnd.m_hWnd, at);
                display_.click(wnd.m_hWnd, at);  // a double click
                return true;
            }
            case 6: {
                // A drag: pressed, moved with the button held, released.
                const CPoint from = PointIn(rect), to = PointIn(rect);
                const bool left = in_.Next(2) != 0;
                const auto button = left ? kit::user::MouseButton::left : kit::user::MouseButton::right;
                display_.button(wnd.m_hWnd, from, true, button);
                display_.move(wnd.m_hWnd, to, kit::user::HeldButtons{left, !left, false});
                display_.button(wnd.m_hWnd, to, false, button);
                return true;
            }
            default: return false;
        }
    }

    void ActOnList() {
        if (!Alive(list_)) return;
        SECListCtrl& list = *list_;
        const int count = list.GetItemCount();
        const int row = in_.Next(count + 1);
        if (ActOnWindow(list, CRect(0, 0, kListRect.Width(), kListRect.Height()))) return;
        switch (in_.Next(12)) {
            case 0:
            case 1: list.InsertItemText(row, Text()); break;
            case 2: list.DeleteItem(row); break;
            case 3: list.DeleteItems(row, 1 + in_.Next(4)); break;
            case 4: list.DeleteAllItems(); break;
            case 5: list.SetItemText(row, in_.Next(2), Text()); break;
            case 6: list.SetItemState(row, in_.Next(2) ? LVIS_SELECTED : 0, LVIS_SELECTED | LVIS_FOCUSED); break;
            case 7: list.EditLabel(row, in_.Next(2)); break;
            case 8: list.EndLabelEdit(in_.Next(2)); break;
            case 9: list.SendMessage(WM_VSCROLL, WPARAM(in_.Next(8))); break;
            case 10: list.EnsureVisible(row); break;
            default: list.SetDropHiliteItem(row); break;
        }
    }

    HTREEITEM Handle() {
        // Handles of deleted items stay in the pool: the tree must refuse them.
        if (handles_.empty() || in_.Next(8) == 0) return in_.Next(2) ? TVI_ROOT : nullptr;
        return handles_[std::size_t(in_.Next(int(handles_.size())))];
    }
    void Remember(HTREEITEM item) {
        if (!item) return;
        if (handles_.size() >= kMaxHandles) handles_.erase(handles_.begin());
        handles_.push_back(item);
    }

    void ActOnTree() {
        if (!Alive(tree_)) return;
        SECTreeCtrl& tree = *tree_;
        if (ActOnWindow(tree, CRect(0, 0, kTreeRect.Width(), kTreeRect.Height()))) return;
        static const HTREEITEM afters[] = {TVI_LAST, TVI_FIRST, TVI_SORT, TVI_SORT_DESCENDING};
        static const UINT expands[] = {TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE, TVE_COLLAPSERESET | TVE_COLLAPSE};
        static const UINT selects[] = {TVGN_CARET, TVGN_DROPHILITE, TVGN_FIRSTVISIBLE};
        switch (in_.Next(13)) {
            case 0:
            case 1:
            case 2: {
                const HTREEITEM parent = Handle();
                const HTREEITEM after = in_.Next(5) ? afters[in_.Next(4)] : Handle();
                Remember(tree.InsertItem(Text(), TV_NO_IMAGE, TV_NO_IMAGE, parent, after));
                break;
            }
            case 3: tree.DeleteItem(Handle()); break;
            case 4:
                if (in_.Next(4) == 0) tree.DeleteAllItems();
                break;
            case 5: tree.Expand(Handle(), expands[in_.Next(4)]); break;
            case 6: tree.ExpandAll(Handle()); break;
            case 7: tree.SelectItem(Handle(), selects[in_.Next(3)]); break;
            case 8: tree.EditLabel(Handle()); break;
            case 9: tree.EndLabelEdit(in_.Next(2)); break;
            case 10: tree.SetItemText(Handle(), 0, Text()); break;
            case 11: tree.SetItemExState(Handle(), in_.Next(2) ? TVIS_EX_HIDDEN : 0, TVIS_EX_HIDDEN); break;
            default: tree.EnsureVisible(Handle(), in_.Next(2)); break;
        }
    }

    void ActOnTabs() {
        if (!Alive(tabs_)) return;
        SECTabWnd& tabs = *tabs_;
        const int count = tabs.GetTabCount();
        const int index = in_.Next(count + 1);
        switch (in_.Next(10)) {
            case 0:
            case 1: AddPane(tabs, index); break;
            case 2: RemoveTab(tabs, index); break;
            case 3: tabs.ActivateTab(index); break;
            case 4:
                if (SECTab* tab = tabs.GetTabControl() ? tabs.GetTabControl()->GetTab(index) : nullptr)
                    tabs.ActivateTab(tab->m_pClient);
                break;
            case 5: tabs.RenameTab(index, Text() == LPSTR_TEXTCALLBACK ? "a much longer label" : "tab"); break;
            case 6:
                tabs.SetScrollStyle(index, (in_.Next(2) ? WS_HSCROLL : 0u) | (in_.Next(2) ? WS_VSCROLL : 0u));
                break;
            case 7:
                if (CWnd* strip = tabs.GetTabControl())
                    display_.click(strip->m_hWnd, CPoint(in_.Next(kTabRect.Width()), 4));
                break;
            case 8: tabs.UpdateWindow(); break;
            default:
                if (in_.Next(2)) tabs.DestroyWindow();
                break;
        }
    }

    void AddPane(SECTabWnd& tabs, int index) {
        auto pane = std::make_unique<CWnd>();
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        if (!pane->CreateEx(0, cls, "pane", WS_CHILD, 0, 0, 1, 1, tabs.m_hWnd, nullptr)) return;
        if (!tabs.InsertTab(pane.get(), index, "pane")) return;
        panes_.push_back(std::move(pane));
    }

    // The owner removes a tab and deletes its pane at once.
    void RemoveTab(SECTabWnd& tabs, int index) {
        SECTab* tab = tabs.GetTabControl() ? tabs.GetTabControl()->GetTab(index) : nullptr;
        if (!tab) return;
        CWnd* pane = tab->m_pClient;
        tabs.RemoveTab(index);
        for (auto it = panes_.begin(); it != panes_.end(); ++it) {
            if (it->get() != pane) continue;
            panes_.erase(it);
            break;
        }
    }

    void FillAskedFields(NMHDR* header) {
        if (header->code == LVN_GETDISPINFO) {
            LV_ITEM& item = reinterpret_cast<LV_DISPINFO*>(header)->item;
            if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
                std::strncpy(item.pszText, "asked", std::size_t(item.cchTextMax - 1));
        } else if (header->code == TVN_GETDISPINFO) {
            TV_ITEM& item = reinterpret_cast<TV_DISPINFO*>(header)->item;
            if ((item.mask & TVIF_TEXT) && item.pszText && item.cchTextMax > 0)
                std::strncpy(item.pszText, "asked", std::size_t(item.cchTextMax - 1));
            if (item.mask & TVIF_CHILDREN) item.cChildren = in_.Next(2);
        }
    }

    void Pump() {
        MSG msg;
        for (int handled = 0; handled < 500 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    void Check() {
        if (Alive(tree_)) CheckTree(*tree_);
        if (Alive(list_)) CheckList(*list_);
        if (Alive(tabs_)) CheckTabs(*tabs_);
    }

    void CheckTree(SECTreeCtrl& tree) {
        std::vector<HTREEITEM> shown;
        const std::function<void(HTREEITEM, bool)> walk = [&](HTREEITEM parent, bool visible) {
            for (HTREEITEM c = tree.GetChildItem(parent); c; c = tree.GetNextSiblingItem(c)) {
                const bool here = visible && !tree.GetItemExState(c, TVIS_EX_HIDDEN);
                if (here) shown.push_back(c);
                walk(c, here && (tree.GetItemState(c, TVIS_EXPANDED) & TVIS_EXPANDED));
            }
        };
        walk(nullptr, true);
        require(tree.GetItemCount() == int(shown.size()), "the tree's rows are not its shown items");
        for (std::size_t i = 0; i < shown.size(); ++i)
            require(tree.ItemOfRow(int(i)) == shown[i], "a tree row shows another item than pre-order gives");
        CheckMarks(tree);
    }

    static void CheckMarks(SECListBaseC& list) {
        const int count = list.GetItemCount();
        require(list.GetFocusItem() < count && list.GetAnchorItem() < count, "the focus names no row");
        require(list.GetDropHiliteItem() < count && list.GetEditedItem() < count, "a mark names no row");
        require(list.GetSelectedCount() <= count, "more rows selected than there are");
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
            require(i < count, "a selected row is past the end");
    }

    void CheckList(SECListCtrl& list) { CheckMarks(list); }

    void CheckTabs(SECTabWnd& tabs) {
        CWnd* active = nullptr;
        tabs.GetActiveTab(&active);
        SECTabControlBase* strip = tabs.GetTabControl();
        if (!strip) return;
        for (int i = 0; i < strip->GetTabCount(); ++i) {
            bool kept = false;
            for (const auto& pane : panes_) kept |= pane.get() == strip->GetTab(i)->m_pClient;
            require(kept, "a tab shows a pane that was deleted");
        }
        if (!active) return;
        int index = -1;
        require(strip->GetActiveTab(index), "a pane is active while no tab is");
        require(strip->GetTab(index) && strip->GetTab(index)->m_pClient == active,
                "the active pane is not the active tab's");
    }

    kit::display::Headless& display_;
    ByteSource& in_;
    Owner owner_;
    std::unique_ptr<SECListCtrl> list_;
    std::unique_ptr<SECTreeCtrl> tree_;
    std::unique_ptr<SECTabWnd> tabs_;
    std::vector<std::unique_ptr<CWnd>> panes_;
    std::vector<HTREEITEM> handles_;
    int depth_ = 0;
    bool closing_ = false;
};

LRESULT Owner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (world && message == WM_NOTIFY) return world->Answer(reinterpret_cast<NMHDR*>(lParam));
    if (world && message == TCM_TABSEL) return world->Answer(nullptr);
    return CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kit::display::Headless display;
    ByteSource in(data, size);
    {
        World world(display, in);
        display.on_stall([&](const std::string&) { world.Stalled(); });
        for (int step = 0; step < 64 && !in.empty(); ++step) world.Step();
    }
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    kit::user::reset_input_state();
    AfxDeleteTempMaps();
    return 0;
}
