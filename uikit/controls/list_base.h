#pragma once
// SECListBaseC: a window that draws its own multi-column list (header, rows,
// icons, grid lines, scroll bars) in the list-view vocabulary: item
// descriptions with LVIF masks, LVIS states, LVNI navigation, LVIR
// rectangles and LVN/NM notifications. The tree control builds on it and
// overrides many of its virtual operations. All state lives in this object,
// which is attached to the window for its whole life.
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/controls/list_client.h"
#include "uikit/controls/list_edit.h"
#include "uikit/controls/list_item.h"
#include "uikit/controls/list_tip.h"
#include "uikit/controls/list_types.h"

// One painted or measured cell.
struct SECListPaintContext {
    explicit SECListPaintContext(CDC* dc) : dc(dc) {}
    virtual ~SECListPaintContext() = default;
    LV_ITEM lvi{};
    UINT greyed = 0;  // kGreyed when the item is drawn greyed
    CDC* dc;
    CRect cell;
    int column = 0;
    int view = 0;
    CFont* label_font = nullptr;
    SECListItem* item = nullptr;
    SECListSubItem* sub_item = nullptr;
    SECListColumn* column_record = nullptr;
    COLORREF text_color = 0, text_bk_color = 0, row_bk_color = 0, field_color = 0;
    static constexpr UINT kGreyed = 0x100;
};

class SECListBaseC : public CWnd, public SECListClient {
    DECLARE_DYNAMIC(SECListBaseC)
public:
    SECListBaseC();
    ~SECListBaseC() override;

    static constexpr UINT kHorzBarId = 0xEA00;
    static constexpr UINT kVertBarId = 0xEA10;
    static constexpr UINT kEditTimerId = 1;
    static constexpr int kEditTimerMs = 500;
    static constexpr int kMinColumnWidth = 5;

