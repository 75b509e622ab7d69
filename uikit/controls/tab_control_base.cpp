#include "uikit/controls/tab_control_base.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(SECTabControlBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabControlBase, CWnd)
ON_WM_DESTROY()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

SECTabControlBase::SECTabControlBase() = default;
SECTabControlBase::~SECTabControlBase() = default;

BOOL SECTabControlBase::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const char* cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr);
    if (!CWnd::Create(cls, nullptr, style | WS_CHILD, rect, parent, id)) return FALSE;
    tabs_.clear();
    Initialize(style);
    return TRUE;
}

std::unique_ptr<SECTab> SECTabControlBase::CreateTab() { return std::make_unique<SECTab>(); }

SECTab* SECTabControlBase::InsertTab(int index, const char* label, CWnd* wnd, DWORD user1, DWORD user2) {
    index = std::clamp(index, 0, GetTabCount());
    std::unique_ptr<SECTab> tab = CreateTab();
    tab->m_csLabel = label ? label : "";
    tab->m_pClient = wnd;
    tab->m_dwUser1 = user1;
    tab->m_dwUser2 = user2;
    SECTab* added = tab.get();
    tabs_.insert(tabs_.begin() + index, std::move(tab));
    // The active tab keeps its record: an insertion before it moves its index.
    if (has_active_ && index <= active_) ++active_;
    return added;
}

SECTab* SECTabControlBase::AddTab(const char* label, CWnd* wnd, DWORD user1, DWORD user2) {
    SECTab* tab = SECTabControlBase::InsertTab(GetTabCount(), label, wnd, user1, user2);
    RecalcLayout();
    InvalidateTab(GetTabCount() - 1);
    return tab;
}

void SECTabControlBase::InvalidateFrom(int index) {
    for (int i = std::max(index, 0); i < GetTabCount(); ++i) InvalidateTab(i);
}

void SECTabControlBase::DeleteTab(int index) {
    if (!valid(index)) return;
    InvalidateFrom(index);
    tabs_.erase(tabs_.begin() + index);
    if (has_active_) {
        if (tabs_.empty()) {
            has_active_ = FALSE;
        } else if (index < active_) {
            // The same tab stays active; its index moved down with the removal.
            --active_;
        } else if (index == active_) {
            // The tab that took its place (or the new last tab) becomes active, with the notice,
            // whose owner may change the tabs or destroy the window (and this control with it).
            has_active_ = FALSE;
            const HWND own = m_hWnd;
            ActivateTab(std::min(index, GetTabCount() - 1));
            if (!::IsWindow(own)) return;
        }
    }
    InvalidateFrom(index);
    RecalcLayout();
}

void SECTabControlBase::RenameTab(int index, const char* label) {
    if (!valid(index)) return;
    InvalidateFrom(index);
    GetTab(index)->m_csLabel = label ? label : "";
    RecalcLayout();
    InvalidateFrom(index);
}

void SECTabControlBase::Notify(UINT message, int index) const {
    if (CWnd* parent = GetParent()) parent->SendMessage(message, WPARAM(index));
}

void SECTabControlBase::ActivateTab(int index) {
    if (!valid(index) || (has_active_ && active_ == index)) return;
    if (has_active_ && valid(active_)) {
        GetTab(active_)->m_bSelected = FALSE;
        InvalidateTab(active_);
    }
    active_ = index;
    has_active_ = TRUE;
    GetTab(index)->m_bSelected = TRUE;
    OnActivateTab(index);
    InvalidateTab(index);
    ScrollToTab(index);
    Notify(TCM_TABSEL, index);
}

void SECTabControlBase::NotifyReclick() { Notify(TCM_TABREACTIVATE, active_); }

void SECTabControlBase::SelectTab(int index) {
    if (!valid(index)) return;
    GetTab(index)->m_bSelected = TRUE;
    InvalidateTab(index);
    Notify(TCM_TABSEL, active_);
}

void SECTabControlBase::ClearSelection() {
    for (int i = 0; i < GetTabCount(); ++i) {
        if (!GetTab(i)->m_bSelected) continue;
        GetTab(i)->m_bSelected = FALSE;
        InvalidateTab(i);
    }
    has_active_ = FALSE;
    Notify(TCM_TABSELCLR, 0);
}

BOOL SECTabControlBase::GetTabInfo(int index, CString& label, BOOL& selected, CWnd*& wnd, DWORD& user1,
                                   DWORD& user2) const {
    if (!valid(index)) return FALSE;
    const SECTab& tab = *GetTab(index);
    label = FullLabel(index);
    selected = tab.m_bSelected;
    wnd = tab.m_pClient;
    user1 = tab.m_dwUser1;
    user2 = tab.m_dwUser2;
    return TRUE;
}

BOOL SECTabControlBase::FindTab(const CWnd* wnd, int& index) const {
    for (int i = GetTabCount() - 1; i >= 0; --i) {
        if (GetTab(i)->m_pClient == wnd) {
            index = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SECTabControlBase::GetActiveTab(int& index) const {
    index = active_;
    return has_active_;
}

void SECTabControlBase::OnDestroy() {
    tabs_.clear();
    has_active_ = FALSE;
    DestroyGdiObjects();
    CWnd::OnDestroy();
}

BOOL SECTabControlBase::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CreateTabFont(CFont& font, int height, int weight, int escapement) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = lf.lfOrientation = escapement;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS;
    std::strncpy(lf.lfFaceName, "Arial Narrow", sizeof lf.lfFaceName - 1);
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}
