#include "ide/shell/memwin/mem_wnd.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "ide/shell/memwin/memory_address.h"
#include "uikit/controls/tab_wnd.h"

IMPLEMENT_DYNAMIC(CMemWnd, CWnd)

BEGIN_MESSAGE_MAP(CMemWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

ide::MemKey KeyOf(UINT key) {
    switch (key) {
        case VK_TAB: return ide::MemKey::Tab;
        case VK_PRIOR: return ide::MemKey::PageUp;
        case VK_NEXT: return ide::MemKey::PageDown;
        case VK_HOME: return ide::MemKey::Home;
        case VK_END: return ide::MemKey::End;
        case VK_LEFT: return ide::MemKey::Left;
        case VK_RIGHT: return ide::MemKey::Right;
        case VK_UP: return ide::MemKey::Up;
        case VK_DOWN: return ide::MemKey::Down;
        default: return ide::MemKey::Other;
    }
}

// Scroll-bar requests; the two bars share the codes (line up = line left).
ide::MemScroll ScrollOf(UINT code) {
    switch (code) {
        case SB_LINEUP: return ide::MemScroll::LineUp;
        case SB_LINEDOWN: return ide::MemScroll::LineDown;
        case SB_PAGEUP: return ide::MemScroll::PageUp;
        case SB_PAGEDOWN: return ide::MemScroll::PageDown;
        case SB_THUMBPOSITION: return ide::MemScroll::ThumbPosition;
        default: return ide::MemScroll::Other;
    }
}

COLORREF ColourOf(ide::MemByteColour colour) {
    switch (colour) {
        case ide::MemByteColour::Changed: return CMemWnd::kChangedColour;
        case ide::MemByteColour::ReadOnly: return CMemWnd::kReadOnlyColour;
        case ide::MemByteColour::Normal: break;
    }
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

char Shown(std::uint8_t byte) { return byte < 0x21 || byte == 0xFF ? '.' : char(byte); }

}  // namespace

CMemWnd::CMemWnd() = default;

CMemWnd::~CMemWnd() {
    if (m_hWnd) DestroyWindow();
}

BOOL CMemWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_IBEAM));
    return CreateEx(0, cls, nullptr, style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CMemWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    LOGFONT desc{};
    desc.lfHeight = 16;
    desc.lfWidth = 8;
    desc.lfWeight = 100;
    desc.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(desc.lfFaceName, "Fixedsys");
    font_.CreateFontIndirect(&desc);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&font_);
    TEXTMETRIC metrics{};
    if (dc.GetTextMetrics(&metrics)) {
        row_height_ = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
        char_width_ = std::max<int>(1, dc.GetTextExtent("ww", 2).cx / 2);
    }
    dc.SelectObject(old);
    return 0;
}

// ---- the target ----

void CMemWnd::SetTargetMemory(const ide::TargetViews& views) {
    if (views.control.empty() || views.rom.empty()) return;
    image_ = std::make_unique<ide::CMemImage>(views);
    if (m_hWnd) Invalidate(FALSE);
}

void CMemWnd::DropTargetMemory() {
    image_.reset();
    if (m_hWnd) Invalidate(FALSE);
}

BOOL CMemWnd::RefreshFromTarget() {
    if (!image_) return FALSE;
    image_->Refresh();
    if (m_hWnd) Invalidate(FALSE);
    return TRUE;
}

BOOL CMemWnd::SnapshotTarget() {
    if (!image_) return FALSE;
    image_->Snapshot();
    return TRUE;
}

os::Status CMemWnd::SetAddress(std::uint32_t address) {
    if (address > 0xFFFF) return os::plain_error(ide::kNotValidAddress);
    view_.SetTop(std::int32_t(address));
    if (m_hWnd) {
        UpdateScrollBars();
        Invalidate(FALSE);
    }
    return {};
}

// ---- drawing ----

BOOL CMemWnd::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint fills every pixel

void CMemWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
    if (!image_) return;
    const int per_row = view_.bytes_per_row();
    for (int row = 0; row < view_.rows(); ++row) {
        const std::uint32_t address = std::uint32_t(view_.top() + row * per_row);
        if (address > 0xFFFF) break;
        DrawRow(dc, row * row_height_, address);
    }
}

void CMemWnd::DrawRow(CDC& dc, int y, std::uint32_t address) {
    const int per_row = view_.bytes_per_row();
    const ide::MemRow row = ide::DescribeRow(image_.get(), address, per_row);
    if (row.cells.empty()) return;
    CFont* old_font = dc.SelectObject(&font_);
    const COLORREF old_colour = dc.GetTextColor();
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(0, y, std::max<int>(client.Width(), (view_.row_end() + 1) * char_width_), row_height_, background);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(background);
    const int pan = Pan();
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.TextOut(-pan, y, row.address.c_str(), int(row.address.size()));
    // Bytes of one colour in one piece: their hex cells, then their characters.
    for (std::size_t start = 0; start < row.cells.size();) {
        std::size_t end = start;
        std::string hex, characters;
        while (end < row.cells.size() && row.cells[end].colour == row.cells[start].colour) {
            hex += row.cells[end].hex + ' ';
            characters += row.cells[end].character;
            ++end;
        }
        dc.SetTextColor(ColourOf(row.cells[start].colour));
        dc.TextOut((view_.hex_x() + 3 * int(start)) * char_width_ - pan, y, hex.c_str(), int(hex.size()));
        dc.TextOut((view_.char_x() + int(start)) * char_width_ - pan, y, characters.c_str(), int(characters.size()));
        start = end;
    }
    dc.SetTextColor(old_colour);
    dc.SelectObject(old_font);
}

