// The EDIT class: single-line and multi-line text with a caret, selection,
// clipboard, limits and EN_ notifications. Lines of a multi-line edit end in
// CR LF, as the programs expect of its text; a double-byte character is never split.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/resource_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

constexpr int kMargin = 2;

struct EditState : WindowExtra {
    std::string text;
    size_t anchor = 0;   // the fixed end of the selection
    size_t caret = 0;    // the moving end, where the caret stands
    int first_line = 0;  // multi-line: the top line shown
    int x_offset = 0;    // single-line: pixels scrolled to the left
    size_t limit = 30000;
    bool modified = false;
};

DWORD style_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }
bool multiline(HWND hwnd) { return (style_of(hwnd) & ES_MULTILINE) != 0; }

size_t sel_start(const EditState& s) { return std::min(s.anchor, s.caret); }
size_t sel_end(const EditState& s) { return std::max(s.anchor, s.caret); }

// The start of the character before `i`, stepping over a whole double-byte character.
size_t previous_char(const std::string& text, size_t i) {
    if (i == 0) return 0;
    size_t start = text.rfind('\n', i - 1);
    start = start == std::string::npos ? 0 : start + 1;
    if (i >= 2 && text[i - 1] == '\n' && text[i - 2] == '\r') return i - 2;
    size_t at = start;
    size_t last = start;
    while (at < i) {
        last = at;
        at += (gdi::is_lead_byte(BYTE(text[at])) && at + 1 < i) ? 2 : 1;
    }
    return last;
}

size_t next_char(const std::string& text, size_t i) {
    if (i >= text.size()) return text.size();
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return i + 2;
    return std::min(text.size(), i + ((gdi::is_lead_byte(BYTE(text[i])) && i + 1 < text.size()) ? 2 : 1));
}

struct Line {
    size_t start;
    size_t end;  // before the CR LF
};

std::vector<Line> lines_of(const std::string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find("\r\n", start);
        if (nl == std::string::npos) {
            lines.push_back({start, text.size()});
            return lines;
        }
        lines.push_back({start, nl});
        start = nl + 2;
    }
}

int line_index(const std::vector<Line>& lines, size_t i) {
    for (size_t n = 0; n < lines.size(); ++n) {
        if (i <= lines[n].end) return int(n);
    }
    return int(lines.size()) - 1;
}

// A DC for measuring with the control's font.
struct Measure {
    HWND hwnd;
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    explicit Measure(HWND h) : hwnd(h) {}
    ~Measure() {
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
    }
    int width(const std::string& shown, size_t from, size_t to) const {
        SIZE size{0, 0};
        if (to > from) GetTextExtentPoint32(dc, shown.c_str() + from, int(to - from), &size);
        return size.cx;
    }
    int line_height() const {
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        return std::max<int>(1, tm.tmHeight);
    }
};

std::string shown_text(HWND hwnd, const EditState& s) {
    if (!(style_of(hwnd) & ES_PASSWORD)) return s.text;
    return std::string(s.text.size(), '*');
}

// The character index nearest a client point.
size_t index_at(HWND hwnd, EditState& s, POINT p) {
    Measure m(hwnd);
    std::string shown = shown_text(hwnd, s);
    auto lines = lines_of(s.text);
    int n =
        multiline(hwnd) ? std::clamp(s.first_line + (p.y - kMargin) / m.line_height(), 0, int(lines.size()) - 1) : 0;
    Line line = lines[size_t(n)];
    int x = p.x - kMargin + (multiline(hwnd) ? 0 : s.x_offset);
    size_t best = line.start;
    for (size_t i = line.start; i <= line.end; i = next_char(s.text, i)) {
        int w = m.width(shown, line.start, i);
        if (w > x) {
            int before = m.width(shown, line.start, best);
            return (x - before < w - x) ? best : i;
        }
        best = i;
        if (i == line.end) break;
    }
    return line.end;
}

int visible_rows(HWND hwnd, const Measure& m) {
    RECT client;
    GetClientRect(hwnd, &client);
    return std::max(1, int(client.bottom - 2 * kMargin) / m.line_height());
}

