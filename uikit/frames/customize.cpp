#include "uikit/frames/customize.h"

#include <algorithm>

#include "platform/user/check_list_box.h"
#include "uikit/frames/custom_toolbar_drag.h"
#include "uikit/frames/menu_bar.h"
#include "uikit/frames/menu_button.h"
#include "uikit/frames/toolbar_manager.h"

IMPLEMENT_DYNAMIC(SECToolBarSheet, CPropertySheet)
IMPLEMENT_DYNAMIC(SECCustomizePage, CPropertyPage)
IMPLEMENT_DYNAMIC(SECToolBarsPage, SECCustomizePage)
IMPLEMENT_DYNAMIC(SECToolBarCmdPage, SECCustomizePage)
IMPLEMENT_DYNCREATE(SECCustomizeToolBar, SECCustomToolBar)

namespace {

constexpr UINT kFirstCategoryID = 0xE8AF;
constexpr DWORD kCategoryStyle = WS_CHILD | WS_VISIBLE | CBRS_BORDER_3D | CBRS_SIZE_DYNAMIC | CBRS_FLOATING;
constexpr DWORD kMenuListStyle = 0x40A00140;

// While a page is up: every toolbar in customise mode, the frame usable beside the sheet.
void begin_customizing(SECToolBarManager* manager, CWnd* page) {
    // Only this page of the sheet shows (the sheet makes every page before it turns to the first).
    for (HWND other = ::GetWindow(::GetParent(page->m_hWnd), GW_CHILD); other;
         other = ::GetWindow(other, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(other);
        if (other != page->m_hWnd && wnd && wnd->IsKindOf(RUNTIME_CLASS(CPropertyPage))) ::ShowWindow(other, SW_HIDE);
    }
    if (!manager) return;
    manager->SetCustomizeMode(TRUE);
    manager->LockFrame();
    manager->SetCustomizeWnd(page->GetParent());
}

void end_customizing(SECToolBarManager* manager, HWND sheet) {
    if (!manager) return;
    manager->SetCustomizeMode(FALSE);
    manager->UnlockFrame();
    if (sheet && ::IsWindow(sheet)) ::EnableWindow(sheet, TRUE);
}

HWND list_of(HWND page) { return ::GetDlgItem(page, SEC_IDC_LIST); }

CString window_text(HWND hwnd) {
    char buffer[512] = {};
    ::GetWindowText(hwnd, buffer, int(sizeof buffer));
    return buffer;
}

// The "New Toolbar" dialog: OK only with a name.
class NewToolBarDialog : public CDialog {
public:
    explicit NewToolBarDialog(CWnd* parent) : CDialog(SEC_IDD_NEW_TOOLBAR, parent) {}
    CString name;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ::SendDlgItemMessage(m_hWnd, SEC_IDC_NEW_NAME, EM_LIMITTEXT, 255, 0);
        update_ok();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == SEC_IDC_NEW_NAME && HIWORD(wParam) == EN_CHANGE) update_ok();
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnOK() override {
        name = sec_cut_characters(window_text(::GetDlgItem(m_hWnd, SEC_IDC_NEW_NAME)), kSecMaxToolBarName);
        if (!name.IsEmpty()) CDialog::OnOK();
    }

private:
    void update_ok() {
        ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), ::GetWindowTextLength(::GetDlgItem(m_hWnd, SEC_IDC_NEW_NAME)) > 0);
    }
};

}  // namespace

UINT sec_toolbar_style_message() {
    static const UINT message = ::RegisterWindowMessage("WM_TOOLBARSTYLECHANGING");
    return message;
}

CString sec_cut_characters(const char* text, int count) {
    CString out;
    if (!text) return out;
    int characters = 0;
    const char* p = text;
    while (*p && characters < count) {
        const int length = afx_is_lead_byte(*p) && p[1] ? 2 : 1;
        p += length;
        ++characters;
    }
    return CString(text, int(p - text));
}

void sec_show_command_description(CWnd* parent, UINT control, UINT command) {
    if (!parent || !parent->m_hWnd) return;
    CString text;
    if (command && text.LoadString(command)) {
        const int newline = text.Find('\n');
        if (newline >= 0) text = text.Left(newline);
    } else {
        text.Empty();
    }
    ::SetDlgItemText(parent->m_hWnd, int(control), text);
}

// ---- the sheet -----------------------------------------------------------------

