#pragma once
// SECTabControlBase: the strip of tabs inside a tab window. It keeps the tab
// records, the active tab and the selection, and tells its parent (the tab
// window) with private messages; drawing and geometry belong to the concrete
// controls.
#include <memory>
#include <vector>

#include "platform/afx/afx.h"

// Messages a tab control sends its parent (wParam: a tab index).
inline constexpr UINT TCM_TABSEL = WM_USER + 1000;         // a tab was activated or selected
inline constexpr UINT TCM_TABDBLCLK = WM_USER + 1001;      // a tab was double-clicked
inline constexpr UINT TCM_TABSELCLR = WM_USER + 1002;      // the selection was cleared
inline constexpr UINT TCM_TABREACTIVATE = WM_USER + 1003;  // the active tab was clicked again

class SECTab : public CObject {
public:
    CString m_csLabel;  // as displayed
    int m_nWidth = 0;   // extent along the strip
    int m_nHeight = 0;  // thickness across it
    BOOL m_bSelected = FALSE;
    CWnd* m_pClient = nullptr;
    DWORD m_dwUser1 = 0, m_dwUser2 = 0;
};

class SECTabControlBase : public CWnd {
    DECLARE_DYNAMIC(SECTabControlBase)
public:
    SECTabControlBase();
    ~SECTabControlBase() override;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual void Initialize(DWORD style) {}
    virtual std::unique_ptr<SECTab> CreateTab();
    virtual void RecalcLayout() {}
    virtual void OnActivateTab(int index) {}
    virtual void DestroyGdiObjects() {}
    virtual SECTab* InsertTab(int index, const char* label, CWnd* wnd, DWORD user1 = 0, DWORD user2 = 0);
    virtual SECTab* AddTab(const char* label, CWnd* wnd, DWORD user1 = 0, DWORD user2 = 0);
    virtual void SetTabIcon(int index, const char* resource, int cx, int cy) {}
    virtual void SetTabIcon(int index, UINT resource, int cx, int cy) {}
    virtual void SetTabIcon(int index, HICON icon) {}
    virtual void DeleteTab(int index);
    virtual void RenameTab(int index, const char* label);
    virtual void ActivateTab(int index);
    virtual void NotifyReclick();
    virtual void SelectTab(int index);
    virtual void ClearSelection();
    virtual void ScrollToTab(int index) {}
    virtual void InvalidateTab(int index) {}

    int GetTabCount() const { return int(tabs_.size()); }
    // Null for an index outside the tabs.
    SECTab* GetTab(int index) const { return valid(index) ? tabs_[size_t(index)].get() : nullptr; }
    // FALSE for an index outside the tabs; a tab that shortens its label reports the full one.
    BOOL GetTabInfo(int index, CString& label, BOOL& selected, CWnd*& wnd, DWORD& user1, DWORD& user2) const;
    // The last tab showing `wnd` wins.
    BOOL FindTab(const CWnd* wnd, int& index) const;
    BOOL GetActiveTab(int& index) const;

protected:
    virtual CString FullLabel(int index) const { return GetTab(index)->m_csLabel; }
    void InvalidateFrom(int index);
    void Notify(UINT message, int index) const;
    bool valid(int index) const { return index >= 0 && index < GetTabCount(); }

    afx_msg void OnDestroy();
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message);
    DECLARE_MESSAGE_MAP()

    std::vector<std::unique_ptr<SECTab>> tabs_;
    int active_ = 0;
    BOOL has_active_ = FALSE;
};

// The tab strips' face, "Arial Narrow" (FF_SWISS, ANSI); escapement in tenths of a degree.
BOOL CreateTabFont(CFont& font, int height, int weight, int escapement = 0);
