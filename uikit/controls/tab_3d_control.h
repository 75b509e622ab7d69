#pragma once
// SEC3DTabControl: the raised tab strip of the 3-D tab window, on any of the
// four sides of its pane, with rotated text on the left and right. Labels
// that do not fit are shortened one character at a time with "..." (never
// inside a double-byte character) and offered as tool tips; disabled tabs
// are drawn embossed and ignore the mouse; tabs may carry a 16 x 16 icon.
#include "uikit/controls/tab_control_base.h"

class SEC3DTab : public SECTab {
public:
    SEC3DTab() { m_nWidth = 90; }
    CRect m_rect;
    HICON m_hIcon = nullptr;
    BOOL m_bEnabled = TRUE;
    CString m_csFullLabel;
    int m_nKept = 0;  // bytes of the full label shown before "..."
};

class SEC3DTabControl : public SECTabControlBase {
    DECLARE_DYNAMIC(SEC3DTabControl)
public:
    enum Style : DWORD { kBelow = 0x10, kAbove = 0x20, kLeft = 0x40, kRotateDown = 0x80, kNoEnlarge = 0x100 };
    static constexpr int kThickness = 22;
    static constexpr int kEnlarge = 3;

    SEC3DTabControl();
    ~SEC3DTabControl() override;

    void Initialize(DWORD style) override;
    std::unique_ptr<SECTab> CreateTab() override;
    void RecalcLayout() override;
    void OnActivateTab(int index) override { RecalcLayout(); }
    void DestroyGdiObjects() override;
    SECTab* InsertTab(int index, const char* label, CWnd* wnd, DWORD user1 = 0, DWORD user2 = 0) override;
    SECTab* AddTab(const char* label, CWnd* wnd, DWORD user1 = 0, DWORD user2 = 0) override;
    void SetTabIcon(int index, const char* resource, int cx, int cy) override;
    void SetTabIcon(int index, UINT resource, int cx, int cy) override;
    void SetTabIcon(int index, HICON icon) override;
    void RenameTab(int index, const char* label) override;
    void InvalidateTab(int index) override;

    virtual void CreateFonts(DWORD style);
    virtual void EnableTab(int index, BOOL enable);
    virtual BOOL IsTabEnabled(int index) const;
    virtual BOOL ModifyTabStyle(DWORD remove, DWORD add);
    virtual void GetTabRect(int index, CRect* rect) const;
    virtual void DrawTab(CDC* dc, int index);

    SEC3DTab& Tab3D(int index) const { return static_cast<SEC3DTab&>(*GetTab(index)); }
    BOOL LabelsShown() const { return labels_shown_; }
    BOOL AnyShortened() const { return shortened_; }
    void SetAutoFit(BOOL on) { auto_fit_ = on; }
    CToolTipCtrl& ToolTips() { return tips_; }
    int HitTab(CPoint point) const;
    DWORD TabStyle() const { return style_; }

protected:
    CString FullLabel(int index) const override { return Tab3D(index).m_csFullLabel; }
    bool Horizontal() const { return style_ & (kBelow | kAbove); }
    int AvailableLength() const;
    int Extent(const SEC3DTab& tab, const CString& label) const;
    int TotalLength(bool minimum) const;
    void FitStep(int available);
    void Shorten(SEC3DTab& tab);
    void Lengthen(SEC3DTab& tab);
    void ShowKept(SEC3DTab& tab) const;
    void PlaceTabs();
    void UpdateToolTips();
    void DrawContents(CDC* dc, const SEC3DTab& tab, const CRect& r, bool active);
    void DrawDisabledImage(CDC* dc, const SEC3DTab& tab, const CRect& r, bool active);

    afx_msg BOOL OnEraseBkgnd(CDC* dc) { return TRUE; }
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    DWORD style_ = 0;
    CFont normal_font_, bold_font_, measure_font_;
    CToolTipCtrl tips_;
    BOOL labels_shown_ = TRUE;
    BOOL auto_fit_ = TRUE;
    BOOL shortened_ = FALSE;
    int last_length_ = 0;
    int last_size_length_ = 0;
};