namespace {
CString sheet_caption(const char* caption) {
    sec_register_frames_resources();
    CString text = caption ? caption : "";
    if (!caption) text.LoadString(SEC_IDS_CUSTOMIZE);
    return text;
}
}  // namespace

SECToolBarSheet::SECToolBarSheet(const char* caption, CWnd* parent) : CPropertySheet(sheet_caption(caption), parent) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

LONG_PTR SECToolBarSheet::DoModal() {
    const LONG_PTR result = CPropertySheet::DoModal();
    for (int i = 0; i < GetPageCount(); ++i) {
        auto* page = dynamic_cast<SECCustomizePage*>(GetPage(i));
        if (!page) continue;
        if (auto* toolbars = dynamic_cast<SECToolBarsPage*>(page); toolbars && result != IDOK) toolbars->OnCancel();
        if (SECToolBarManager* manager = page->GetManager()) {
            end_customizing(manager, nullptr);
            manager->SetCustomizeWnd(nullptr);
        }
    }
    return result;
}

// ---- the pages -----------------------------------------------------------------

BOOL SECCustomizePage::OnSetActive() {
    begin_customizing(manager_, this);
    return CPropertyPage::OnSetActive();
}

BOOL SECCustomizePage::OnKillActive() {
    end_customizing(manager_, ::GetParent(m_hWnd));
    return CPropertyPage::OnKillActive();
}

// ---- the Toolbars page ---------------------------------------------------------

SECToolBarsPage::SECToolBarsPage() : SECCustomizePage((sec_register_frames_resources(), SEC_IDD_TOOLBARS_PAGE)) {}

void SECToolBarsPage::SetManager(SECToolBarManager* manager) {
    manager_ = manager;
    if (!manager) return;
    opened_[0] = manager->ToolTipsEnabled();
    opened_[1] = manager->CoolLookEnabled();
    opened_[2] = manager->LargeBtnsEnabled();
}

