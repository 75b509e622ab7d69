#pragma once
// SECListBoxEdit: the in-place edit over one row of a list-box editor, a
// child of the list box. Return writes the text into the row, Escape drops
// a row made for the edit; either then tells the list box (WM_NOTIFY, id
// 100, code 1000). Moving keys, Tab and losing the focus finish like Return.
#include "platform/afx/afx.h"

class SECListBoxEdit : public CEdit {
public:
    static constexpr UINT kId = 100;
    static constexpr UINT kDoneCode = 1000;
    static constexpr UINT kCompanionId = 101;
    static constexpr UINT kCancelledMessage = WM_USER + 0x100;  // wParam 1: the edit was cancelled

    SECListBoxEdit(BOOL new_row, int row, UINT companion, BOOL auto_advance, int auto_advance_count)
        : new_row_(new_row),
          row_(row),
          companion_(companion),
          auto_advance_(auto_advance),
          auto_advance_count_(auto_advance_count) {}

    // Over the row of `list`, 2 pixels taller at both ends, `width` wide (the
    // row's width when 0); shows `initial` with the caret after it, else the
    // row's text all selected, and takes the focus.
    BOOL Create(CListBox* list, const char* initial, int width = 0);
    int GetRow() const { return row_; }
    BOOL IsNewRow() const { return new_row_; }

protected:
    // Return (write the row) or Escape (drop a new row), then the notice.
    void Finish(UINT key);
    void MoveFocusPast(BOOL previous);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKillFocus(CWnd* next);
    DECLARE_MESSAGE_MAP()

private:
    CListBox* list_ = nullptr;
    BOOL new_row_;
    int row_;
    int selection_before_ = -1;
    UINT companion_;
    BOOL auto_advance_;
    int auto_advance_count_;
    bool finished_ = false;
};

// Whether the list box selects several rows.
bool IsMultipleSelection(const CListBox& list);
// Selects just `row` (LB_SETSEL in multiple-selection list boxes).
void SelectRow(CListBox& list, int row);
