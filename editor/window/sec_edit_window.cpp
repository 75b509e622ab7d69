// SECEditWindow: the editor core's messages, painting, mouse and keys in a window.
#include "editor/window/sec_edit_window.h"

#include <algorithm>
#include <cstring>

#include "editor/page_template.h"

namespace editor {
namespace {

constexpr int kMaxLeftColumn = kMaxLineColumns;

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

const UINT kFindReplaceMessage = ::RegisterWindowMessage(FINDMSGSTRING);

// The client point of a place's cell, its top left corner.
CPoint cell_top_left(const EditCells& cells, const SECEditCore& core, CaretPlace place) {
    return CPoint(cells.gutter_width + (place.column - core.left_column()) * cells.char_width,
                  (place.line - core.top_line()) * cells.line_height);
}

}  // namespace

template <class Base>
const AFX_MSGMAP* SECEditWindow<Base>::GetMessageMap() const {
    return GetThisMessageMap();
}

template <class Base>
BOOL SECEditWindow<Base>::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC,
                                           ::LoadCursor(nullptr, IDC_IBEAM), nullptr);
    return Base::PreCreateWindow(cs);
}

template <class Base>
int SECEditWindow<Base>::OnCreate(CREATESTRUCT* cs) {
    int created = 0;
    if constexpr (std::is_same_v<Base, CWnd>) {
        created = this->Default() == -1 ? -1 : 0;
    } else {
        created = Base::OnCreate(cs) == -1 ? -1 : 0;
    }
    if (created == 0) drop_target_.Register(this);
    return created;
}

template <class Base>
int SECEditWindow<Base>::InitView() {
    ApplyFont();
    return SECEditCore::InitView();
}

template <class Base>
void SECEditWindow<Base>::ApplyFont() {
    SECEdit* edit = GetBuffer();
    LOGFONT font{};
    if (edit) {
        std::strncpy(font.lfFaceName, edit->font_name().c_str(), sizeof font.lfFaceName - 1);
        font.lfWeight = edit->font_weight();
        font.lfItalic = BYTE(edit->font_italic() != 0);
        font.lfCharSet = BYTE(edit->char_set());
    }
    const int points = edit ? edit->font_size() : 9;
    font.lfHeight = -(points * 96 + 36) / 72;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    font_.DeleteObject();
    font_.CreateFontIndirect(&font);
    HDC screen = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, font_.m_hObject);
    TEXTMETRIC metrics{};
    ::GetTextMetrics(screen, &metrics);
    ::SelectObject(screen, old);
    ::DeleteDC(screen);
    cells_.char_width = std::max<int>(1, metrics.tmAveCharWidth);
    cells_.line_height = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
    cells_.gutter_width = cells_.line_height;
    cells_.fixed_pitch = !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH);  // the bit means variable pitch
    SetCellSize(cells_.char_width, cells_.line_height);
    if (caret_shown_) {
        ::DestroyCaret();
        ::CreateCaret(this->m_hWnd, nullptr, 2, cells_.line_height);
        ::ShowCaret(this->m_hWnd);
    }
}

// ---- what the core asks of the window ------------------------------------

template <class Base>
void SECEditWindow<Base>::InvalidateAll() {
    if (this->m_hWnd) this->Invalidate(FALSE);
}

template <class Base>
void SECEditWindow<Base>::InvalidateRows(int first, int last) {
    if (!this->m_hWnd) return;
    CRect client;
    this->GetClientRect(&client);
    const int lh = std::max(1, cells_.line_height);
    CRect rows(0, std::max(0, first) * lh, client.right, last < 0 ? client.bottom : (last + 1) * lh);
    if (rows.bottom > rows.top) this->InvalidateRect(&rows, FALSE);
}