BOOL SECToolBarsPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (manager_) {
        manager_->AddListener(this);
        ::CheckDlgButton(m_hWnd, SEC_IDC_TOOLTIPS, manager_->ToolTipsEnabled() ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(m_hWnd, SEC_IDC_COOL_LOOK, manager_->CoolLookEnabled() ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(m_hWnd, SEC_IDC_LARGE_BUTTONS, manager_->LargeBtnsEnabled() ? BST_CHECKED : BST_UNCHECKED);
    }
    ::SendDlgItemMessage(m_hWnd, SEC_IDC_NAME, EM_LIMITTEXT, 255, 0);
    fill();
    return TRUE;
}

BOOL SECToolBarsPage::OnApply() {
    if (manager_) SetManager(manager_);  // what is shown now is what a later Cancel goes back to
    return CPropertyPage::OnApply();
}

void SECToolBarsPage::OnCancel() {
    if (!manager_) return;
    manager_->EnableToolTips(opened_[0]);
    manager_->EnableCoolLook(opened_[1], CBRS_EX_COOLBORDERS);
    manager_->EnableLargeBtns(opened_[2]);
}

UINT SECToolBarsPage::ItemBarID(int item) const {
    return UINT(::SendMessage(list_of(m_hWnd), LB_GETITEMDATA, WPARAM(item), 0));
}

int SECToolBarsPage::GetSelectedItem() const { return int(::SendMessage(list_of(m_hWnd), LB_GETCURSEL, 0, 0)); }

int SECToolBarsPage::item_of(UINT bar_id) const {
    const int count = int(::SendMessage(list_of(m_hWnd), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (ItemBarID(i) == bar_id) return i;
    return -1;
}

void SECToolBarsPage::add_item(int at, SECCustomToolBar* bar, BOOL checked) {
    HWND list = list_of(m_hWnd);
    const int item = int(::SendMessage(list, LB_INSERTSTRING, WPARAM(at), LPARAM(LPCSTR(bar->GetWindowText()))));
    if (item < 0) return;
    ::SendMessage(list, LB_SETITEMDATA, WPARAM(item), LPARAM(bar->GetDlgCtrlID()));
    ::SendMessage(list, CLB_SETCHECK, WPARAM(item), checked ? BST_CHECKED : BST_UNCHECKED);
}

void SECToolBarsPage::fill() {
    ::SendMessage(list_of(m_hWnd), LB_RESETCONTENT, 0, 0);
    if (!manager_) return;
    for (SECCustomToolBar* bar : manager_->GetToolBars())
        if (bar->m_hWnd) add_item(-1, bar, bar->IsVisible());
    select(0);
}

void SECToolBarsPage::select(int item) {
    HWND list = list_of(m_hWnd);
    const int count = int(::SendMessage(list, LB_GETCOUNT, 0, 0));
    if (count == 0) return;
    item = std::clamp(item, 0, count - 1);
    ::SendMessage(list, LB_SETCURSEL, WPARAM(item), 0);
    const UINT id = ItemBarID(item);
    SECCustomToolBar* bar = manager_ ? manager_->FindToolBar(id) : nullptr;
    ::SetDlgItemText(m_hWnd, SEC_IDC_NAME, bar ? LPCSTR(bar->GetWindowText()) : "");
    name_changed_ = false;
    const BOOL user = sec_is_user_toolbar_id(id);
    ::EnableWindow(::GetDlgItem(m_hWnd, SEC_IDC_NAME), user);
    ::EnableWindow(::GetDlgItem(m_hWnd, SEC_IDC_NAME_LABEL), user);
    CString label;
    label.LoadString(user ? SEC_IDS_DELETE : SEC_IDS_RESET);
    ::SetDlgItemText(m_hWnd, SEC_IDC_RESET_DELETE, label);
}

void SECToolBarsPage::ShowToolBar(int item, BOOL show) {
    const UINT id = ItemBarID(item);
    SECCustomToolBar* bar = manager_ ? manager_->FindToolBar(id) : nullptr;
    if (!bar) return;
    if (id == SEC_IDW_MENUBAR && !show) {
        // The menu bar stays.
        ::SendMessage(list_of(m_hWnd), CLB_SETCHECK, WPARAM(item), BST_CHECKED);
        return;
    }
    CFrameWnd* frame = manager_->GetFrameWnd();
    frame->ShowControlBar(bar, show, FALSE);
    frame->RecalcLayout();
}

void SECToolBarsPage::Rename(const char* name) {
    const int item = GetSelectedItem();
    SECCustomToolBar* bar = manager_ && item >= 0 ? manager_->FindToolBar(ItemBarID(item)) : nullptr;
    if (!bar || !bar->IsUserToolBar()) return;
    const CString title = sec_cut_characters(name, kSecMaxToolBarName);
    bar->SetWindowText(title);
    if (bar->IsFloating())
        if (CFrameWnd* floating = bar->GetParentFrame()) floating->SetWindowText(title);
    ::SetDlgItemText(m_hWnd, SEC_IDC_NAME, title);
    HWND list = list_of(m_hWnd);
    const LRESULT check = ::SendMessage(list, CLB_GETCHECK, WPARAM(item), 0);
    ::SendMessage(list, LB_DELETESTRING, WPARAM(item), 0);
    add_item(item, bar, check == BST_CHECKED);
    ::SendMessage(list, LB_SETCURSEL, WPARAM(item), 0);
    name_changed_ = false;
}

BOOL SECToolBarsPage::AskNewName(CString& name) {
    NewToolBarDialog dialog(this);
    if (dialog.DoModal() != IDOK) return FALSE;
    name = dialog.name;
    return TRUE;
}

void SECToolBarsPage::NewToolBar(const char* name) {
    if (!manager_) return;
    SECCustomToolBar* bar = manager_->CreateUserToolBar(name);
    if (!bar) return;
    // Floating under the top left of the top dock bar, or the bottom right of the client area.
    CFrameWnd* frame = manager_->GetFrameWnd();
    CPoint at;
    if (CControlBar* top = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)) {
        CRect r;
        top->GetWindowRect(&r);
        at = CPoint(r.left + 5, r.bottom + 5);
    } else {
        CRect r;
        frame->GetClientRect(&r);
        frame->ClientToScreen(&r);
        at = CPoint(r.right + 5, r.bottom + 5);
    }
    frame->FloatControlBar(bar, at, CBRS_ALIGN_TOP);
    select(item_of(UINT(bar->GetDlgCtrlID())));
}

void SECToolBarsPage::ResetOrDelete() {
    const int item = GetSelectedItem();
    const UINT id = item >= 0 ? ItemBarID(item) : 0;
    SECCustomToolBar* bar = manager_ ? manager_->FindToolBar(id) : nullptr;
    if (!bar) return;
    if (bar->IsUserToolBar()) {
        // A floating user toolbar goes with its frame.
        CFrameWnd* floating = bar->IsFloating() ? bar->GetParentFrame() : nullptr;
        if (floating && floating != manager_->GetFrameWnd())
            floating->DestroyWindow();
        else
            bar->DestroyWindow();
        return;
    }
    if (auto* menu_bar = dynamic_cast<SECMenuBar*>(bar)) {
        menu_bar->ResetButtons(FALSE);
        return;
    }
    if (id == SEC_IDW_MENUBAR) {
        const std::vector<UINT>& ids = manager_->GetMenuBarButtons();
        bar->SetButtons(ids.data(), int(ids.size()));
    } else {
        int count = 0;
        const UINT* ids = nullptr;
        if (!manager_->GetDefaultButtons(id, count, ids)) return;
        bar->SetButtons(ids, count);
    }
    manager_->GetFrameWnd()->RecalcLayout();
    bar->Invalidate();
}

void SECToolBarsPage::set_switch(UINT id, BOOL on) {
    if (!manager_) return;
    WPARAM change = 0;
    if (id == SEC_IDC_TOOLTIPS) manager_->EnableToolTips(on);
    if (id == SEC_IDC_COOL_LOOK) manager_->EnableCoolLook(on, CBRS_EX_COOLBORDERS), change = 2;
    if (id == SEC_IDC_LARGE_BUTTONS) manager_->EnableLargeBtns(on), change = 1;
    if (!change) return;
    // The other pages of the sheet follow (the command page's categories).
    for (HWND page = ::GetWindow(::GetParent(m_hWnd), GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT))
        if (page != m_hWnd) ::SendMessage(page, sec_toolbar_style_message(), change, 0);
}

void SECToolBarsPage::bar_notify(UINT bar_id, UINT code) {
    HWND list = list_of(m_hWnd);
    const int item = item_of(bar_id);
    switch (code) {
        case SEC_BAR_SHOWN:
        case SEC_BAR_HIDDEN:
            if (item >= 0)
                ::SendMessage(list, CLB_SETCHECK, WPARAM(item), code == SEC_BAR_SHOWN ? BST_CHECKED : BST_UNCHECKED);
            break;
        case SEC_BAR_CREATED: {
            SECCustomToolBar* bar = manager_ ? manager_->FindToolBar(bar_id) : nullptr;
            if (!bar || item >= 0) break;
            const int count = int(::SendMessage(list, LB_GETCOUNT, 0, 0));
            int at = 0;
            while (at < count && ItemBarID(at) < bar_id) ++at;
            add_item(at, bar, TRUE);
            break;
        }
        case SEC_BAR_DESTROYED:
            if (item < 0) break;
            ::SendMessage(list, LB_DELETESTRING, WPARAM(item), 0);
            select(item - 1);
            break;
        default: break;
    }
}

BOOL SECToolBarsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
        case SEC_IDC_LIST:
            if (code == LBN_SELCHANGE) select(GetSelectedItem());
            if (code == CLBN_CHKCHANGE) {
                const int item = GetSelectedItem();
                ShowToolBar(item, ::SendMessage(list_of(m_hWnd), CLB_GETCHECK, WPARAM(item), 0) == BST_CHECKED);
            }
            break;
        case SEC_IDC_NEW:
            if (code == BN_CLICKED) {
                CString name;
                if (manager_) manager_->UnlockFrame();
                const BOOL asked = AskNewName(name);
                if (manager_) manager_->LockFrame();
                if (asked) NewToolBar(name);
            }
            break;
        case SEC_IDC_RESET_DELETE:
            if (code == BN_CLICKED) ResetOrDelete();
            break;
        case SEC_IDC_TOOLTIPS:
        case SEC_IDC_COOL_LOOK:
        case SEC_IDC_LARGE_BUTTONS:
            if (code == BN_CLICKED) set_switch(id, ::IsDlgButtonChecked(m_hWnd, int(id)) == BST_CHECKED);
            break;
        case SEC_IDC_NAME:
            if (code == EN_CHANGE) name_changed_ = true;
            if (code == EN_KILLFOCUS && name_changed_) Rename(window_text(::GetDlgItem(m_hWnd, SEC_IDC_NAME)));
            break;
        default: break;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT SECToolBarsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sec_bar_notify_message()) {
        bar_notify(UINT(wParam), UINT(lParam));
        return 0;
    }
    if (message == WM_DESTROY && manager_) manager_->RemoveListener(this);
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

// ---- categories ----------------------------------------------------------------

SECBtnGroup::~SECBtnGroup() {
    if (m_pChild && m_pChild->m_hWnd) m_pChild->DestroyWindow();
}

BOOL SECTBBtnGroup::Create(CWnd* parent, SECToolBarManager* manager, UINT id) {
    auto* bar = new SECCustomizeToolBar;
    m_pChild.reset(bar);
    if (manager) {
        bar->SetBmpMgr(manager->GetBmpMgr());
        manager->ApplyImageSize(bar);
    }
    const DWORD style = kCategoryStyle | (manager && manager->FlyByEnabled() ? CBRS_FLYBY : 0);
    const DWORD ex_style = manager && manager->CoolLookEnabled() ? CBRS_EX_COOLBORDERS : 0;
    if (!bar->CreateEx(ex_style, parent, style, id, m_strTitle)) return FALSE;
    // The manager comes after the window, so that the Toolbars page does not list the category.
    bar->SetManager(manager);
    if (manager) bar->SetOwner(manager->GetFrameWnd());
    bar->SetButtons(m_ids.data(), int(m_ids.size()));
    return TRUE;
}

void SECTBBtnGroup::Layout(const CRect& rect) {
    SECCustomizeToolBar* bar = GetToolBar();
    if (!bar || !bar->m_hWnd) return;
    const CSize size = bar->CalcDynamicLayout(rect.Width(), LM_HORZ | LM_COMMIT);
    bar->MoveWindow(rect.left, rect.top, rect.Width(), std::min<int>(size.cy, rect.Height()));
    bar->Invalidate();
}

void SECTBBtnGroup::Activate(BOOL on) {
    if (SECCustomizeToolBar* bar = GetToolBar()) bar->SetCustomizeMode(on);
}

void SECTBBtnGroup::ApplyManagerStyle(SECToolBarManager* manager) {
    SECCustomizeToolBar* bar = GetToolBar();
    if (!bar || !manager) return;
    manager->ApplyImageSize(bar);
    bar->ModifyExBarStyle(manager->CoolLookEnabled() ? 0 : CBRS_EX_COOLBORDERS,
                          manager->CoolLookEnabled() ? CBRS_EX_COOLBORDERS : 0, FALSE);
    CRect r;
    bar->GetWindowRect(&r);
    bar->GetParent()->ScreenToClient(&r);
    Layout(CRect(r.left, r.top, r.right, r.top + 1000));
}

LRESULT SECMenuListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN) return CListBox::WindowProc(message, wParam, lParam);
    SetFocus();
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const int count = GetCount();
    const int height = std::max(1, GetItemHeight(0));
    const int item = std::min(int(SendMessage(LB_GETTOPINDEX)) + point.y / height, count - 1);
    if (item < 0) return 0;
    SetCurSel(item);
    const UINT id = UINT(GetItemData(item));
    sec_show_command_description(GetParent(), SEC_IDC_DESCRIPTION, id);
    // The item drags as a button would.
    SECStdBtn dragged;
    dragged.m_nID = id;
    dragged.SetPos(point.x, point.y);
    PostMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(point.x - 1, point.y - 1));
    sec_button_drag(m_pManager, &dragged, -1, point, nullptr, this, TRUE);
    return 0;
}

