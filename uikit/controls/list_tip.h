#pragma once
// The tip that shows the whole text of a truncated label over its cell.
#include "uikit/controls/list_client.h"

class SECListTip : public CWnd {
public:
    explicit SECListTip(SECListClient* client) : client_(client) {}
    // Shows the tip for the cell under the mouse when its label is cut off; hides it otherwise.
    void Show(UINT hit_flags, int item, int column, int x, int y);
    void Hide();
    void Refresh();
    BOOL IsShown() const { return m_hWnd && IsWindowVisible(); }
    int shown_item() const { return item_; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    SECListClient* client_;
    int item_ = -1;
    int column_ = -1;
    CString text_;
    CRect rect_;  // in the list's client coordinates
    BOOL captured_ = FALSE;
};