template <class Base>
void SECEditWindow<Base>::ScrollRows(int delta) {
    if (!this->m_hWnd) return;
    CRect client;
    this->GetClientRect(&client);
    const int lh = std::max(1, cells_.line_height);
    if (std::abs(delta) * lh >= client.Height()) {
        InvalidateAll();
        return;
    }
    // Right of every row's text the rows show background before the scroll and after
    // it, so only the pixels left of the widest text need to move.
    const int widest = painted_rows_.Widest((client.Height() + lh - 1) / lh);
    const CRect moved(0, 0, std::min<int>(widest, client.right), client.bottom);
    // No erase: an erase tells this window that pixels it painted were lost.
    this->ScrollWindowEx(0, delta * lh, &moved, nullptr, nullptr, nullptr, SW_INVALIDATE);
    painted_rows_.Scroll(delta);
    if (delta > 0) {
        InvalidateRows(0, delta - 1);  // whole, past the pixels moved
    } else {
        // The rows the bottom strip reaches into are painted whole: the last partly
        // shown row moved up holds only its top.
        const int first = (client.Height() + delta * lh) / lh;
        painted_rows_.ForgetFrom(first);
        InvalidateRows(first, -1);
    }
}

template <class Base>
void SECEditWindow<Base>::PlaceCaret(int x, int y) {
    if (caret_shown_) ::SetCaretPos(x, y);
}

template <class Base>
void SECEditWindow<Base>::SetScrollRange(ScrollBar bar, int minimum, int maximum, int page) {
    if (!this->m_hWnd) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum + page - 1;
    info.nPage = UINT(std::max(1, page));
    // The core asks after every keystroke; an unchanged bar is not redrawn.
    // Through the framework, so that a pane of a splitter reaches the bar it shares.
    SCROLLINFO now{};
    const int which = bar == kVerticalBar ? SB_VERT : SB_HORZ;
    if (this->GetScrollInfo(which, &now, SIF_RANGE | SIF_PAGE) && now.nMin == info.nMin && now.nMax == info.nMax &&
        now.nPage == info.nPage)
        return;
    this->SetScrollInfo(which, &info, TRUE);
}

template <class Base>
void SECEditWindow<Base>::SetScrollPosition(ScrollBar bar, int position) {
    const int which = bar == kVerticalBar ? SB_VERT : SB_HORZ;
    if (this->m_hWnd && this->GetScrollPos(which) != position) this->SetScrollPos(which, position, TRUE);
}

template <class Base>
void SECEditWindow<Base>::ShowMessage(int, const std::string& text) {
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

template <class Base>
bool SECEditWindow<Base>::GetClipboardText(std::string& text) {
    if (!::OpenClipboard(this->m_hWnd)) return false;
    bool found = false;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text.assign(bytes, ::strnlen(bytes, ::GlobalSize(data)));
            found = true;
        }
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return found;
}

template <class Base>
bool SECEditWindow<Base>::SetClipboardText(const std::string& text) {
    if (!::OpenClipboard(this->m_hWnd)) return false;
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool done = false;
    if (block) {
        if (char* bytes = static_cast<char*>(::GlobalLock(block))) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            ::GlobalUnlock(block);
            done = ::SetClipboardData(CF_TEXT, block) != nullptr;
        }
        if (!done) ::GlobalFree(block);
    }
    ::CloseClipboard();
    return done;
}

template <class Base>
void SECEditWindow<Base>::NotifyOtherViews(ViewHint) {}

template <class Base>
void SECEditWindow<Base>::OpenDialog(int command) {
    if (command == kCmdPageSetup) {
        PageSetup setup = LoadPageSetup(profile());
        CPageSetupDialog dialog(this);
        dialog.m_rtMargin = page_margins_;
        dialog.m_strHeader = setup.header.c_str();
        dialog.m_strFooter = setup.footer.c_str();
        if (dialog.DoModal() != IDOK) return;
        page_margins_ = dialog.m_rtMargin;
        setup.header = dialog.m_strHeader.str();
        setup.footer = dialog.m_strFooter.str();
        SavePageSetup(profile(), setup);
        return;
    }
    // One find dialog at a time: asking again brings the open one forward.
    if (OEFindDlg* open = find_dialog()) {
        open->SetFocus();
        return;
    }
    std::string word;
    GetWordAtCaret(word);
    auto* dialog = new OEFindDlg;
    if (!dialog->Open(command == kCmdReplace, word, profile(), this)) {
        delete dialog;
        return;
    }
    find_dialog_ = dialog->m_hWnd;
    dialog->ShowWindow(SW_SHOW);
}