// A typed byte in red at once, until the next repaint takes the image's colours.
void CMemWnd::DrawTyped(std::uint16_t address) {
    const int per_row = view_.bytes_per_row();
    const std::int32_t offset = std::int32_t(address) - view_.top();
    if (!image_ || offset < 0 || offset >= view_.rows() * per_row) return;
    const std::optional<std::uint8_t> value = image_->ReadByte(address);
    if (!value) return;
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", *value);
    const char character = Shown(*value);
    const int y = offset / per_row * row_height_;
    const int index = offset % per_row;
    CClientDC dc(this);
    CFont* old_font = dc.SelectObject(&font_);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(kChangedColour);
    dc.TextOut((view_.hex_x() + 3 * index) * char_width_ - Pan(), y, hex, 2);
    dc.TextOut((view_.char_x() + index) * char_width_ - Pan(), y, &character, 1);
    dc.SelectObject(old_font);
}

// ---- layout, caret and scroll bars ----

void CMemWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    view_.Layout(cx / char_width_, cy / row_height_);
    UpdateScrollBars();
}

void CMemWnd::OnShowWindow(BOOL show, UINT status) {
    CWnd::OnShowWindow(show, status);
    if (show) UpdateScrollBars();  // the tab window's bars come back with this view's state
}

CScrollBar* CMemWnd::TabBar(int bar) const {
    // The bars belong to the tab window and serve its active tab only: a
    // hidden view keeps its place to itself until it shows again.
    auto* tabs = DYNAMIC_DOWNCAST(SECTabWnd, GetParent());
    if (!tabs) return nullptr;
    CWnd* active = nullptr;
    tabs->GetActiveTab(&active);
    return active == this ? tabs->GetTabScrollBar(bar, const_cast<CMemWnd*>(this)) : nullptr;
}

void CMemWnd::UpdateScrollBars() {
    if (CScrollBar* vertical = TabBar(SB_VERT)) {
        vertical->SetScrollRange(0, std::max(0, view_.vscroll_range()), FALSE);
        vertical->SetScrollPos(view_.vscroll_position(), TRUE);
    }
    if (CScrollBar* horizontal = TabBar(SB_HORZ)) {
        horizontal->SetScrollRange(0, view_.panning() ? 16 : 0, FALSE);
        horizontal->SetScrollPos(view_.pan(), TRUE);
    }
}

void CMemWnd::PlaceCaret() {
    if (!has_focus_) return;
    ::SetCaretPos(view_.caret_x() * char_width_ - Pan(), view_.caret_row() * row_height_);
}

void CMemWnd::OnSetFocus(CWnd* old) {
    CWnd::OnSetFocus(old);
    has_focus_ = true;
    RefreshFromTarget();
    ::CreateCaret(m_hWnd, nullptr, 2, row_height_);
    PlaceCaret();
    ::ShowCaret(m_hWnd);
}

void CMemWnd::OnKillFocus(CWnd* next) {
    CWnd::OnKillFocus(next);
    has_focus_ = false;
    ::HideCaret(m_hWnd);
    ::DestroyCaret();
}

// ---- input ----

void CMemWnd::Apply(const ide::MemViewEffect& effect) {
    if (effect.repaint) {
        Invalidate(FALSE);
    } else if (effect.scrolled_rows != 0) {
        const int last = view_.rows() - 1;
        ::HideCaret(m_hWnd);
        ScrollWindow(0, -effect.scrolled_rows * row_height_);
        CClientDC dc(this);
        if (effect.scrolled_rows > 0)
            DrawRow(dc, last * row_height_, std::uint32_t(view_.top() + last * view_.bytes_per_row()));
        else
            DrawRow(dc, 0, std::uint32_t(view_.top()));
        ::ShowCaret(m_hWnd);
    }
    if (!effect.typed.empty()) {
        ::HideCaret(m_hWnd);
        for (std::uint16_t address : effect.typed) DrawTyped(address);
        ::ShowCaret(m_hWnd);
    }
    PlaceCaret();
}

UINT CMemWnd::OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CMemWnd::OnKeyDown(UINT key, UINT, UINT) {
    Apply(view_.Key(KeyOf(key), ::GetKeyState(VK_CONTROL) < 0));
    if (CScrollBar* vertical = TabBar(SB_VERT)) vertical->SetScrollPos(view_.vscroll_position(), TRUE);
}

void CMemWnd::OnChar(UINT character, UINT, UINT) { Apply(view_.Type(char(character & 0xFF), image_.get())); }

void CMemWnd::OnLButtonDown(UINT, CPoint point) {
    if (!has_focus_) SetFocus();
    Apply(view_.Click((point.x + Pan()) / char_width_, point.y / row_height_));
}

void CMemWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    Apply(view_.VScroll(ScrollOf(code), int(pos)));
    if (bar) bar->SetScrollPos(view_.vscroll_position(), TRUE);
}

void CMemWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    Apply(view_.HScroll(ScrollOf(code), int(pos)));
    if (bar) bar->SetScrollPos(view_.pan(), TRUE);
}
