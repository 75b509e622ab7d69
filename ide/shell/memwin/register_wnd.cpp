#include "ide/shell/memwin/register_wnd.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CRegisterWnd, CWnd)

BEGIN_MESSAGE_MAP(CRegisterWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_COMMAND(CRegisterWnd::kUndoCommand, OnUndo)
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {
constexpr int kLines = 5;  // four register lines and the operand line
}

CRegisterWnd::CRegisterWnd() : background_(::GetSysColor(COLOR_WINDOW)) {
    std::strcpy(font_desc_.lfFaceName, "Courier New");
}

CRegisterWnd::~CRegisterWnd() {
    if (m_hWnd) DestroyWindow();
}

BOOL CRegisterWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, cls, nullptr, style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CRegisterWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    MakeFont();
    return 0;
}

void CRegisterWnd::MakeFont() {
    font_.DeleteObject();
    font_.CreateFontIndirect(&font_desc_);
    if (!m_hWnd) return;
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&font_);
    TEXTMETRIC metrics{};
    if (dc.GetTextMetrics(&metrics)) {
        char_width_ = std::max<int>(1, metrics.tmAveCharWidth);
        line_height_ = std::max<int>(1, metrics.tmHeight);
    }
    dc.SelectObject(old);
}

void CRegisterWnd::SetFont(const LOGFONT& font) {
    font_desc_ = font;
    MakeFont();
    if (m_hWnd) {
        if (has_focus_) {
            ::DestroyCaret();
            ::CreateCaret(m_hWnd, nullptr, 0, line_height_);
            ::ShowCaret(m_hWnd);
        }
        Changed();
    }
}

void CRegisterWnd::SetColor(int index, COLORREF colour) {
    switch (index) {
        case kStaticText: static_colour_ = colour; break;
        case kChangedValue: changed_colour_ = colour; break;
        case kBackground: background_ = colour; break;
        case kUnchangedValue: unchanged_colour_ = colour; break;
        default: std::fputs("Warning! No valid color specified, default color is used!\n", stderr); return;
    }
    if (m_hWnd) Invalidate(FALSE);
}

// ---- the target ----

void CRegisterWnd::SetRegisterBlock(std::uint8_t* block) {
    model_.SetRegisterBlock(block);
    if (m_hWnd) Invalidate(FALSE);
}

void CRegisterWnd::TakeSnapshot() { model_.TakeSnapshot(); }

void CRegisterWnd::ShowStopped() {
    model_.ShowStopped();
    if (m_hWnd) Invalidate(FALSE);
}

// ---- drawing ----

BOOL CRegisterWnd::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint fills every pixel

void CRegisterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, background_);
    CFont* old_font = dc.SelectObject(&font_);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(background_);
    dc.SetTextColor(static_colour_);
    for (int line = 0; line < 4; ++line) {
        const char* text = ide::RegisterModel::kTemplates[line];
        dc.TextOut(0, line * line_height_, text, int(std::strlen(text)));
    }
    for (const ide::RegisterModel::DrawnValue& value : model_.Values()) {
        dc.SetTextColor(value.changed ? changed_colour_ : unchanged_colour_);
        dc.TextOut(value.column * char_width_, value.line * line_height_, value.text.c_str(), int(value.text.size()));
    }
    const std::string operand = model_.OperandText();
    dc.SetTextColor(unchanged_colour_);
    dc.TextOut(0, 4 * line_height_, operand.c_str(), int(operand.size()));
    dc.SelectObject(old_font);
}

// ---- caret and input ----

void CRegisterWnd::PlaceCaret() {
    if (has_focus_) ::SetCaretPos(model_.field_column() * char_width_, model_.field_line() * line_height_);
}

void CRegisterWnd::Changed() {
    Invalidate(FALSE);
    PlaceCaret();
}

void CRegisterWnd::OnSetFocus(CWnd* old) {
    CWnd::OnSetFocus(old);
    has_focus_ = true;
    ::CreateCaret(m_hWnd, nullptr, 0, line_height_);
    PlaceCaret();
    ::ShowCaret(m_hWnd);
}

void CRegisterWnd::OnKillFocus(CWnd* next) {
    CWnd::OnKillFocus(next);
    has_focus_ = false;
    ::HideCaret(m_hWnd);
    ::DestroyCaret();
}

void CRegisterWnd::OnLButtonDown(UINT, CPoint point) {
    if (!has_focus_) SetFocus();
    // The last line whose top is at or above the point.
    const int line = std::clamp(point.y / line_height_, 0, kLines - 1);
    model_.Click(line, std::max(0, int(point.x)) / char_width_);
    PlaceCaret();
}

UINT CRegisterWnd::OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CRegisterWnd::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
        case VK_LEFT: model_.Key(ide::RegisterKey::Left); break;
        case VK_UP: model_.Key(ide::RegisterKey::Up); break;
        case VK_RIGHT: model_.Key(ide::RegisterKey::Right); break;
        case VK_DOWN: model_.Key(ide::RegisterKey::Down); break;
        case VK_ESCAPE: model_.Key(ide::RegisterKey::Escape); break;
        default: return;
    }
    Changed();
}

void CRegisterWnd::OnChar(UINT character, UINT, UINT) {
    if (character == VK_ESCAPE) return;  // handled as a key
    model_.Type(char(character & 0xFF));
    Changed();
}

void CRegisterWnd::OnUndo() {
    model_.Key(ide::RegisterKey::Escape);
    Changed();
}