template <class Base>
LRESULT SECEditWindow<Base>::OnFindReplaceMessage(WPARAM, LPARAM lParam) {
    auto* dialog = dynamic_cast<OEFindDlg*>(CFindReplaceDialog::GetNotifier(lParam));
    if (!dialog || dialog != find_dialog()) return 0;
    FindDialogRequest request = dialog->Request();
    FindReply reply = OnFindReplace(request);
    if (request.action == FindDialogRequest::kClose) {
        find_dialog_ = nullptr;
        return 0;
    }
    bool close = reply == FindReply::kDone || reply == FindReply::kFinished ||
                 (reply == FindReply::kFound && !dialog->IsReplace());
    if (close) {
        dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);  // the dialog tells us it ends, and goes
        return 0;
    }
    dialog->EnableReplace(reply == FindReply::kFound);
    if (reply == FindReply::kNotFound) ::SetFocus(::GetDlgItem(dialog->m_hWnd, int(CFindReplaceDialog::kFindEdit)));
    return 0;
}

template <class Base>
void SECEditWindow<Base>::OnDestroy() {
    if (OEFindDlg* open = find_dialog()) open->DestroyWindow();
    find_dialog_ = nullptr;
    Base::OnDestroy();
}

// ---- painting and size -----------------------------------------------------

template <class Base>
void SECEditWindow<Base>::OnPaint() {
    CPaintDC dc(this);
    SECEdit* edit = GetBuffer();
    if (!edit || cells_.line_height == 0) return;
    CFont* old = dc.SelectObject(&font_);
    // The selection shows while the window has the focus, or its Find dialog has it.
    const bool show_selection = ::GetFocus() == this->m_hWnd || find_dialog() != nullptr;
    PaintEditRows(dc, *this, *edit, cells_, dc.m_ps.rcPaint, show_selection, painted_rows_);
    dc.SelectObject(old);
}

template <class Base>
BOOL SECEditWindow<Base>::OnEraseBkgnd(CDC*) {
    // Only an exposure or a redraw from outside asks for an erase: the pixels may
    // hold anything now. The rows clear themselves when painted.
    painted_rows_.Forget();
    return TRUE;
}

template <class Base>
void SECEditWindow<Base>::OnSize(UINT, int cx, int cy) {
    this->Default();
    cells_.client_width = cx;
    cells_.client_height = cy;
    SetClientSize(cx, cy);
}

// ---- keys ----------------------------------------------------------------

template <class Base>
void SECEditWindow<Base>::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_ESCAPE && captured_) {
        EndDragSelect();
        return;
    }
    if (CommandForKey(int(key), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), false) == 0) {
        this->Default();
        return;
    }
    SECEditCore::OnKeyDown(int(key), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), false);
}

template <class Base>
void SECEditWindow<Base>::OnSysKeyDown(UINT key, UINT, UINT) {
    // Alt keys of the table (Alt+Backspace); the others go on to the menus.
    if (CommandForKey(int(key), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), true) == 0) {
        this->Default();
        return;
    }
    SECEditCore::OnKeyDown(int(key), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), true);
}

template <class Base>
void SECEditWindow<Base>::OnChar(UINT character, UINT, UINT) {
    ProcessChar(static_cast<unsigned char>(character));
}

template <class Base>
void SECEditWindow<Base>::OnEditCommand(UINT id) {
    SECEditCore::OnCommand(int(id));
}

template <class Base>
void SECEditWindow<Base>::OnUpdateEditCommand(CCmdUI* ui) {
    ui->Enable(IsCommandEnabled(int(ui->m_nID)));
}

