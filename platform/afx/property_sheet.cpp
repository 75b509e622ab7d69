#include "platform/afx/property_sheet.h"

#include <algorithm>
#include <vector>

#include "platform/afx/app.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

constexpr UINT kFirstTab = 0x3100;
constexpr int kMargin = 7, kTabHeight = 22, kButtonWidth = 75, kButtonHeight = 23;

}  // namespace

CPropertyPage::CPropertyPage(UINT template_id, UINT caption_id) : CDialog(template_id) {
    if (caption_id) m_strCaption.LoadString(caption_id);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    modified_ = FALSE;
    return TRUE;
}

void CPropertyPage::SetModified(BOOL changed) {
    modified_ = changed;
    if (sheet_) sheet_->update_apply_button();
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
ON_COMMAND(ID_APPLY_NOW, OnApplyCommand)
ON_COMMAND_RANGE(kFirstTab, kFirstTab + 63, OnTabCommand)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT first_page)
    : caption_(caption), parent_(parent), first_page_(int(first_page)) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page || pages_.GetSize() >= 64) return;
    page->sheet_ = this;
    pages_.Add(page);
}

BOOL CPropertySheet::create_sheet(CWnd* owner) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    const char* sheet_class =
        AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(WS_EX_DLGMODALFRAME, sheet_class, caption_, style, 0, 0, 100, 100, owner ? owner->m_hWnd : nullptr,
                  nullptr))
        return FALSE;
    // Pages first, to size the sheet by the largest.
    CSize largest(160, 80);
    for (int i = 0; i < pages_.GetSize(); ++i) {
        CPropertyPage* page = pages_[i];
        if (!page->m_hWnd && !page->Create(page->m_nIDTemplate, this)) return FALSE;
        CRect area;
        page->GetWindowRect(&area);
        largest = CSize(std::max(largest.cx, LONG(area.Width())), std::max(largest.cy, LONG(area.Height())));
        if (page->m_strCaption.IsEmpty()) page->m_strCaption = page->GetWindowText();
    }
    CFont* font = pages_.GetSize() ? pages_[0]->GetFont() : nullptr;
    int x = kMargin;
    for (int i = 0; i < pages_.GetSize(); ++i) {
        CClientDC dc(this);
        if (font) dc.SelectObject(font);
        const int width = dc.GetTextExtent(pages_[i]->m_strCaption).cx + 16;
        HWND tab = ::CreateWindowEx(0, "BUTTON", pages_[i]->m_strCaption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x,
                                    kMargin, width, kTabHeight, m_hWnd,
                                    reinterpret_cast<HMENU>(std::uintptr_t(kFirstTab + UINT(i))), nullptr, nullptr);
        if (font) ::SendMessage(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font->m_hObject), FALSE);
        x += width;
    }
    const int page_top = kMargin + kTabHeight + 2;
    for (int i = 0; i < pages_.GetSize(); ++i)
        pages_[i]->SetWindowPos(nullptr, kMargin, page_top, largest.cx, largest.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const int buttons_top = page_top + largest.cy + kMargin;
    const int width = std::max<int>(largest.cx + 2 * kMargin, x + kMargin);
    struct Button {
        UINT id;
        const char* text;
    };
    std::vector<Button> buttons = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) buttons.push_back({ID_APPLY_NOW, "&Apply"});
    int bx = width - kMargin - int(buttons.size()) * (kButtonWidth + 6) + 6;
    for (const Button& b : buttons) {
        HWND button = ::CreateWindowEx(
            0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | (b.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
            bx, buttons_top, kButtonWidth, kButtonHeight, m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(b.id)),
            nullptr, nullptr);
        if (font) ::SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(font->m_hObject), FALSE);
        bx += kButtonWidth + 6;
    }
    CRect frame(0, 0, width, buttons_top + kButtonHeight + kMargin);
    CalcWindowRect(&frame);
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(owner);
    update_apply_button();
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= pages_.GetSize()) return FALSE;
    if (!m_hWnd) {
        first_page_ = index;
        return TRUE;
    }
    if (active_ == index) return TRUE;
    if (active_ >= 0 && !pages_[active_]->OnKillActive()) return FALSE;
    if (!pages_[index]->OnSetActive()) return FALSE;
    if (active_ >= 0) pages_[active_]->ShowWindow(SW_HIDE);
    active_ = index;
    pages_[index]->ShowWindow(SW_SHOW);
    for (int i = 0; i < pages_.GetSize(); ++i)
        ::SendDlgItemMessage(m_hWnd, int(kFirstTab + UINT(i)), BM_SETSTATE, i == index, 0);
    return TRUE;
}

LONG_PTR CPropertySheet::DoModal() {
    CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
    HWND owner_hwnd = owner ? ::GetAncestorTopLevel(owner->m_hWnd) : nullptr;
    ended_ = false;
    result_ = IDCANCEL;
    active_ = -1;
    if (pages_.IsEmpty() || !create_sheet(CWnd::FromHandle(owner_hwnd))) {
        if (m_hWnd) DestroyWindow();
        return -1;
    }
    SetActivePage(std::clamp(first_page_, 0, pages_.GetSize() - 1));
    const bool owner_enabled = owner_hwnd && ::IsWindowEnabled(owner_hwnd);
    if (owner_hwnd) ::EnableWindow(owner_hwnd, FALSE);
    ShowWindow(SW_SHOW);
    MSG msg;
    while (!ended_ && m_hWnd && kit::user::modal_loop_next(msg)) {
        if (PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (owner_enabled) ::EnableWindow(owner_hwnd, TRUE);
    if (owner_hwnd && ::IsWindow(owner_hwnd)) ::SetActiveWindow(owner_hwnd);
    for (int i = 0; i < pages_.GetSize(); ++i)
        if (pages_[i]->m_hWnd) pages_[i]->DestroyWindow();
    if (m_hWnd) DestroyWindow();
    active_ = -1;
    return result_;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
    CPropertyPage* page = GetActivePage();
    if (page && page->m_hWnd && ::IsDialogMessage(page->m_hWnd, msg)) return TRUE;
    return FALSE;
}

BOOL CPropertySheet::apply_all() {
    CPropertyPage* page = GetActivePage();
    if (page && !page->OnKillActive()) return FALSE;
    for (int i = 0; i < pages_.GetSize(); ++i)
        if (pages_[i]->IsModified() && !pages_[i]->OnApply()) return FALSE;
    update_apply_button();
    return TRUE;
}

void CPropertySheet::update_apply_button() {
    if (!m_hWnd) return;
    bool any = false;
    for (int i = 0; i < pages_.GetSize(); ++i) any = any || pages_[i]->IsModified();
    if (HWND apply = ::GetDlgItem(m_hWnd, int(ID_APPLY_NOW))) ::EnableWindow(apply, any);
}

void CPropertySheet::EndDialog(int result) {
    result_ = result;
    ended_ = true;
}

void CPropertySheet::OnOKCommand() {
    if (apply_all()) EndDialog(IDOK);
}

void CPropertySheet::OnApplyCommand() { apply_all(); }

void CPropertySheet::OnTabCommand(UINT id) { SetActivePage(int(id - kFirstTab)); }
