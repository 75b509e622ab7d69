#include "uikit/controls/list_box_editor.h"

#include <algorithm>

#include "platform/user/modal_loop.h"
#include "uikit/controls/browse_edit.h"
#include "uikit/controls/list_box_drag.h"

IMPLEMENT_DYNAMIC(SECListBoxEditor, CWnd)
IMPLEMENT_DYNAMIC(SECListBoxDirEditor, SECListBoxEditor)

const char* const SECListBoxEditor::kToolTipTexts[kButtonCount] = {
    "New (Insert)", "Delete (Delete)", "Move Up (Alt+Up Arrow)", "Move Down (Alt+Down Arrow)"};

namespace {
constexpr UINT kFirstToolId = 20531;

bool row_is_empty(const CListBox& list, int row) { return list.GetTextLen(row) == 0; }
}  // namespace

// ---- the list box's input ----

LRESULT SECListBoxEditorHelper::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    SECListBoxEditor& editor = *editor_;
    const DWORD style = editor.style_;
    switch (message) {
        case WM_CHAR:
            if ((style & SECListBoxEditor::kEditOnChar) && ::GetKeyState(VK_CONTROL) >= 0 && wParam >= ' ') {
                editor.EditItem(UINT(wParam));
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == WPARAM(VK_INSERT) && (style & SECListBoxEditor::kKeys)) {
                editor.NewItem();
                return 0;
            }
            if (wParam == WPARAM(VK_DELETE) && (style & SECListBoxEditor::kKeys)) {
                editor.DeleteSelectedItems();
                return 0;
            }
            if (wParam == WPARAM(VK_F2) && (style & SECListBoxEditor::kEdit)) {
                editor.EditItem(0);
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
            if ((style & SECListBoxEditor::kKeys) && (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_DOWN))) {
                wParam == WPARAM(VK_UP) ? editor.MoveItemUp() : editor.MoveItemDown();
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (style & SECListBoxEditor::kEdit) editor.EditItem(0);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(UINT(wParam), CPoint(short(LOWORD(lParam)), short(HIWORD(lParam))));
            return 0;
        case SECListBoxEdit::kCancelledMessage: editor.edit_cancelled_ = BOOL(wParam); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == SECListBoxEdit::kCompanionId) {
                editor.OnBrowse();
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->idFrom == SECListBoxEdit::kId && header->code == SECListBoxEdit::kDoneCode) {
                editor.OnEditDone();
                return 0;
            }
            break;
        }
        default: break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void SECListBoxEditorHelper::OnLButtonDown(UINT flags, CPoint point) {
    SECListBoxEditor& editor = *editor_;
    if (SECListBoxEdit* edit = editor.GetEdit()) {
        edit->SendMessage(WM_KEYDOWN, edit->GetWindowTextLength() ? VK_RETURN : VK_ESCAPE);
    }
    const int before = GetCurSel();
    CListBox::WindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    if (editor.style_ & SECListBoxEditor::kDrag) {
        SECListBoxDragWnd drag(this, editor.HasTrailingRow());
        int from = -1, to = -1;
        if (drag.Track(point, &from, &to)) {
            CString text;
            GetText(to, text);
            editor.OnItemMoved(from, to, text);
        }
    }
    if (before >= 0 && GetCurSel() != before) editor.NotifySelChange();
}

// ---- the editor ----