BOOL SECMenuBtnGroup::Create(CWnd* parent, SECToolBarManager* manager, UINT id) {
    auto* list = new SECMenuListBox;
    m_pChild.reset(list);
    list->m_pManager = manager;
    if (!list->CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, kMenuListStyle, CRect(0, 0, 10, 10), parent, id))
        return FALSE;
    list->SendMessage(WM_SETFONT, parent->SendMessage(WM_GETFONT), FALSE);
    // The menu bar's menus now shown, with the "&" marker taken out.
    SECCustomToolBar* menu_bar = manager ? manager->GetMenuBar() : nullptr;
    for (int i = 0; menu_bar && i < menu_bar->GetButtonCount(); ++i) {
        auto* button = dynamic_cast<SECTBMenuBtn*>(menu_bar->GetButton(i));
        if (!button || button->IsHidden()) continue;
        CString title = button->m_strText;
        if (const int amp = title.Find('&'); amp >= 0) title = title.Left(amp) + title.Mid(amp + 1);
        const int item = list->AddString(title);
        list->SetItemData(item, button->m_nID);
        m_ids.push_back(button->m_nID);
    }
    return TRUE;
}

void SECMenuBtnGroup::Layout(const CRect& rect) {
    if (m_pChild && m_pChild->m_hWnd) m_pChild->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
}