    // ---- creation ----
    virtual BOOL CreateEx(DWORD style, DWORD ex_style, const RECT& rect, CWnd* parent, UINT id,
                          CCreateContext* context = nullptr);
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);
    // Takes the place of a dialog control: its style, extended style, rectangle and id.
    virtual BOOL SubclassDlgItem(UINT id, CWnd* parent);
    CScrollBar* GetScrollBarCtrl(int bar) const override;

    // ---- colours and fonts ----
    virtual COLORREF GetBkColor() const;
    virtual COLORREF GetTextColor() const { return text_color_; }
    virtual COLORREF GetTextBkColor() const { return text_bk_color_; }
    virtual COLORREF GetGrayTextColor() const { return gray_text_color_; }
    virtual COLORREF GetItemFieldColor() const { return item_field_color_; }
    virtual COLORREF GetSelItemFieldColor() const { return sel_item_field_color_; }
    virtual CFont* GetHeaderFont() const;
    virtual CWnd* GetNotifyWndPtr() const { return notify_wnd_; }
    virtual void SetBkColor(COLORREF c);
    virtual void SetTextColor(COLORREF c) { text_color_ = c; }
    virtual void SetTextBkColor(COLORREF c) { text_bk_color_ = c; }
    virtual void SetSelTextColor(COLORREF c) { sel_text_color_ = c; }
    virtual void SetSelBkColor(COLORREF c) { sel_bk_color_ = c; }
    virtual void SetGrayTextColor(COLORREF c) { gray_text_color_ = c; }
    virtual void SetItemFieldColor(COLORREF c) { item_field_color_ = c; }
    virtual void SetSelItemFieldColor(COLORREF c) { sel_item_field_color_ = c; }
    virtual void SetTipBkColor(COLORREF c) { tip_bk_color_ = c; }
    virtual void SetTipTextColor(COLORREF c) { tip_text_color_ = c; }
    virtual void SetLabelFont(CFont* font);
    virtual void SetHeaderFont(CFont* font) { header_font_ = font; }
    virtual void SetNotifyWnd(CWnd* wnd) { notify_wnd_ = wnd; }
    virtual void SetUseSysColors(BOOL use) { use_sys_colors_ = use; }
    virtual BOOL GetUseSysColors() const { return use_sys_colors_; }

    // ---- geometry ----
    virtual void InvalidateItem(int item, BOOL label_only = FALSE, BOOL erase = FALSE, BOOL fill_below = FALSE,
                                BOOL update_now = FALSE);
    virtual void InvalidateItemRange(int first, int last);
    virtual int GetTopIndex() const { return top_index_; }
    virtual int GetCountPerPage();
    virtual int GetCountPerPageAbove();
    virtual int GetMaxTopIndex();
    virtual int GetLastFullyVisible(BOOL measure = TRUE);
    virtual int GetEndOfPage();
    virtual int GetPageUpIndex();
    virtual int ItemFromOffset(int offset);
    virtual void SetItemHeight(int item, int height);
    // Total height of the rows from `from` up to `to` (included when asked); negative when from > to.
    virtual int GetRangeHeight(int from, int to, BOOL include_last = FALSE);
    virtual int CountRowsInHeight(int start, int height, BOOL downwards = TRUE);
    virtual void InvalidateAllHeights();
    virtual void InvalidateItemHeight(int item);
    int RowHeight(int item);  // measured on demand, never -1

    // ---- columns ----
    virtual BOOL DeleteColumnByHeading(const char* heading);
    virtual BOOL DeleteColumn(int column);
    virtual void DeleteAllColumns();
    virtual int AppendColumnText(const char* heading, int fmt = LVCFMT_LEFT, int width = -1, int sub_item = -1);
    virtual int InsertColumnEx(int index, const LV_COLUMN* column, BOOL redraw = TRUE);
    virtual int InsertColumn(int index, const char* heading, int fmt = LVCFMT_LEFT, int width = -1, int sub_item = -1,
                             BOOL redraw = TRUE);
    virtual int InsertColumnRecord(int index, std::unique_ptr<SECListColumn> record, BOOL redraw = TRUE);
    virtual BOOL GetColumn(int column, LV_COLUMN* out) const;
    virtual BOOL SetColumn(int column, const LV_COLUMN* in, BOOL redraw = TRUE);
    virtual int GetColumnLeft(int column) const;
    virtual int GetColumnRight(int column) const;
    virtual BOOL SetColumnWidth(int column, int width);
    virtual int GetColumnWidth(int column) const;
    virtual BOOL SetColumnFormat(int column, int fmt);
    virtual int GetColumnFormat(int column) const;
    virtual BOOL SetColumnHeading(int column, const char* heading);
    virtual CString GetColumnHeading(int column) const;
    virtual int GetColumnByHeading(const char* heading) const;
    virtual int GetColumnCount() const { return int(columns_.size()); }
    virtual BOOL FindColumn(const char* heading, int* index, int* sub_item) const;
    virtual SECListColumn* GetColumnAt(int column) const;
    virtual int GetSubItemCount() const { return sub_item_columns_; }
    int GetMainColumn() const;  // the column showing the item itself, -1 when none

    // ---- items ----
    virtual LPARAM GetItemParam(int item) const;
    virtual int GetItemCount() const { return int(items_.size()); }
    virtual BOOL SetItem(const LV_ITEM* item, BOOL redraw = TRUE);
    virtual BOOL SetItemFields(int item, int sub_item, UINT mask, const char* text, int image, UINT state,
                               UINT state_mask, LPARAM param);
    virtual BOOL SetItemEx(int item, int sub_item, UINT state, UINT mask);
    virtual BOOL GetItem(LV_ITEM* item, BOOL copy_text = TRUE, BOOL notify = TRUE);
    virtual UINT GetItemEx(int item, int sub_item, UINT mask);
    virtual BOOL SetItemText(int item, int sub_item, const char* text);
    // Copies the text into `out` (terminated, cut on a character); returns its length.
    virtual int GetItemText(int item, int sub_item, char* out, int size);
    CString GetItemText(int item, int sub_item);
    virtual BOOL DeleteItems(int index, int count);
    virtual BOOL DeleteItem(int index) { return DeleteItems(index, 1); }
    virtual BOOL DeleteAllItems();
    virtual int GetSelectedCount() const { return int(selection_.size()); }
    virtual BOOL GetItemRect(int item, RECT* out, int code);
    virtual int InsertItemRecord(int index, std::unique_ptr<SECListItem> record);
    virtual int InsertItemFields(UINT mask, int index, const char* text, UINT state, UINT state_mask, int image,
                                 LPARAM param);
    virtual int InsertItemText(int index, const char* text);
    virtual int InsertItem(const LV_ITEM* item);
    // Several records at once (the tree's rows); indices after them move up together.
    void InsertItemRecords(int index, std::vector<std::unique_ptr<SECListItem>> records);
    virtual BOOL SelectAndFocusItem(int item, BOOL select);
    virtual BOOL SetFocusItem(int item);
    virtual void DeselectAllItems(int keep = -1);
    virtual void SelectItemRange(int first, int last, BOOL select);
    virtual int GetFocusItem() const { return focus_item_; }
    virtual int GetAnchorItem() const { return anchor_item_; }
    virtual BOOL SetItemState(int item, UINT state, UINT mask);
    virtual UINT GetItemState(int item, UINT mask);
    virtual BOOL SetItemData(int item, LPARAM data);
    virtual LPARAM GetItemData(int item) const { return GetItemParam(item); }
    virtual BOOL SelectItem(int item, BOOL select);
    virtual UINT GetCallbackMask() const { return callback_mask_; }
    virtual void SetCallbackMask(UINT mask) { callback_mask_ = mask; }
    virtual BOOL IsCallbackItem(int item) const;
    virtual int GetNextItem(int start, UINT flags) const;
    virtual void SetDropHiliteItem(int item);
    virtual int GetDropHiliteItem() const { return drop_item_; }
    virtual CImageList* GetImageList(int type) const;
    virtual CImageList* SetImageList(CImageList* list, int type);
    SECListItem* GetItemAt(int item) const {
        return item >= 0 && std::size_t(item) < items_.size() ? items_[std::size_t(item)].get() : nullptr;
    }
    // The index of a record, -1 when it is not in the list.
    int IndexOfRecord(const SECListItem* record) const;
    // The index of the record with this serial, -1 when it is not in the list.
    int IndexOfSerial(std::uint64_t serial) const;

    // ---- hit-testing and scrolling ----
    virtual int HitTest(CPoint point, UINT* flags, int* column = nullptr);
    virtual void SetTopIndex(int item);
    virtual void ScrollHorz(int dx);
    virtual void ScrollVert(int rows);
    virtual BOOL EnsureVisible(int item, BOOL partial_ok = FALSE);
    virtual BOOL EnsureRangeVisible(int first, int last);
    virtual CEdit* EditLabel(int item, int column = 0);
    virtual CEdit* GetEditControl() { return edit_->m_hWnd ? edit_.get() : nullptr; }
    virtual void CancelEditTimer();
    int GetEditedItem() const { return edited_item_; }

    // ---- styles ----
    BOOL HasListCtrlStyle(DWORD bits) const { return (list_style_ & bits) == bits; }
    BOOL HasListCtrlStyleEx(DWORD bits) const { return (list_style_ex_ & bits) == bits; }
    DWORD GetListCtrlStyle() const { return list_style_; }
    DWORD GetListCtrlStyleEx() const { return list_style_ex_; }
    virtual void SetListCtrlStyle(DWORD style, BOOL redraw = TRUE);
    virtual void SetListCtrlStyleEx(DWORD style, BOOL redraw = TRUE);
    void ModifyListBaseStyle(DWORD remove, DWORD add, BOOL redraw = TRUE) {
        SetListCtrlStyle((list_style_ & ~remove) | add, redraw);
    }
    void ModifyListCtrlStyle(DWORD remove, DWORD add, BOOL redraw = TRUE) {
        SetListCtrlStyleEx((list_style_ex_ & ~remove) | add, redraw);
    }
    virtual void EnableLabelWrap(BOOL wrap);
    virtual void EnableLabelTips(BOOL tips);
    virtual void EnableMultiSelect(BOOL multi);
    virtual void ShowHeader(BOOL show);
    BOOL IsLabelTipsEnabled() const { return (list_style_ex_ & LVXS_LABELTIPS) != 0; }
    BOOL IsHeaderVisible() const { return (list_style_ & LVS_NOCOLUMNHEADER) == 0; }
    BOOL IsMultiSelect() const { return (list_style_ & LVS_SINGLESEL) == 0; }
    void SetRedrawOnInsert(BOOL on) { redraw_on_insert_ = on; }
    BOOL GetRedrawOnInsert() const { return redraw_on_insert_; }
    int GetHeaderHeight() const { return header_height_; }

    // ---- layout ----
    virtual void UpdateLayout();
    virtual int GetTotalWidth();
    virtual int GetTotalRows() const { return GetItemCount(); }
    virtual BOOL AutoSizeMainColumn();
    virtual void FitMainColumn();
    virtual int GetRowSpacing() const { return 0; }
    virtual void MeasureItem(int item);
    int GetScrollX() const { return scroll_x_; }

    // ---- SECListClient ----
    HWND GetWindowHandle() const override { return m_hWnd; }
    BOOL GetLabelWrap() const override { return (list_style_ & LVS_NOLABELWRAP) == 0; }
    BOOL EndLabelEdit(BOOL accept) override;
    int GetColumnSubItem(int column) const override;
    BOOL GetScrollPosition(POINT* out) const override;
    void GetInsideRect(RECT* out) const override;
    BOOL GetSubItemRect(int item, int column, RECT* out, int code) override;
    void GetSubItemText(CString& out, int item, int column) override;
    void ClientToScreen(POINT* point) const override { CWnd::ClientToScreen(point); }
    BOOL CaptureMouse(BOOL capture) override;
    BOOL IsItemSelected(int item) const override;
    COLORREF GetSelTextColor() const override { return sel_text_color_; }
    COLORREF GetSelBkColor() const override { return sel_bk_color_; }
    COLORREF GetTipTextColor() const override { return tip_text_color_; }
    COLORREF GetTipBkColor() const override { return tip_bk_color_; }
    CFont* GetLabelFont() const override;

    // ---- handlers a derived class calls as its base behaviour ----
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