BEGIN_MESSAGE_MAP(SECListBoxEditor, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_NCHITTEST()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

SECListBoxEditor::SECListBoxEditor() = default;

SECListBoxEditor::~SECListBoxEditor() {
    if (edit_ && edit_->m_hWnd) edit_->DestroyWindow();
    edit_.reset();
    if (helper_ && helper_->m_hWnd) helper_->UnsubclassWindow();
    helper_.reset();
    if (m_hWnd) DestroyWindow();
}

BOOL SECListBoxEditor::Initialize(CWnd* parent, UINT id, DWORD style) {
    const HWND list = parent ? ::GetDlgItem(parent->m_hWnd, int(id)) : nullptr;
    if (!list) return FALSE;
    style_ = style;
    list_id_ = id;
    CRect area;
    ::GetWindowRect(list, &area);
    parent->ScreenToClient(&area);
    char caption[256] = {};
    ::GetWindowText(list, caption, sizeof caption);
    const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    if (!CreateEx(0, cls, caption, WS_CHILD, area.left, area.top, area.Width(), 1, parent->m_hWnd,
                  HMENU(UINT_PTR(FirstFreeControlId(parent)))))
        return FALSE;
    CFont* font = parent->GetFont();
    SetFont(font ? font : CWnd::FromHandle(list)->GetFont(), FALSE);
    header_height_ = CalcHeaderHeight();
    const int gap = 2 * ::GetSystemMetrics(SM_CYBORDER);
    SetWindowPos(nullptr, area.left, area.top, area.Width(), header_height_, SWP_NOZORDER | SWP_NOACTIVATE);
    // The strip takes the list's place in the tab order, the list comes right after it.
    const HWND before = ::GetWindow(list, GW_HWNDPREV);
    ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(list, m_hWnd, area.left, area.top + header_height_ + gap, area.Width(),
                   area.Height() - header_height_ - gap, SWP_NOACTIVATE);
    SetButtons(style);
    helper_ = std::make_unique<SECListBoxEditorHelper>(this);
    if (!helper_->SubclassWindow(list)) {
        helper_.reset();
        DestroyWindow();
        return FALSE;
    }
    LayoutButtons();
    if ((style & kButtons) && (style & kToolTips) && tool_tip_.Create(this, TTS_ALWAYSTIP)) {
        UpdateToolTips();
        tool_tip_.Activate(TRUE);
    }
    if (HasTrailingRow()) AppendEmptyRowIfNeeded();
    NotifySelChange();
    ShowWindow(SW_SHOW);
    initialized_ = TRUE;
    return TRUE;
}

void SECListBoxEditor::RefillRows(const std::vector<std::string>& rows) {
    CListBox* list = GetListBoxCtrl();
    if (!list) return;
    list->SendMessage(WM_SETREDRAW, FALSE);
    list->ResetContent();
    for (const std::string& row : rows) list->AddString(row.c_str());
    if (HasTrailingRow()) AppendEmptyRowIfNeeded();
    list->SendMessage(WM_SETREDRAW, TRUE);
    list->Invalidate();
}

void SECListBoxEditor::AppendEmptyRowIfNeeded() {
    CListBox* list = GetListBoxCtrl();
    const int count = list->GetCount();
    if (count == 0 || !row_is_empty(*list, count - 1)) list->AddString("");
}

int SECListBoxEditor::CurrentRow() const {
    CListBox* list = GetListBoxCtrl();
    if (!list) return -1;
    if (!IsMultipleSelection(*list)) return list->GetCurSel();
    int first = -1;  // the first selected row stands for the caret row
    return list->SendMessage(LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) == 1 ? first : list->GetCurSel();
}

void SECListBoxEditor::SendToParent(UINT code, bool post) {
    CWnd* parent = GetParent();
    CListBox* list = GetListBoxCtrl();
    if (!parent || !list) return;
    const WPARAM w = MAKEWPARAM(list_id_, code);
    const LPARAM l = reinterpret_cast<LPARAM>(list->m_hWnd);
    if (post)
        parent->PostMessage(WM_COMMAND, w, l);
    else
        parent->SendMessage(WM_COMMAND, w, l);
}

void SECListBoxEditor::NotifySelChange() { SendToParent(LBN_SELCHANGE, true); }

void SECListBoxEditor::EnsureSelection() {
    CListBox* list = GetListBoxCtrl();
    const bool none = IsMultipleSelection(*list) ? list->GetSelCount() <= 0 : list->GetCurSel() < 0;
    if (none && list->GetCount() > 0) SelectRow(*list, list->GetCount() - 1);
    NotifySelChange();
}

void SECListBoxEditor::OnItemMoved(int from, int to, const CString&) {
    moved_from_ = from;
    moved_to_ = to;
    SendToParent(kRowMoved, false);
}

// ---- editing ----

void SECListBoxEditor::EditItem(UINT character) {
    if (auto_advance_ && (character == ' ' || character == '\b')) {
        CWnd* dialog = GetParent();
        const HWND next = ::GetNextDlgTabItem(dialog->m_hWnd, GetListBoxCtrl()->m_hWnd, character == '\b');
        if (next) {
            ::SetFocus(next);
            ::SendMessage(next, EM_SETSEL, 0, -1);
        }
        return;
    }
    CListBox* list = GetListBoxCtrl();
    const int row = CurrentRow();
    if (row < 0 || row >= list->GetCount()) return;
    list->GetText(row, row_text_);
    const char text[2] = {char(character), 0};
    StartEdit(row, FALSE, character ? text : nullptr);
}

void SECListBoxEditor::StartEdit(int row, BOOL new_row, const char* initial_text) {
    CListBox* list = GetListBoxCtrl();
    if (IsEditing() || !list) return;
    NotifySelChange();
    const bool browse = (style_ & kEdit) && IsKindOf(RUNTIME_CLASS(SECListBoxDirEditor));
    CRect client;
    list->GetClientRect(&client);
    int width = client.Width();
    int button_cx = 0;
    if (browse) {
        CClientDC dc(list);
        CFont* old_font = dc.SelectObject(list->GetFont());
        button_cx = dc.GetTextExtent("...").cx + 2 * (dc.GetTextExtent("W").cx + ::GetSystemMetrics(SM_CXBORDER));
        dc.SelectObject(old_font);
        width -= button_cx;
    }
    edit_cancelled_ = FALSE;
    edit_ = std::make_unique<SECListBoxEdit>(new_row, row, browse ? SECListBoxEdit::kCompanionId : 0, auto_advance_,
                                             auto_advance_count_);
    if (browse) {
        const int height = list->GetItemHeight(row);
        const int top = (row - list->GetTopIndex()) * height;
        browse_.Create("...", WS_CHILD | WS_VISIBLE, CRect(width, top - 2, width + button_cx, top + height + 2), list,
                       SECListBoxEdit::kCompanionId);
        browse_.SetFont(list->GetFont(), FALSE);
    }
    if (!edit_->Create(list, initial_text, width)) {
        edit_.reset();
        if (browse_.m_hWnd) browse_.DestroyWindow();
    }
}

void SECListBoxEditor::OnEditDone() {
    CListBox* list = GetListBoxCtrl();
    const bool had_focus = edit_ && edit_->m_hWnd && ::GetFocus() == edit_->m_hWnd;
    if (browse_.m_hWnd) browse_.DestroyWindow();
    if (edit_ && edit_->m_hWnd) edit_->DestroyWindow();
    if (had_focus) list->SetFocus();
    const int row = CurrentRow();
    if (row >= 0 && row < list->GetCount() && !edit_cancelled_) {
        CString now;
        list->GetText(row, now);
        const bool last = row == list->GetCount() - 1;
        if (last && !row_text_.IsEmpty() && now != row_text_) {
            OnEditingStopped(row, row_text_, now);
        } else if (!new_row_edit_ && !(last && HasTrailingRow())) {
            if (now != row_text_) OnEditingStopped(row, row_text_, now);
        } else {
            OnEditingJustStopped(row, now);
            CString left = now;
            left.TrimLeft();
            if (HasTrailingRow() && !left.IsEmpty()) AppendEmptyRowIfNeeded();
        }
    }
    row_text_.Empty();
    new_row_edit_ = FALSE;
    EnsureSelection();
}

void SECListBoxEditor::OnEditingStopped(int row, const CString&, const CString& new_text) {
    CString text = new_text;
    text.TrimRight();
    if (text.IsEmpty()) {
        DeleteRow(row);
    } else if (row == GetListBoxCtrl()->GetCount() - 1 && HasTrailingRow()) {
        GetListBoxCtrl()->AddString("");
    }
}

void SECListBoxEditor::OnEditingJustStopped(int row, const CString& new_text) {
    CString text = new_text;
    text.TrimRight();
    if (text.IsEmpty()) DeleteRow(row);
}

// ---- rows ----

void SECListBoxEditor::NewItem() {
    CListBox* list = GetListBoxCtrl();
    if (!list || IsEditing()) return;
    AppendEmptyRowIfNeeded();
    if (HasTrailingRow()) list->AddString("");
    const int row = list->GetCount() - (HasTrailingRow() ? 2 : 1);
    new_row_edit_ = TRUE;
    row_text_.Empty();
    StartEdit(row, TRUE, nullptr);
}

BOOL SECListBoxEditor::DeleteRow(int row) {
    CListBox* list = GetListBoxCtrl();
    const int count = list ? list->GetCount() : 0;
    if (row < 0 || row >= count || (HasTrailingRow() && row == count - 1)) return FALSE;
    CString text;
    list->GetText(row, text);
    if (!CanDeleteRow(row, text)) return FALSE;
    list->SendMessage(WM_SETREDRAW, FALSE);
    list->DeleteString(UINT(row));
    if (!IsMultipleSelection(*list) && count > 1) list->SetCurSel(std::min(row, count - 2));
    list->SendMessage(WM_SETREDRAW, TRUE);
    list->Invalidate();
    last_deleted_ = row;
    SendToParent(kRowDeleted, false);
    return TRUE;
}

void SECListBoxEditor::DeleteSelectedItems() {
    CListBox* list = GetListBoxCtrl();
    if (!list || IsEditing()) return;
    if (!IsMultipleSelection(*list)) {
        DeleteRow(list->GetCurSel());
        return;
    }
    while (list->GetSelCount() > 0) {
        int first = -1;
        list->SendMessage(LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first));
        if (first < 0 || !DeleteRow(first)) break;
    }
}