// ---- the command page ----------------------------------------------------------

SECToolBarCmdPage::SECToolBarCmdPage(UINT template_id, UINT caption_id)
    : SECCustomizePage(template_id, (sec_register_frames_resources(), caption_id)) {}

SECToolBarCmdPage::~SECToolBarCmdPage() = default;

void SECToolBarCmdPage::DefineBtnGroup(const char* title, int count, const UINT* ids) {
    groups_.push_back(std::make_unique<SECTBBtnGroup>(title, std::vector<UINT>(ids, ids + std::max(count, 0))));
}

void SECToolBarCmdPage::DefineMenuGroup(const char* title) {
    groups_.push_back(std::make_unique<SECMenuBtnGroup>(title, std::vector<UINT>{}));
}

void SECToolBarCmdPage::SetManager(SECToolBarManager* manager) { manager_ = manager; }

BOOL SECToolBarCmdPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (manager_) manager_->AddListener(this);
    CRect area;
    if (HWND frame = ::GetDlgItem(m_hWnd, SEC_IDC_BUTTONS_FRAME)) {
        ::GetWindowRect(frame, &area);
        ScreenToClient(&area);
    }
    CRect inset(0, 0, 6, 8);
    ::MapDialogRect(m_hWnd, &inset);
    area.DeflateRect(inset.right, inset.bottom);
    HWND list = ::GetDlgItem(m_hWnd, SEC_IDC_LIST);
    UINT id = kFirstCategoryID;
    for (auto& group : groups_) {
        if (!group->Create(this, manager_, id--)) continue;
        group->Layout(area);
        // Above the "Buttons" frame it sits in.
        ::SetWindowPos(group->GetChild()->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        group->GetChild()->ShowWindow(SW_HIDE);
        ::SendMessage(list, LB_ADDSTRING, 0, LPARAM(LPCSTR(group->m_strTitle)));
    }
    ShowGroup(0);
    return TRUE;
}

