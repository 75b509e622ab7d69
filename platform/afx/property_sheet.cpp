#include "platform/afx/property_sheet.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/afx/app.h"
#include "platform/user/modal_loop.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

constexpr UINT kTabControl = 0x3020;
constexpr int kMargin = 7, kButtonWidth = 75, kButtonHeight = 23;

// Notifications by which a control says the user changed its value.
bool is_change(HWND control, UINT code) {
    char name[32] = "";
    ::GetClassName(control, name, sizeof name);
    const std::string_view kind = name;
    if (kind == "BUTTON") {
        const UINT type = UINT(::GetWindowLong(control, GWL_STYLE)) & BS_TYPEMASK;
        return code == BN_CLICKED && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    }
    if (kind == "EDIT") return code == EN_CHANGE;
    if (kind == "COMBOBOX") return code == CBN_SELCHANGE;
    if (kind == "LISTBOX") return code == LBN_SELCHANGE;
    return false;
}

}  // namespace

CPropertyPage::CPropertyPage(UINT template_id, UINT caption_id) : CDialog(template_id) {
    if (caption_id) m_strCaption.LoadString(caption_id);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    modified_ = FALSE;
    return TRUE;
}

BOOL CPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A change the user makes on the page while it is shown marks it, so Apply enables.
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control && IsWindowVisible() && is_change(control, HIWORD(wParam))) SetModified(TRUE);
    return CDialog::OnCommand(wParam, lParam);
}

void CPropertyPage::SetModified(BOOL changed) {
    modified_ = changed;
    if (sheet_) sheet_->update_apply_button();
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
ON_COMMAND(ID_APPLY_NOW, OnApplyCommand)
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
    // The tabs and the frame the pages sit in: a tab control beneath the pages.
    HWND tabs = ::CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kMargin, kMargin, 100,
                                 100, m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(kTabControl)), nullptr, nullptr);
    if (!tabs) return FALSE;
    if (font) ::SendMessage(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font->m_hObject), FALSE);
    for (int i = 0; i < pages_.GetSize(); ++i) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(static_cast<const char*>(pages_[i]->m_strCaption));
        ::SendMessage(tabs, TCM_INSERTITEM, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT frame_of_pages{0, 0, LONG(largest.cx), LONG(largest.cy)};
    ::SendMessage(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&frame_of_pages));
    const int tabs_width = int(frame_of_pages.right - frame_of_pages.left);
    const int tabs_height = int(frame_of_pages.bottom - frame_of_pages.top);
    ::SetWindowPos(tabs, HWND_BOTTOM, kMargin, kMargin, tabs_width, tabs_height, SWP_NOACTIVATE);
    const int page_left = kMargin - int(frame_of_pages.left), page_top = kMargin - int(frame_of_pages.top);
    for (int i = 0; i < pages_.GetSize(); ++i)
        pages_[i]->SetWindowPos(nullptr, page_left, page_top, largest.cx, largest.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    int x = kMargin + tabs_width;
    const int buttons_top = kMargin + tabs_height + kMargin;
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
    HWND tabs = ::GetDlgItem(m_hWnd, int(kTabControl));
    ::SendMessage(tabs, TCM_SETCURSEL, WPARAM(index), 0);
    // The keyboard follows into the new page unless it is on the tabs themselves.
    if (::GetFocus() != tabs) focus_page(true);
    return TRUE;
}

void CPropertySheet::focus_page(bool turning) {
    HWND focus = ::GetFocus();
    CPropertyPage* page = GetActivePage();
    // Opening, the page takes the keyboard only if nobody visible has it; turning, always
    // (from the sheet's buttons too, so that typing after Ctrl+Tab reaches the new page).
    if (!page || (!turning && focus && focus != m_hWnd && ::IsWindowVisible(focus))) return;
    if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE))
        ::SendMessage(page->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

LONG_PTR CPropertySheet::DoModal() {
    HWND owner_hwnd = afx_modal_owner(parent_);
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
    focus_page(false);
    MSG msg;
    kit::user::ModalLoopScope scope(m_hWnd, true);
    while (!ended_ && m_hWnd && !scope.cancelled() && kit::user::modal_loop_next(msg)) {
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
    // Ctrl+Tab and Ctrl+Shift+Tab (or Ctrl+Page Down / Up) turn the pages,
    // whichever control has the focus (the sheet itself gets them as system keys when none has).
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && (::GetKeyState(VK_CONTROL) & 0x8000) &&
        pages_.GetSize() > 0 &&
        (msg->wParam == WPARAM(VK_TAB) || msg->wParam == WPARAM(VK_NEXT) || msg->wParam == WPARAM(VK_PRIOR))) {
        const bool back =
            msg->wParam == WPARAM(VK_PRIOR) || (msg->wParam == WPARAM(VK_TAB) && (::GetKeyState(VK_SHIFT) & 0x8000));
        const int count = pages_.GetSize();
        SetActivePage((active_ + (back ? count - 1 : 1)) % count);
        return TRUE;
    }
    // Return and Escape are the sheet's OK (or its focused button) and Cancel, not the page's.
    if (msg->message == WM_KEYDOWN && (msg->wParam == WPARAM(VK_RETURN) || msg->wParam == WPARAM(VK_ESCAPE))) {
        HWND focus = ::GetFocus();
        const LRESULT code =
            focus ? ::SendMessage(focus, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) : 0;
        if (!(code & DLGC_WANTALLKEYS)) {
            const bool own_button =
                ::GetParent(focus) == m_hWnd && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
            const int id = msg->wParam == WPARAM(VK_ESCAPE) ? IDCANCEL : own_button ? ::GetDlgCtrlID(focus) : IDOK;
            SendMessage(WM_COMMAND, WPARAM(id));
            return TRUE;
        }
    }
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
    HWND apply = ::GetDlgItem(m_hWnd, int(ID_APPLY_NOW));
    if (!apply) return;
    // Apply pressed from the keyboard or by mouse hands the focus to OK as it goes gray.
    // (The sheet is no dialog: it moves the keyboard itself, or a disabled Apply would leave nobody with it.)
    if (!any && ::GetFocus() == apply) ::SetFocus(::GetDlgItem(m_hWnd, IDOK));
    ::EnableWindow(apply, any);
}

void CPropertySheet::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    // Wakes the sheet's loop, which may be waiting for a message.
    if (m_hWnd) ::PostMessage(m_hWnd, WM_NULL, 0, 0);
}

void CPropertySheet::OnOKCommand() {
    if (apply_all()) EndDialog(IDOK);
}

void CPropertySheet::OnApplyCommand() { apply_all(); }

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != kTabControl) return CWnd::OnNotify(wParam, lParam, result);
    HWND tabs = header->hwndFrom;
    *result = 0;
    // A page that does not validate keeps its tab.
    if (header->code == TCN_SELCHANGE) {
        const int chosen = int(::SendMessage(tabs, TCM_GETCURSEL, 0, 0));
        if (!SetActivePage(chosen)) ::SendMessage(tabs, TCM_SETCURSEL, WPARAM(active_), 0);
    }
    return TRUE;
}