BOOL SECListBoxEditor::MoveRowUp(int row) {
    CListBox* list = GetListBoxCtrl();
    if (!list || row <= 0 || row >= list->GetCount()) return FALSE;
    CString text;
    list->GetText(row, text);
    const UINT_PTR data = list->GetItemData(row);
    list->SendMessage(WM_SETREDRAW, FALSE);
    list->DeleteString(UINT(row));
    list->InsertString(row - 1, text);
    list->SetItemData(row - 1, data);
    list->SendMessage(WM_SETREDRAW, TRUE);
    list->Invalidate();
    return TRUE;
}

// Moves the current row one place up (-1) or down (1) among the movable rows.
void SECListBoxEditor::MoveCurrentRow(int step) {
    CListBox* list = GetListBoxCtrl();
    if (!list || IsEditing() || (IsMultipleSelection(*list) && list->GetSelCount() != 1)) return;
    const int row = CurrentRow();
    const int to = row + step;
    const int last_movable = list->GetCount() - (HasTrailingRow() ? 2 : 1);
    if (row < 0 || row > last_movable || to < 0 || to > last_movable || !MoveRowUp(std::max(row, to))) return;
    SelectRow(*list, to);
    CString text;
    list->GetText(to, text);
    OnItemMoved(row, to, text);
}