protected:
    // ---- records ----
    virtual std::unique_ptr<SECListItem> CreateItemRecord();
    virtual void CreateSubItems(SECListItem* record);
    virtual std::unique_ptr<SECListPaintContext> CreatePaintContext(CDC* dc);
    virtual BOOL PreCreateStyles(CREATESTRUCT& cs);
    BOOL DoCreateWindow(DWORD style, DWORD ex_style, const RECT& rect, HWND parent, UINT id);

    // ---- paint steps ----
    virtual void DoPaint(CDC* dc);
    virtual BOOL InitPaintContext(SECListPaintContext* pc);
    // Whether the painted row is still the record with `serial` after the owner was asked for
    // a field of it; it then takes the record (and sub-item) afresh.
    bool RowStillPainted(SECListPaintContext* pc, std::uint64_t serial, HWND own);
    virtual COLORREF GetRowBkColor(SECListPaintContext* pc);
    virtual COLORREF GetFieldColor(SECListPaintContext* pc);
    virtual void GetItemColors(SECListPaintContext* pc);
    virtual CFont* GetLabelFontForPaint(SECListPaintContext* pc);
    virtual void CalcLabelSize(SECListPaintContext* pc, CRect* label, CRect* icon, CRect* state_icon);
    virtual void DrawHeader(CDC* dc);
    virtual void DrawItems(CDC* dc);
    virtual void DrawItem(SECListPaintContext* pc, int item, const CRect& row);
    virtual void DrawSubItem(SECListPaintContext* pc);
    virtual void DrawItemIcon(SECListPaintContext* pc);
    virtual void DrawItemLabel(SECListPaintContext* pc);
    BOOL ReplaceDlgItem(UINT id, CWnd* parent, DWORD extra_style, DWORD extra_ex_style);
    virtual void DrawRowLine(CDC* dc, const CRect& row);
    virtual void DrawGridLines(CDC* dc, const CRect& row);
    virtual void UpdateVertScrollBar();
    virtual void UpdateHorzScrollBar();
    virtual void PositionScrollBars();
    void ShowScrollBarCtrl(int bar, BOOL show, SCROLLINFO* info);

    // ---- input steps ----
    void KeySelect(int item, BOOL shift, BOOL ctrl);  // what an arrow key does to `item`
    virtual void OnKeyUp(int focus, BOOL shift, BOOL ctrl);
    virtual void OnKeyDown_Down(int focus, BOOL shift, BOOL ctrl);
    virtual void OnKeyF2(int focus, int sub_item);
    virtual void OnKeyReturn(int focus);
    virtual void OnKeyHome(int focus, BOOL shift, BOOL ctrl);
    virtual void OnKeyEnd(int focus, BOOL shift, BOOL ctrl);
    virtual void OnKeyLeft(int focus) {}
    virtual void OnKeyBack(int focus) {}
    virtual void OnKeyRight(int focus) {}
    virtual void OnKeyMultiply(int focus) {}
    virtual void OnKeyPageUp(int focus, BOOL shift, BOOL ctrl);
    virtual void OnKeyPageDown(int focus, BOOL shift, BOOL ctrl);
    virtual int TrackColumnResize(CPoint point, int column);
    virtual int SelectionChange(int item, UINT hit_flags, UINT key_flags, BOOL from_mouse);
    virtual void OnAfterSelect(int item, BOOL from_mouse) {}
    virtual BOOL ShouldSelectOnClick(CPoint point, int item, UINT flags, BOOL* arm_drag, BOOL* select);
    // Selects the clicked item as ShouldSelectOnClick decides, arming a drag when it says so.
    void SelectOnClick(CPoint point, int item, UINT hit, UINT flags);

    // ---- notifications and hooks ----
    LRESULT SendNotify(NMHDR* header, UINT code);
    virtual LRESULT Notify(UINT code);
    virtual void OnBeginDrag(int item, CPoint point) {}
    virtual void OnBeginRDrag(int item, CPoint point) {}
    virtual LRESULT NotifyBeginLabelEdit(int item, int sub_item);
    virtual LRESULT NotifyDeleteItem(int item);
    virtual LRESULT NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept);
    virtual LRESULT OnSelectionChanging(int item_new, int item_old, BOOL from_mouse) { return 0; }
    virtual void OnSelectionChanged(int item_new, int item_old, BOOL from_mouse) {}
    virtual void NotifyGetDispInfo(LV_ITEM* item);
    virtual void OnSetDispInfo(const LV_ITEM* item) {}
    virtual UINT OnGetDispInfoEx(int item, int sub_item, UINT mask) { return 0; }
    virtual LRESULT NotifyInsertItem(int item);
    virtual void NotifyKeyDown(UINT key);
    CWnd* GetNotifyWnd() const;
    // The row the label edit began with (to restore on cancel).
    CString& label_before_edit() { return label_before_edit_; }

    // ---- message handlers ----
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc) { return TRUE; }
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnEnable(BOOL enable);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnSysColorChange();
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditUpdate();

    BOOL in_modal_state() const { return edit_->m_hWnd != nullptr || tracking_; }
    int scroll_track_position(int bar);
    void LoadColors();
    void ApplyDeleteFixups(int index, int count);
    // Takes rows out with the fix-ups of a deletion but no notification (the tree's collapsing).
    void EraseRows(int index, int count);
    // Takes out the records with these serials, which stood from `index` on; those no longer
    // there are skipped, and records that moved are found wherever they are.
    void EraseRecords(int index, const std::vector<std::uint64_t>& serials);
    void RepaintAfterInsert();

    // ---- state ----
    int wheel_delta_ = 0;
    int top_index_ = 0;
    int header_height_ = 18;
    int pending_click_item_ = -1;
    int armed_edit_item_ = -1;
    int current_column_ = 0;
    int edited_item_ = -1;
    int edited_column_ = 0;
    int sub_item_columns_ = 0;
    int focus_item_ = -1;
    int drop_item_ = -1;
    int anchor_item_ = -1;
    LRESULT last_notify_result_ = 0;
    UINT callback_mask_ = 0;
    UINT callback_mask_ex_ = 0;
    UINT_PTR edit_timer_ = 0;
    DWORD list_style_ = 0;
    DWORD list_style_ex_ = 0;
    DWORD visible_bars_ = 0;
    COLORREF text_color_, text_bk_color_, sel_text_color_, sel_bk_color_, gray_text_color_;
    COLORREF item_field_color_, sel_item_field_color_, tip_bk_color_, tip_text_color_, bk_color_;
    BOOL over_divider_ = FALSE;
    LRESULT selection_veto_ = 0;
    BOOL ending_edit_ = FALSE;
    BOOL redraw_on_insert_ = FALSE;
    BOOL dragging_ = FALSE;
    BOOL drag_armed_ = FALSE;
    BOOL use_sys_colors_ = FALSE;
    BOOL tracking_ = FALSE;
    BOOL layout_dirty_ = FALSE;
    HCURSOR divider_cursor_ = nullptr;
    std::vector<char> text_buffer_;
    CFont* label_font_ = nullptr;
    CFont* header_font_ = nullptr;
    CImageList* image_lists_[3] = {nullptr, nullptr, nullptr};
    BOOL owns_image_list_[3] = {FALSE, FALSE, FALSE};
    std::unique_ptr<SECListTip> tip_;
    int scroll_x_ = 0;
    CPoint button_down_;
    CString label_before_edit_;
    std::vector<std::unique_ptr<SECListColumn>> columns_;
    std::vector<std::unique_ptr<SECListItem>> items_;
    std::vector<int> selection_;  // ascending item indices
    std::uint64_t next_serial_ = 1;
    std::unique_ptr<SECListEdit> edit_;
    CWnd* notify_wnd_ = nullptr;
    mutable std::unique_ptr<CScrollBar> bars_[2];
    CBitmap paint_bitmap_;  // the off-screen picture, kept between paints
};