// A multi-line edit's vertical bar follows its lines: enabled while they
// overflow the window, disabled (still shown) while they all fit.
void update_scroll_bar(HWND hwnd, const EditState& s, const Measure& m) {
    if (!multiline(hwnd) || !(style_of(hwnd) & WS_VSCROLL)) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = int(lines_of(s.text).size()) - 1;
    info.nPage = UINT(visible_rows(hwnd, m));
    info.nPos = s.first_line;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

// Puts the caret where its index is shown; unless only scrolling, first
// scrolls so that it is in view.
void place_caret(HWND hwnd, EditState& s, bool scroll_to_caret = true) {
    Measure m(hwnd);
    auto lines = lines_of(s.text);
    int n = line_index(lines, s.caret);
    RECT client;
    GetClientRect(hwnd, &client);
    int x = m.width(shown_text(hwnd, s), lines[size_t(n)].start, s.caret);
    int visible_width = client.right - 2 * kMargin;
    if (scroll_to_caret && multiline(hwnd)) {
        int rows = visible_rows(hwnd, m);
        if (n < s.first_line) s.first_line = n;
        if (n >= s.first_line + rows) s.first_line = n - rows + 1;
    } else if (scroll_to_caret) {
        if (x - s.x_offset > visible_width) s.x_offset = x - visible_width + visible_width / 4;
        if (x < s.x_offset) s.x_offset = std::max(0, x - visible_width / 4);
    }
    update_scroll_bar(hwnd, s, m);
    int px = kMargin + x - (multiline(hwnd) ? 0 : s.x_offset);
    int py = kMargin + (n - s.first_line) * m.line_height();
    if (GetFocus() == hwnd) SetCaretPos(px, py);
}

// WM_VSCROLL of a multi-line edit: the lines move, the caret stays in its place in the text.
void scroll_lines(HWND hwnd, EditState& s, int request) {
    if (!multiline(hwnd)) return;
    int rows = visible_rows(hwnd, Measure(hwnd));
    int last = std::max(0, int(lines_of(s.text).size()) - rows);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd, SB_VERT, &info);
    int top = s.first_line;
    switch (request) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= rows; break;
        case SB_PAGEDOWN: top += rows; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = last; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = info.nTrackPos; break;
        default: return;
    }
    top = std::clamp(top, 0, last);
    if (top == s.first_line) return;
    s.first_line = top;
    InvalidateRect(hwnd, nullptr, TRUE);
    place_caret(hwnd, s, false);
}

void changed(HWND hwnd, EditState& s) {
    s.modified = true;
    notify_parent(hwnd, EN_UPDATE);
    InvalidateRect(hwnd, nullptr, TRUE);
    place_caret(hwnd, s);
    notify_parent(hwnd, EN_CHANGE);
}

// Replaces the selection; false when the text would pass the limit.
bool replace_selection(HWND hwnd, EditState& s, std::string insert) {
    DWORD style = style_of(hwnd);
    if (style & ES_UPPERCASE) std::transform(insert.begin(), insert.end(), insert.begin(), ::toupper);
    if (style & ES_LOWERCASE) std::transform(insert.begin(), insert.end(), insert.begin(), ::tolower);
    if (!multiline(hwnd))
        insert.erase(std::find_if(insert.begin(), insert.end(), [](char c) { return c == '\r' || c == '\n'; }),
                     insert.end());
    size_t start = sel_start(s), end = sel_end(s);
    if (s.text.size() - (end - start) + insert.size() > s.limit) {
        insert.resize(s.limit - std::min(s.limit, s.text.size() - (end - start)));
        if (insert.empty() && start == end) return false;
    }
    s.text.replace(start, end - start, insert);
    s.anchor = s.caret = start + insert.size();
    changed(hwnd, s);
    return true;
}