void SECToolBarCmdPage::ShowGroup(int index) {
    if (index < 0 || index >= GetGroupCount()) return;
    if (shown_ >= 0 && shown_ != index) {
        groups_[std::size_t(shown_)]->Activate(FALSE);
        if (CWnd* child = groups_[std::size_t(shown_)]->GetChild(); child && child->m_hWnd) child->ShowWindow(SW_HIDE);
    }
    shown_ = index;
    groups_[std::size_t(index)]->Activate(TRUE);
    if (CWnd* child = groups_[std::size_t(index)]->GetChild(); child && child->m_hWnd) child->ShowWindow(SW_SHOW);
    ::SendDlgItemMessage(m_hWnd, SEC_IDC_LIST, LB_SETCURSEL, WPARAM(index), 0);
}

BOOL SECToolBarCmdPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == SEC_IDC_LIST && HIWORD(wParam) == LBN_SELCHANGE)
        ShowGroup(int(::SendDlgItemMessage(m_hWnd, SEC_IDC_LIST, LB_GETCURSEL, 0, 0)));
    return CPropertyPage::OnCommand(wParam, lParam);
}

void SECToolBarCmdPage::describe(UINT id) { sec_show_command_description(this, SEC_IDC_DESCRIPTION, id); }

LRESULT SECToolBarCmdPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sec_bar_notify_message()) {
        // A button chosen on any toolbar shows what its command does.
        if (lParam == SEC_BAR_SELECTION && manager_) {
            SECCustomToolBar* bar = manager_->GetSelectedBar();
            const int selected = bar ? bar->GetSelected() : -1;
            describe(selected >= 0 ? bar->GetButtonID(selected) : 0);
        }
        return 0;
    }
    if (message == sec_toolbar_style_message()) {
        for (auto& group : groups_)
            if (auto* buttons = dynamic_cast<SECTBBtnGroup*>(group.get())) buttons->ApplyManagerStyle(manager_);
        return 0;
    }
    if (message == WM_DESTROY && manager_) manager_->RemoveListener(this);
    return CPropertyPage::WindowProc(message, wParam, lParam);
}