// ---- mouse -------------------------------------------------------------------

template <class Base>
void SECEditWindow<Base>::OnLButtonDown(UINT flags, CPoint point) {
    if (!GetBuffer()) return;
    if (::GetFocus() != this->m_hWnd) this->SetFocus();
    const bool shift = (flags & MK_SHIFT) != 0;
    if (shift) {
        // The selection runs from the old caret (or the selection's anchor) to the point.
        if (!has_selection()) BeginSelection(selection_mode());
        CaretFromPoint(point.x, point.y);
        UpdateSelection();
    } else {
        // A press on the selection drags it; released where it was pressed, it is a click.
        if (has_selection() && IsPointInSelection(point)) {
            const HWND own = this->m_hWnd;
            if (StartDrag() != DROPEFFECT_NONE || !::IsWindow(own)) return;
            ClearSelection(true);
            CaretFromPoint(point.x, point.y);
            return;
        }
        const int mode = KeyHeld(VK_MENU) ? kColumnSelection : kStreamSelection;
        ClearSelection(true);
        CaretFromPoint(point.x, point.y);
        BeginSelection(mode);
    }
    last_mouse_ = point;
    if (!captured_) {
        this->SetCapture();
        captured_ = true;
        this->SetTimer(kAutoScrollTimer, kAutoScrollInterval);
        first_tick_ = true;
    }
}

template <class Base>
void SECEditWindow<Base>::DragTo(CPoint point) {
    if (point.y >= cells_.client_height) {
        CaretDown(true);
    } else if (point.y < 0) {
        CaretUp(true);
    } else {
        const CaretPlace before = caret();
        CaretFromPoint(point.x, point.y);
        if (caret() == before) return;
    }
    UpdateSelection();
}

template <class Base>
void SECEditWindow<Base>::OnMouseMove(UINT, CPoint point) {
    if (!captured_) return;
    DragTo(point);
    last_mouse_ = point;
}

template <class Base>
void SECEditWindow<Base>::OnTimer(UINT_PTR id) {
    if (id != kAutoScrollTimer) {
        this->Default();
        return;
    }
    if (!captured_) return;
    if (first_tick_) {
        first_tick_ = false;
        return;
    }
    // Held outside the window, the text keeps scrolling though the mouse stands still.
    CPoint point;
    ::GetCursorPos(&point);
    this->ScreenToClient(&point);
    CRect client;
    this->GetClientRect(&client);
    if (point != last_mouse_ || !client.PtInRect(point)) {
        DragTo(point);
        last_mouse_ = point;
    }
}

template <class Base>
void SECEditWindow<Base>::EndDragSelect() {
    if (!captured_) return;
    captured_ = false;
    this->KillTimer(kAutoScrollTimer);
    if (::GetCapture() == this->m_hWnd) ::ReleaseCapture();
}

template <class Base>
void SECEditWindow<Base>::OnCaptureChanged(CWnd*) {
    // Capture taken away (another window, a menu): the drag ends where it is.
    if (!captured_) return;
    captured_ = false;
    this->KillTimer(kAutoScrollTimer);
}

template <class Base>
void SECEditWindow<Base>::OnLButtonUp(UINT, CPoint point) {
    EndDragSelect();
    ClearEmptySelection();
    if (!has_selection() && InGutter(point)) SelectLine(true);
}

template <class Base>
void SECEditWindow<Base>::OnLButtonDblClk(UINT, CPoint point) {
    if (!GetBuffer()) return;
    CaretFromPoint(point.x, point.y);
    SelectWord(true);
}

template <class Base>
BOOL SECEditWindow<Base>::OnMouseWheel(UINT, short delta, CPoint) {
    if (!GetBuffer()) return TRUE;
    // Three lines a notch; movement short of a notch is kept for the next message.
    wheel_rest_ += delta;
    while (wheel_rest_ >= WHEEL_DELTA) {
        wheel_rest_ -= WHEEL_DELTA;
        for (int i = 0; i < 3; ++i) ScrollLineUp(true);
    }
    while (wheel_rest_ <= -WHEEL_DELTA) {
        wheel_rest_ += WHEEL_DELTA;
        for (int i = 0; i < 3; ++i) ScrollLineDown(true);
    }
    return TRUE;
}

