#pragma once
// SECTreeBaseC: the list turned into a tree. Items are _Node records; the
// rows of the list are exactly the shown nodes (every ancestor expanded,
// none hidden) in pre-order, each row carrying its node, so the list's
// painting, selection, scrolling and label editing serve the tree. Item
// handles are serial numbers looked up in the set of live nodes: a stale or
// unknown handle finds nothing, and no handle falls in the special range.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tree_node.h"

// The tree's paint record: the row's node and a copy of its item.
struct SECTreePaintContext : SECListPaintContext {
    using SECListPaintContext::SECListPaintContext;
    TV_ITEM tvi{};
    UINT ex_state = 0;
    _Node* node = nullptr;
};

// The tree's item API takes item handles under the names the list uses for rows
// (InsertItem, DeleteItem, GetItemText, SelectItem, HitTest, ...): hiding the
// list's row forms is the point, and bringing them back would let a literal 0
// quietly pick a row form.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Woverloaded-virtual"
#endif
class SECTreeBaseC : public SECListCtrl {
    DECLARE_DYNAMIC(SECTreeBaseC)
public:
    SECTreeBaseC();
    ~SECTreeBaseC() override;

    BOOL CreateEx(DWORD style, DWORD ex_style, const RECT& rect, CWnd* parent, UINT id,
                  CCreateContext* context = nullptr) override;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr) override;
    BOOL SubclassDlgItem(UINT id, CWnd* parent) override;

    // ---- navigation ----
    HTREEITEM GetNextItem(HTREEITEM item, UINT code);
    HTREEITEM GetRootItem() { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM item) { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetFirstVisibleItem() { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetDropHilightItem() { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM GetSelectedItem() { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetCaretItem() { return GetSelectedItem(); }
    HTREEITEM GetFirstSelectedItem() { return GetNextItem(nullptr, TVGN_FIRSTSELECTED); }
    HTREEITEM GetNextSelectedItem(HTREEITEM item) { return GetNextItem(item, TVGN_NEXTSELECTED); }
    UINT GetCount() const { return UINT(live_.size()); }
    BOOL ItemHasChildren(HTREEITEM item);
    BOOL ItemClaimsChildren(HTREEITEM item);

    // ---- items ----
    HTREEITEM InsertItem(const TV_INSERTSTRUCT* insert);
    HTREEITEM InsertItem(const char* text, int image = TV_NO_IMAGE, int selected_image = TV_NO_IMAGE,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems() override;
    virtual BOOL GetItem(TV_ITEM* item, BOOL copy_text = TRUE, BOOL allow_callback = TRUE);
    BOOL SetItem(TV_ITEM* item);
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    UINT GetItemState(HTREEITEM item, UINT mask);
    BOOL SetItemImage(HTREEITEM item, int image, int selected_image);
    BOOL SetItemData(HTREEITEM item, LPARAM data);
    LPARAM GetItemData(HTREEITEM item);
    CString GetItemText(HTREEITEM item, int column = 0);
    virtual BOOL SetItemText(HTREEITEM item, int column, const char* text);
    BOOL SetItemExState(HTREEITEM item, UINT state, UINT mask);
    UINT GetItemExState(HTREEITEM item, UINT mask);
    BOOL Expand(HTREEITEM item, UINT code, BOOL redraw = TRUE);
    BOOL ExpandAll(HTREEITEM item, BOOL redraw = TRUE);
    BOOL EnsureVisible(HTREEITEM item, BOOL with_parent = FALSE);
    BOOL SelectItem(HTREEITEM item, UINT code = TVGN_CARET);
    BOOL SelectDropTarget(HTREEITEM item);
    CEdit* EditLabel(HTREEITEM item);
    HTREEITEM HitTest(CPoint point, UINT* flags);
    int GetIndent() const { return indent_; }
    void SetIndent(int pixels) { indent_ = (pixels + 1) & ~1; }
    virtual void EnableSubItemText(BOOL enable);
    virtual BOOL HasSubItemText() const { return storage_ != nullptr; }
    virtual int CompareItems(HTREEITEM a, HTREEITEM b);
    // The row showing an item, -1 when it has none.
    int RowOf(HTREEITEM item);
    HTREEITEM ItemOfRow(int row) const;

    // ---- styles ----
    DWORD GetTreeStyle() const;
    DWORD GetTreeStyleEx() const { return tree_style_ex_; }
    void GetTreeStyles(DWORD* style, DWORD* style_ex) const;
    virtual void SetTreeStyle(DWORD style, BOOL redraw = TRUE);
    virtual void SetTreeStyleEx(DWORD style, BOOL redraw = TRUE);
    void SetTreeStyles(DWORD style, DWORD style_ex, BOOL redraw = TRUE);
    void ModifyTreeStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
    void ModifyTreeStyleEx(DWORD remove, DWORD add, BOOL redraw = TRUE);
    void ModifyTreeStyles(DWORD remove, DWORD add, DWORD remove_ex, DWORD add_ex, BOOL redraw = TRUE);
    void EnableLabelWrap(BOOL wrap) override;
    void EnableLabelTips(BOOL tips) override;
    void EnableMultiSelect(BOOL multi) override;
    void ShowHeader(BOOL show) override;
    CImageList* SetImageList(CImageList* list, int type) override;

    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnDestroy();

protected:
    virtual std::unique_ptr<_Node> CreateNode() { return std::make_unique<_Node>(); }
    virtual void OnDeleteItem(_Node* node);
    virtual LRESULT NotifyItemExpanding(_Node* node, UINT code);
    virtual void NotifyItemExpanded(_Node* node, UINT code);
    virtual void NotifyTreeGetDispInfo(_Node* node, TV_ITEM* item);
    virtual void NotifyTreeSetDispInfo(_Node* node, UINT mask);
    virtual void RedrawItem(HTREEITEM item, BOOL erase = FALSE);
    virtual CRect GetButtonRect(SECTreePaintContext* pc);
    // Measures (into `rect`, from its top left within its width) or draws a label; the node
    // keeps the parts of a label split by the multi-line mark.
    virtual void DrawLabel(CDC* dc, _Node* node, const char* text, CRect* rect, BOOL measure);

    // ---- list steps the tree gives meaning ----
    LPARAM GetItemParam(int item) const override;
    BOOL GetItem(LV_ITEM* item, BOOL copy_text = TRUE, BOOL notify = TRUE) override;
    BOOL SetItem(const LV_ITEM* item, BOOL redraw = TRUE) override;
    BOOL IsCallbackItem(int item) const override;
    std::unique_ptr<SECListPaintContext> CreatePaintContext(CDC* dc) override;
    BOOL InitPaintContext(SECListPaintContext* pc) override;
    CFont* GetLabelFontForPaint(SECListPaintContext* pc) override;
    void CalcLabelSize(SECListPaintContext* pc, CRect* label, CRect* icon, CRect* state_icon) override;
    void DrawSubItem(SECListPaintContext* pc) override;
    void OnKeyLeft(int focus) override;
    void OnKeyBack(int focus) override { OnKeyLeft(focus); }
    void OnKeyRight(int focus) override;
    void OnKeyMultiply(int focus) override;
    void OnBeginDrag(int item, CPoint point) override;
    void OnBeginRDrag(int item, CPoint point) override;
    LRESULT NotifyBeginLabelEdit(int item, int sub_item) override;
    LRESULT NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept) override;
    LRESULT NotifyDeleteItem(int item) override { return 0; }
    LRESULT OnSelectionChanging(int item_new, int item_old, BOOL from_mouse) override;
    void OnSelectionChanged(int item_new, int item_old, BOOL from_mouse) override;
    void NotifyKeyDown(UINT key) override;
    BOOL PreCreateStyles(CREATESTRUCT& cs) override;
    void OnSetDispInfo(const LV_ITEM* item) override;

    // ---- internals ----
    _Node* NodeOf(HTREEITEM item) const;    // 0 and TVI_ROOT: the root; unknown handles: null
    _Node* LiveNode(HTREEITEM item) const;  // a real item only
    HTREEITEM HandleOf(const _Node* node) const {
        return node && node != root_.get() ? reinterpret_cast<HTREEITEM>(std::uintptr_t(node->item.hItem)) : nullptr;
    }
    _Node* NodeOfRow(int row) const;
    int RowOfNode(const _Node* node) const;
    bool IsShown(const _Node* node) const;
    bool IsHiddenNode(const _Node* node) const;
    // Appends a new row for every shown node below `node`, in pre-order.
    void CollectRows(_Node* node, std::vector<std::unique_ptr<SECListItem>>* rows);
    std::unique_ptr<SECListItem> MakeRow(_Node* node);
    void GiveRow(_Node* node);
    void InsertRowsBelow(_Node* node);
    void RemoveRowsBelow(_Node* node);
    // Unlinks, tells the owner and destroys one node without children.
    void DeleteNode(_Node* node);
    // Deletes every descendant of the node; false when the node itself went meanwhile.
    bool DeleteDescendants(HTREEITEM item, _Node* node);
    // Whether `node`, reached as `item` (the root as TVI_ROOT) when `roots` roots had been
    // made, is still in the tree after a notice.
    bool StillThere(HTREEITEM item, const _Node* node, std::uint64_t roots) const;
    // Where a sorted insertion puts `node` among the children of `parent` (reached as
    // `parent_item`); false when the owner took the parent or the item away meanwhile.
    bool FindSortedPlace(HTREEITEM parent_item, _Node* parent, _Node* node, bool descending, SECTreeNode** where);
    // Drops every row; the nodes stay.
    void ForgetRows();
    void StoreItem(_Node* node, const TV_ITEM* item);
    int DepthOf(const _Node* node) const;
    void FillNotifyItem(_Node* node, TV_ITEM* out) const;
    LRESULT SendTreeNotify(UINT code, UINT action, _Node* old_node, _Node* new_node, CPoint drag = CPoint());
    bool HasRootLines() const;
    void DrawDottedLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF back);
    CFont* BoldFont(CFont* base);

    std::unique_ptr<_Node> root_;
    std::unordered_map<std::uintptr_t, _Node*> live_;
    std::uintptr_t next_handle_ = 1;
    std::uint64_t shape_changes_ = 0;  // items added, deleted, hidden, shown, expanded or collapsed
    std::uint64_t roots_made_ = 0;     // a new root after every clear
    std::unique_ptr<SECSubItemTextStorage> storage_;
    int indent_ = 20;
    DWORD tree_style_ = 0;
    DWORD tree_style_ex_ = 0;
    std::vector<char> tree_text_;
    const char* edit_initial_text_ = nullptr;
    CFont bold_font_;
    HFONT bold_from_ = nullptr;
    BOOL expanding_ = FALSE;
};
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

class SECTreeCtrl : public SECTreeBaseC {
    DECLARE_DYNCREATE(SECTreeCtrl)
public:
    SECTreeCtrl() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