void copy_selection(HWND hwnd, EditState& s) {
    if (sel_start(s) == sel_end(s) || (style_of(hwnd) & ES_PASSWORD)) return;
    std::string text = s.text.substr(sel_start(s), sel_end(s) - sel_start(s));
    if (!OpenClipboard(hwnd)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GHND, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

void paste(HWND hwnd, EditState& s) {
    if (!OpenClipboard(hwnd)) return;
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? std::string(static_cast<const char*>(GlobalLock(data))) : std::string();
    CloseClipboard();
    if (!text.empty()) replace_selection(hwnd, s, text);
}

void move_caret(HWND hwnd, EditState& s, size_t to, bool extend) {
    s.caret = std::min(to, s.text.size());
    if (!extend) s.anchor = s.caret;
    InvalidateRect(hwnd, nullptr, TRUE);
    place_caret(hwnd, s);
}

void key_down(HWND hwnd, EditState& s, int vk) {
    bool shift = GetKeyState(VK_SHIFT) & 0x8000;
    bool control = GetKeyState(VK_CONTROL) & 0x8000;
    bool readonly = style_of(hwnd) & ES_READONLY;
    auto lines = lines_of(s.text);
    int n = line_index(lines, s.caret);
    switch (vk) {
        case VK_LEFT:
            move_caret(hwnd, s, !shift && sel_start(s) != sel_end(s) ? sel_start(s) : previous_char(s.text, s.caret),
                       shift);
            break;
        case VK_RIGHT:
            move_caret(hwnd, s, !shift && sel_start(s) != sel_end(s) ? sel_end(s) : next_char(s.text, s.caret), shift);
            break;
        case VK_HOME: move_caret(hwnd, s, control ? 0 : lines[size_t(n)].start, shift); break;
        case VK_END: move_caret(hwnd, s, control ? s.text.size() : lines[size_t(n)].end, shift); break;
        case VK_UP:
        case VK_DOWN: {
            if (!multiline(hwnd)) {
                move_caret(hwnd, s, vk == VK_UP ? previous_char(s.text, s.caret) : next_char(s.text, s.caret), shift);
                break;
            }
            int target = n + (vk == VK_UP ? -1 : 1);
            if (target < 0 || target >= int(lines.size())) break;
            Measure m(hwnd);
            int x = m.width(shown_text(hwnd, s), lines[size_t(n)].start, s.caret);
            POINT p{kMargin + x, kMargin + (target - s.first_line) * m.line_height()};
            move_caret(hwnd, s, index_at(hwnd, s, p), shift);
            break;
        }
        case VK_DELETE:
            if (readonly) break;
            if (shift) {
                SendMessage(hwnd, WM_CUT, 0, 0);
            } else {
                if (sel_start(s) == sel_end(s)) s.caret = next_char(s.text, s.caret);
                if (sel_start(s) != sel_end(s)) replace_selection(hwnd, s, "");
            }
            break;
        case VK_INSERT:
            if (control) SendMessage(hwnd, WM_COPY, 0, 0);
            if (shift && !readonly) SendMessage(hwnd, WM_PASTE, 0, 0);
            break;
        default: break;
    }
}

void character(HWND hwnd, EditState& s, int ch) {
    DWORD style = style_of(hwnd);
    switch (ch) {
        case 0x03: SendMessage(hwnd, WM_COPY, 0, 0); return;
        case 0x16: SendMessage(hwnd, WM_PASTE, 0, 0); return;
        case 0x18: SendMessage(hwnd, WM_CUT, 0, 0); return;
        default: break;
    }
    if (style & ES_READONLY) return;
    if (ch == '\b') {
        if (sel_start(s) == sel_end(s)) s.anchor = previous_char(s.text, s.caret);
        if (sel_start(s) != sel_end(s)) replace_selection(hwnd, s, "");
        return;
    }
    if (ch == '\r') {
        if (multiline(hwnd)) replace_selection(hwnd, s, "\r\n");
        return;
    }
    if (ch == '\t' && !multiline(hwnd)) return;
    if ((ch & 0xFF) < 0x20 && ch != '\t') return;
    if ((style & ES_NUMBER) && (ch < '0' || ch > '9')) return;
    replace_selection(hwnd, s, std::string(1, char(ch)));
}

void paint(HWND hwnd, EditState& s, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    bool plain = IsWindowEnabled(hwnd) && !(style_of(hwnd) & ES_READONLY);
    HBRUSH background = control_colours(hwnd, dc, plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    FillRect(dc, &client, background);
    HGDIOBJ old_font = select_control_font(hwnd, dc);
    if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    COLORREF text_colour = GetTextColor(dc);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int height = std::max<int>(1, tm.tmHeight);
    std::string shown = shown_text(hwnd, s);
    auto lines = lines_of(s.text);
    size_t from = sel_start(s), to = sel_end(s);
    bool show_selection = GetFocus() == hwnd || (style_of(hwnd) & ES_NOHIDESEL);
    SetBkMode(dc, TRANSPARENT);
    int x0 = kMargin - (multiline(hwnd) ? 0 : s.x_offset);
    for (int n = s.first_line, y = kMargin; n < int(lines.size()) && y < client.bottom; ++n, y += height) {
        Line line = lines[size_t(n)];
        TextOut(dc, x0, y, shown.c_str() + line.start, int(line.end - line.start));
        size_t a = std::max(from, line.start), b = std::min(to, line.end);
        if (!show_selection || a >= b) continue;
        SIZE before{}, part{};
        GetTextExtentPoint32(dc, shown.c_str() + line.start, int(a - line.start), &before);
        GetTextExtentPoint32(dc, shown.c_str() + a, int(b - a), &part);
        RECT r{x0 + before.cx, y, x0 + before.cx + part.cx, y + height};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        ExtTextOut(dc, r.left, y, ETO_OPAQUE, &r, shown.c_str() + a, UINT(b - a), nullptr);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text_colour);
    }
    SelectObject(dc, old_font);
}

void got_focus(HWND hwnd, EditState& s) {
    Measure m(hwnd);
    CreateCaret(hwnd, nullptr, 1, m.line_height());
    place_caret(hwnd, s);
    ShowCaret(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    notify_parent(hwnd, EN_SETFOCUS);
}

// WM_SETTEXT: the new text, cut to the limit, unmodified, caret at the start.
void set_text(HWND hwnd, EditState& s, const char* text) {
    s.text = text;
    if (s.text.size() > s.limit) s.text.resize(s.limit);
    s.anchor = s.caret = 0;
    s.first_line = s.x_offset = 0;
    changed(hwnd, s);
    s.modified = false;
}

LRESULT copy_text(const EditState& s, char* buffer, WPARAM size) {
    if (!buffer || size == 0) return 0;
    size_t n = std::min(s.text.size(), size_t(size) - 1);
    std::memcpy(buffer, s.text.data(), n);
    buffer[n] = 0;
    return LRESULT(n);
}

// EM_SETSEL: -1 as the start removes the selection; -1 as the end reaches the end of the text.
void set_selection(HWND hwnd, EditState& s, long start, long end) {
    if (start < 0) {
        s.anchor = s.caret;
    } else {
        s.anchor = std::min(size_t(start), s.text.size());
        s.caret = end < 0 ? s.text.size() : std::min(size_t(end), s.text.size());
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    place_caret(hwnd, s);
}

LRESULT edit_proc(HWND hwnd, EditState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
            s.text = cs && cs->lpszName ? cs->lpszName : "";
            return TRUE;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: {
            // Return is the edit's only where a multi-line edit asked for it;
            // Tab, Shift+Tab and Escape always move or close the dialog.
            LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == WPARAM(VK_RETURN) && multiline(hwnd) &&
                (style_of(hwnd) & ES_WANTRETURN))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_VSCROLL: scroll_lines(hwnd, s, LOWORD(wParam)); return 0;
        case WM_SIZE:
            if (multiline(hwnd)) place_caret(hwnd, s);
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_SETFOCUS: got_focus(hwnd, s); return 0;
        case WM_KILLFOCUS:
            DestroyCaret();
            InvalidateRect(hwnd, nullptr, TRUE);
            notify_parent(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(hwnd);
            bool extend = (wParam & MK_SHIFT) != 0;
            move_caret(hwnd, s, index_at(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), extend);
            SetCapture(hwnd);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (GetCapture() == hwnd)
                move_caret(hwnd, s, index_at(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), true);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_KEYDOWN: key_down(hwnd, s, int(wParam)); return 0;
        case WM_CHAR: character(hwnd, s, int(wParam & 0xFF)); return 0;
        case WM_SETTEXT: set_text(hwnd, s, lParam ? reinterpret_cast<const char*>(lParam) : ""); return TRUE;
        case WM_GETTEXT: return copy_text(s, reinterpret_cast<char*>(lParam), wParam);
        case WM_GETTEXTLENGTH: return LRESULT(s.text.size());
        case WM_COPY: copy_selection(hwnd, s); return 0;
        case WM_CUT:
            if (style_of(hwnd) & ES_READONLY) return 0;
            copy_selection(hwnd, s);
            replace_selection(hwnd, s, "");
            return 0;
        case WM_PASTE:
            if (!(style_of(hwnd) & ES_READONLY)) paste(hwnd, s);
            return 0;
        case WM_CLEAR:
            if (!(style_of(hwnd) & ES_READONLY)) replace_selection(hwnd, s, "");
            return 0;
        case EM_GETSEL: {
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = DWORD(sel_start(s));
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = DWORD(sel_end(s));
            return LRESULT(MAKELONG(WORD(sel_start(s)), WORD(sel_end(s))));
        }
        case EM_SETSEL: set_selection(hwnd, s, long(int(wParam)), long(int(lParam))); return 0;
        case EM_REPLACESEL: replace_selection(hwnd, s, lParam ? reinterpret_cast<const char*>(lParam) : ""); return 0;
        case EM_LIMITTEXT: s.limit = wParam ? size_t(wParam) : 0x7FFFFFFE; return 0;
        case EM_GETLIMITTEXT: return LRESULT(s.limit);
        case EM_GETLINECOUNT: return LRESULT(lines_of(s.text).size());
        case EM_GETMODIFY: return s.modified;
        case EM_SETMODIFY: s.modified = wParam != 0; return 0;
        case EM_SETREADONLY: {
            DWORD style = style_of(hwnd);
            SetWindowLong(hwnd, GWL_STYLE, LONG(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_edit_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<EditState, edit_proc>;
    wc.lpszClassName = "EDIT";
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    RegisterClass(&wc);
}

}  // namespace kit::user