template <class Base>
BOOL SECEditWindow<Base>::OnSetCursor(CWnd*, UINT hit, UINT) {
    if (hit == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        this->ScreenToClient(&point);
        // The gutter and the selection (which can be dragged) show the arrow.
        if (InGutter(point) || IsPointInSelection(point)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
    }
    return BOOL(this->Default());
}

// ---- drag and drop -------------------------------------------------------------

template <class Base>
DROPEFFECT SECEditWindow<Base>::StartDrag() {
    const std::string text = GetTransferText();
    if (text.empty()) return DROPEFFECT_NONE;
    HGLOBAL block = ::GlobalAlloc(GHND, text.size() + 1);
    if (!block) return DROPEFFECT_NONE;
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, block);
    SEC_DND_STATE& state = DragState();
    state.source = this;
    const HWND own = this->m_hWnd;
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (!::IsWindow(own)) {
        // Closed during the drag (a view deletes itself with its window): nothing of it is left to touch.
        state.source = nullptr;
        return DROPEFFECT_NONE;
    }
    // A move that no editor took over (it went to another kind of target) leaves here.
    if (effect == DROPEFFECT_MOVE && state.source == this) DeleteSelection(true, true);
    state.source = nullptr;
    RestoreCaret();
    return effect;
}

template <class Base>
void SECEditWindow<Base>::RestoreCaret() {
    if (!caret_shown_ || ::GetFocus() != this->m_hWnd) return;
    ::CreateCaret(this->m_hWnd, nullptr, 2, cells_.line_height);
    ::ShowCaret(this->m_hWnd);
    if (GetBuffer()) EnsureCaretVisible();
}

template <class Base>
DROPEFFECT SECEditWindow<Base>::OnDragEnter(COleDataObject* data, DWORD key_state, CPoint point) {
    SECEdit* edit = GetBuffer();
    if (!data->IsDataAvailable(CF_TEXT) || !edit || edit->GetReadOnly()) return DROPEFFECT_NONE;
    ::CreateCaret(this->m_hWnd, HBITMAP(1), 2, cells_.line_height);  // grey
    ::ShowCaret(this->m_hWnd);
    drop_caret_ = true;
    return OnDragOver(data, key_state, point);
}

template <class Base>
DROPEFFECT SECEditWindow<Base>::OnDragOver(COleDataObject* data, DWORD key_state, CPoint point) {
    SECEdit* edit = GetBuffer();
    if (!data->IsDataAvailable(CF_TEXT) || !edit || edit->GetReadOnly()) return DROPEFFECT_NONE;
    const CaretPlace place = PlaceFromPoint(point.x, point.y);
    if (drop_caret_) {
        const CPoint cell = cell_top_left(cells_, *this, place);
        ::SetCaretPos(cell.x, cell.y);
    }
    return key_state & MK_CONTROL ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

template <class Base>
void SECEditWindow<Base>::OnDragLeave() {
    if (!drop_caret_) return;
    drop_caret_ = false;
    ::DestroyCaret();
    RestoreCaret();
}

template <class Base>
BOOL SECEditWindow<Base>::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
    OnDragLeave();
    if (effect != DROPEFFECT_COPY && effect != DROPEFFECT_MOVE) return FALSE;
    const CaretPlace target = PlaceFromPoint(point.x, point.y);
    SEC_DND_STATE& state = DragState();
    if (state.source == this && IsDropOnSelection(target, effect == DROPEFFECT_COPY)) return FALSE;
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    if (!block) return FALSE;
    const char* bytes = static_cast<const char*>(::GlobalLock(block));
    const std::string text(bytes ? bytes : "", bytes ? ::strnlen(bytes, ::GlobalSize(block)) : 0);
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    SECEditCore* source = state.source;
    // The move is taken over here: the source need not delete its selection.
    if (effect == DROPEFFECT_MOVE) state.source = nullptr;
    if (int code = DropText(text, target, source, effect == DROPEFFECT_MOVE, true)) {
        DoError(code, true);
        return FALSE;
    }
    return TRUE;
}