void SECListBoxEditor::MoveItemUp() { MoveCurrentRow(-1); }
void SECListBoxEditor::MoveItemDown() { MoveCurrentRow(1); }

// ---- the header strip ----

int SECListBoxEditor::CalcHeaderHeight() {
    CClientDC dc(this);
    CFont* old_font = dc.SelectObject(GetFont());
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(old_font);
    return std::max(int(metrics.tmHeight) + 4 * ::GetSystemMetrics(SM_CYBORDER), kButtonCy + 2);
}

void SECListBoxEditor::SetButtons(DWORD style) {
    for (int i = 0; i < kButtonCount; ++i) has_button_[i] = (style & (kNewButton << i)) != 0;
}

void SECListBoxEditor::LayoutButtons() {
    CRect client;
    GetClientRect(&client);
    int right = client.right;
    for (int i = kButtonCount - 1; i >= 0; --i) {
        if (!has_button_[i]) {
            button_rects_[i].SetRectEmpty();
            continue;
        }
        button_rects_[i] = CRect(right - kButtonCx, client.top, right, client.bottom);
        right -= kButtonCx;
    }
}

void SECListBoxEditor::UpdateToolTips() {
    if (!tool_tip_.m_hWnd) return;
    for (int i = 0; i < kButtonCount; ++i) {
        tool_tip_.DelTool(this, kFirstToolId + i);
        if (has_button_[i]) tool_tip_.AddTool(this, kToolTipTexts[i], &button_rects_[i], kFirstToolId + i);
    }
}

