#pragma once
// SEC3DTabWnd: a tab window whose raised 3-D strip lies below, above, left or
// right of a framed pane (creation style bits 0x10, 0x20, 0x40, none).
#include "uikit/controls/tab_3d_control.h"
#include "uikit/controls/tab_wnd_base.h"

class SEC3DTabWnd : public SECTabWndBase {
    DECLARE_DYNAMIC(SEC3DTabWnd)
public:
    static constexpr int kStripSize = 30;

    BOOL Create(CWnd* parent, DWORD style, UINT id) override;
    BOOL CreateTabCtrl(DWORD style, UINT id) override;
    void GetInsideRect(CRect* rect) const override;
    void RecalcLayout() override;
    SEC3DTabControl* Control() const { return static_cast<SEC3DTabControl*>(tab_ctrl_.get()); }
    DWORD TabStyle() const { return style_; }

protected:
    CRect ControlRect(const CRect& inside) const;
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

    DWORD style_ = 0;
};