template <class Base>
bool SECEditWindow<Base>::OnDragScroll(int dx, int dy, bool scroll) {
    SECEdit* edit = GetBuffer();
    if (!edit) return false;
    const bool can = (dy < 0 && top_line() > 1) || (dy > 0 && top_line() + rows() <= edit->GetLineCount()) ||
                     (dx < 0 && left_column() > 0) || (dx > 0 && left_column() < kMaxLeftColumn);
    if (!can || !scroll) return can;
    if (dy < 0) ScrollLineUp(true);
    if (dy > 0) ScrollLineDown(true);
    if (dx) SetLeftColumn(left_column() + dx, true);
    return true;
}

// ---- focus -------------------------------------------------------------------

template <class Base>
void SECEditWindow<Base>::OnSetFocus(CWnd*) {
    this->Default();
    if (!caret_shown_ && cells_.line_height > 0) {
        ::CreateCaret(this->m_hWnd, nullptr, 2, cells_.line_height);
        caret_shown_ = true;
        ::ShowCaret(this->m_hWnd);
    }
    if (has_selection()) InvalidateAll();
    if (GetBuffer()) EnsureCaretVisible();
}

template <class Base>
void SECEditWindow<Base>::OnKillFocus(CWnd*) {
    this->Default();
    EndDragSelect();
    if (caret_shown_) {
        ::DestroyCaret();
        caret_shown_ = false;
    }
    if (has_selection()) InvalidateAll();
}

// ---- scroll bars -------------------------------------------------------------

template <class Base>
void SECEditWindow<Base>::OnVScroll(UINT code, UINT, CScrollBar*) {
    if (!GetBuffer()) return;
    switch (code) {
        case SB_LINEUP: ScrollLineUp(true); break;
        case SB_LINEDOWN: ScrollLineDown(true); break;
        case SB_PAGEUP: ScrollPageUp(true); break;
        case SB_PAGEDOWN: ScrollPageDown(true); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            SCROLLINFO info{};
            this->GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
            // Long files count in steps of several lines on the bar.
            const int scale = (GetBuffer()->GetLineCount() - 1) / 65535 + 1;
            SetTopLine(info.nTrackPos * scale + 1, true);
            break;
        }
        default: return;
    }
    ShowPlaceOnBars();
}

template <class Base>
void SECEditWindow<Base>::ShowPlaceOnBars() {
    if (!GetBuffer()) return;
    // Scroll positions are 16-bit: long files count in steps of several lines.
    const int scale = (GetBuffer()->GetLineCount() - 1) / 65535 + 1;
    SECEditWindow::SetScrollPosition(kVerticalBar, (top_line() - 1) / scale);
    SECEditWindow::SetScrollPosition(kHorizontalBar, left_column());
}

template <class Base>
void SECEditWindow<Base>::OnHScroll(UINT code, UINT position, CScrollBar*) {
    if (!GetBuffer()) return;
    int left = left_column();
    switch (code) {
        case SB_LINELEFT: left = std::max(0, left - 1); break;
        case SB_LINERIGHT: left = std::min(kMaxLeftColumn, left + 1); break;
        case SB_PAGELEFT: left = std::max(0, left - 32); break;
        case SB_PAGERIGHT: left = std::min(kMaxLeftColumn, left + 32); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: left = std::clamp(int(position), 0, kMaxLeftColumn); break;
        default: break;
    }
    if (left != left_column()) SetLeftColumn(left, true);
    SetScrollPosition(kHorizontalBar, left_column());
}