void SECListBoxEditor::RecalcLayout() {
    CListBox* list = GetListBoxCtrl();
    if (!list) return;
    CRect area;
    GetWindowRect(&area);
    if (area.Height() > header_height_) {
        CWnd* parent = GetParent();
        parent->ScreenToClient(&area);
        const int gap = 2 * ::GetSystemMetrics(SM_CYBORDER);
        SetWindowPos(nullptr, 0, 0, area.Width(), header_height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        list->SetWindowPos(nullptr, area.left, area.top + header_height_ + gap, area.Width(),
                           std::max(0, area.Height() - header_height_ - gap), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutButtons();
    if ((style_ & kButtons) && (style_ & kToolTips)) UpdateToolTips();
    Invalidate();
    list->Invalidate();
}

void SECListBoxEditor::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (initialized_) RecalcLayout();
}

void SECListBoxEditor::OnMove(int x, int y) {
    CWnd::OnMove(x, y);
    if (initialized_) RecalcLayout();
}

UINT SECListBoxEditor::OnNcHitTest(CPoint) { return HTCLIENT; }

BOOL SECListBoxEditor::PreTranslateMessage(MSG* msg) {
    if ((style_ & kToolTips) && tool_tip_.m_hWnd && msg->message == WM_MOUSEMOVE) tool_tip_.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

// Button pictures: a page, a cross, an up and a down arrow, in the button text colour.
void SECListBoxEditor::DrawButton(CDC* dc, int button, bool pressed) {
    const CRect& r = button_rects_[button];
    dc->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    if (pressed) {
        dc->Draw3dRect(&r, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect inner = r;
        inner.DeflateRect(1, 1);
        dc->Draw3dRect(&inner, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE));
    } else {
        dc->FillSolidRect(r.left, r.top, r.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->FillSolidRect(r.left, r.top, 1, r.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    const int shift = pressed ? 1 : 0;
    const int cx = r.left + r.Width() / 2 + shift, cy = r.top + r.Height() / 2 + shift;
    const COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
    switch (button) {
        case kNew:
            dc->FillSolidRect(cx - 4, cy - 5, 8, 10, ink);
            dc->FillSolidRect(cx - 3, cy - 4, 6, 8, RGB(255, 255, 255));
            break;
        case kDelete:
            for (int d = -3; d <= 3; ++d) {
                dc->FillSolidRect(cx + d, cy + d, 2, 1, ink);
                dc->FillSolidRect(cx - d, cy + d, 2, 1, ink);
            }
            break;
        default: {
            const int dir = button == kUp ? -1 : 1;
            for (int i = 0; i < 4; ++i) dc->FillSolidRect(cx - i, cy + dir * (2 - i), 2 * i + 1, 1, ink);
            dc->FillSolidRect(cx - 1, button == kUp ? cy + 2 : cy - 4, 3, 3, ink);
            break;
        }
    }
}

void SECListBoxEditor::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client.left, client.top, client.Width(), std::max(0, client.Height() - 2),
                     ::GetSysColor(COLOR_BTNFACE));
    CFont* old_font = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    CRect text = client;
    text.left += 2 * ::GetSystemMetrics(SM_CXBORDER);
    dc.DrawText(GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old_font);
    if (style_ & kButtons)
        for (int i = 0; i < kButtonCount; ++i)
            if (has_button_[i]) DrawButton(&dc, i, i == pressed_);
}

BOOL SECListBoxEditor::TrackButton(int button) {
    if (::GetCapture()) return FALSE;
    const CRect rect = button_rects_[button];
    pressed_ = button;
    InvalidateRect(&rect, FALSE);
    UpdateWindow();
    bool inside = true;
    const kit::user::LoopStep end = kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_MOUSEMOVE: {
                const bool now = rect.PtInRect(CPoint(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))));
                if (now != inside) {
                    inside = now;
                    pressed_ = inside ? button : -1;
                    InvalidateRect(&rect, FALSE);
                    UpdateWindow();
                }
                return kit::user::LoopStep::keep_going;
            }
            case WM_LBUTTONUP:
                inside = rect.PtInRect(CPoint(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))));
                return kit::user::LoopStep::finished;
            case WM_KEYDOWN:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    if (!m_hWnd) return FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    pressed_ = -1;
    InvalidateRect(&rect, FALSE);
    return end == kit::user::LoopStep::finished && inside;
}

void SECListBoxEditor::PressButton(int button) {
    switch (button) {
        case kNew: NewItem(); break;
        case kDelete: DeleteSelectedItems(); break;
        case kUp: MoveItemUp(); break;
        case kDown: MoveItemDown(); break;
        default: break;
    }
}

void SECListBoxEditor::OnLButtonDown(UINT, CPoint point) {
    if (!(style_ & kButtons) || IsEditing()) return;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!has_button_[i] || !button_rects_[i].PtInRect(point)) continue;
        if (TrackButton(i)) PressButton(i);
        return;
    }
}

// ---- folders ----

BOOL SECListBoxDirEditor::Initialize(CWnd* parent, UINT id, DWORD style) {
    return SECListBoxEditor::Initialize(parent, id, style | kEdit);
}

void SECListBoxDirEditor::OnBrowse() {
    SECListBoxEdit* edit = GetEdit();
    if (!edit) return;
    SECDirSelectDlg dialog(kChooserTitle, GetParent(), BrowseStartFolder(edit->GetWindowText()));
    if (dialog.DoModal() == IDOK) {
        CString path;
        dialog.GetPath(path);
        edit->SetWindowText(path);
        edit->SetSel(0, -1);
    }
    if (edit->m_hWnd) edit->SetFocus();
}