// ---- context menu ------------------------------------------------------------

template <class Base>
bool SECEditWindow<Base>::ClipboardHoldsOwnText() {
    if (!::OpenClipboard(this->m_hWnd)) return false;
    UINT format = 0;
    while ((format = ::EnumClipboardFormats(format)) != 0 && format != CF_TEXT) {
    }
    ::CloseClipboard();
    return format == CF_TEXT;
}

template <class Base>
BOOL SECEditWindow<Base>::BuildContextMenu(CMenu* menu) {
    SECEdit* edit = GetBuffer();
    const bool read_only = !edit || edit->GetReadOnly();
    const auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
    menu->AppendMenu(state(has_selection() && !read_only), kCmdAddToWatch, "Add to Watch");
    menu->AppendMenu(state(IsCommandEnabled(kCmdUndo)), kCmdUndo, "&Undo");
    menu->AppendMenu(state(IsCommandEnabled(kCmdRedo)), kCmdRedo, "&Redo");
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(state(has_selection() && !read_only), kCmdCut, "Cu&t");
    menu->AppendMenu(state(has_selection()), kCmdCopy, "&Copy");
    menu->AppendMenu(state(!read_only && ClipboardHoldsOwnText()), kCmdPaste, "&Paste");
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, kCmdBookmarkToggle, "Toggle &Bookmark");
    return TRUE;
}

template <class Base>
void SECEditWindow<Base>::ShowContextMenu(CWnd*, CPoint point) {
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    if (point.x == -1 && point.y == -1) {
        // Below the caret, kept inside the window when the caret is scrolled out of it.
        CRect client;
        this->GetClientRect(&client);
        const CPoint cell = cell_top_left(cells_, *this, caret());
        point = CPoint(std::clamp<int>(cell.x, 0, std::max<int>(0, client.right - 1)),
                       std::clamp<int>(cell.y + cells_.line_height, 0, std::max<int>(0, client.bottom - 1)));
        this->ClientToScreen(&point);
    } else {
        CPoint client = point;
        this->ScreenToClient(&client);
        if (GetBuffer()) CaretFromPoint(client.x, client.y);
    }
    if (caret_shown_) ::HideCaret(this->m_hWnd);
    if (BuildContextMenu(&menu)) menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    if (caret_shown_) ::ShowCaret(this->m_hWnd);
}

template <class Base>
void SECEditWindow<Base>::OnContextMenu(CWnd* window, CPoint point) {
    ShowContextMenu(window, point);
}

// clang-format off
#define EDIT_COMMAND(id) ON_COMMAND_RANGE(id, id, OnEditCommand) ON_UPDATE_COMMAND_UI_RANGE(id, id, OnUpdateEditCommand)

template <class Base>
const AFX_MSGMAP* SECEditWindow<Base>::GetThisMessageMap() {
    using ThisClass = SECEditWindow<Base>;
    using TheBaseClass = Base;
    static const AFX_MSGMAP_ENTRY entries[] = {
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_CONTEXTMENU()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(kFindReplaceMessage, OnFindReplaceMessage)
    ON_COMMAND_RANGE(kCmdDown, kCmdBreakpointClear, OnEditCommand)
    ON_UPDATE_COMMAND_UI_RANGE(kCmdDown, kCmdBreakpointClear, OnUpdateEditCommand)
    EDIT_COMMAND(kCmdDelete)
    EDIT_COMMAND(kCmdCopy)
    EDIT_COMMAND(kCmdCut)
    EDIT_COMMAND(kCmdFind)
    EDIT_COMMAND(kCmdPaste)
    EDIT_COMMAND(kCmdReplace)
    EDIT_COMMAND(kCmdUndo)
    EDIT_COMMAND(kCmdRedo)
    EDIT_COMMAND(kCmdToggleInsert)
END_MESSAGE_MAP()
#undef EDIT_COMMAND

template class SECEditWindow<CView>;
template class SECEditWindow<CWnd>;

}  // namespace editor
