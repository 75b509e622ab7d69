// The status bar ("msctls_statusbar32"): parts with right edges set by the
// owner, each showing a text (left, centred and right pieces split by tabs)
// in a sunken, raised or borderless box or drawn by the owner; a simple mode
// with a single part; a size grip that sizes the parent.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/controls.h"
#include "platform/user/internal.h"
#include "platform/user/menu_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct Part {
    std::string text;
    UINT type = 0;    // SBT_ styles
    LPARAM data = 0;  // the owner's value for SBT_OWNERDRAW
};

struct StatusState : WindowExtra {
    std::vector<int> edges{-1};  // right edge of each part; -1 reaches the right side
    std::vector<Part> parts{Part{}};
    Part simple_part;
    bool simple = false;
    int min_height = 0;
    bool placing = false;
};

// Horizontal border, vertical border, spacing between parts (SB_GETBORDERS).
constexpr int kBorderX = 0, kBorderY = 2, kSpacing = 2;
constexpr int kTextPadding = 2;

DWORD style_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }

bool grip_shown(HWND hwnd) {
    if (!(style_of(hwnd) & SBARS_SIZEGRIP)) return false;
    HWND parent = GetParent(hwnd);
    return !parent || !IsZoomed(GetAncestorTopLevel(parent));
}

RECT grip_rect(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    int size = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.bottom);
    return RECT{client.right - size, client.bottom - size, client.right, client.bottom};
}

bool part_rect(HWND hwnd, const StatusState& s, int index, RECT* out) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (s.simple) {
        if (index != 0) return FALSE;
        *out = RECT{kBorderX, kBorderY, client.right, client.bottom};
        return TRUE;
    }
    if (index < 0 || index >= int(s.edges.size())) return FALSE;
    int left = index == 0 ? kBorderX : (s.edges[index - 1] < 0 ? client.right : s.edges[index - 1] + kSpacing);
    int right = s.edges[index] < 0 ? client.right : s.edges[index];
    *out =
        RECT{std::min<LONG>(left, client.right), kBorderY, std::clamp<LONG>(right, left, client.right), client.bottom};
    return TRUE;
}

int bar_height(HWND hwnd, const StatusState& s) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return std::max<int>(s.min_height, tm.tmHeight + 2 * GetSystemMetrics(SM_CYBORDER)) + 2 * kBorderY;
}

// Fits the bar to its parent: full width along the bottom (or the top with
// CCS_TOP), as high as its font asks, unless its styles say otherwise.
void place(HWND hwnd, StatusState& s) {
    DWORD style = style_of(hwnd);
    HWND parent = GetParent(hwnd);
    if ((style & CCS_NORESIZE) || !parent || s.placing) return;
    s.placing = true;
    int height = bar_height(hwnd, s);
    if (style & CCS_NOPARENTALIGN) {
        RECT r;
        GetWindowRect(hwnd, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT area;
        GetClientRect(parent, &area);
        int y = (style & CCS_BOTTOM) == CCS_TOP ? 0 : area.bottom - height;
        SetWindowPos(hwnd, nullptr, 0, y, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    s.placing = false;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void draw_text_pieces(HDC dc, const Part& part, RECT box) {
    InflateRect(&box, -kTextPadding, -1);
    std::vector<std::string> pieces;
    if (part.type & SBT_NOTABPARSING) {
        pieces.push_back(part.text);
    } else {
        std::size_t start = 0;
        while (pieces.size() < 2) {
            std::size_t tab = part.text.find('\t', start);
            if (tab == std::string::npos) break;
            pieces.push_back(part.text.substr(start, tab - start));
            start = tab + 1;
        }
        pieces.push_back(part.text.substr(start));
    }
    // Pieces after the first and second tabs are centred and right-aligned.
    static constexpr UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty()) continue;
        DrawText(dc, pieces[i].c_str(), int(pieces[i].size()), &box,
                 kAlign[i] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void paint_part(HWND hwnd, HDC dc, const Part& part, int index, RECT box) {
    if (!(part.type & SBT_NOBORDERS)) {
        RECT edge = box;
        DrawEdge(dc, &edge, (part.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
    if (part.type & SBT_OWNERDRAW) {
        DRAWITEMSTRUCT dis{0,
                           UINT(GetDlgCtrlID(hwnd)),
                           UINT(index),
                           ODA_DRAWENTIRE,
                           0,
                           hwnd,
                           dc,
                           box,
                           static_cast<decltype(DRAWITEMSTRUCT::itemData)>(part.data)};
        SendMessage(GetParent(hwnd), WM_DRAWITEM, WPARAM(dis.CtlID), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    draw_text_pieces(dc, part, box);
}

void paint(HWND hwnd, const StatusState& s, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ old_font = select_control_font(hwnd, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int count = s.simple ? 1 : int(s.parts.size());
    for (int i = 0; i < count; ++i) {
        RECT box;
        part_rect(hwnd, s, i, &box);
        if (box.right > box.left) paint_part(hwnd, dc, s.simple ? s.simple_part : s.parts[std::size_t(i)], i, box);
    }
    if (grip_shown(hwnd)) {
        RECT grip = grip_rect(hwnd);
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    SelectObject(dc, old_font);
}

BOOL set_parts(HWND hwnd, StatusState& s, WPARAM count, const int* edges) {
    if (count == 0 || count > WPARAM(kMaxStatusParts) || !edges) return FALSE;
    s.edges.assign(edges, edges + count);
    s.parts.resize(count);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

BOOL set_text(HWND hwnd, StatusState& s, WPARAM wParam, LPARAM lParam) {
    UINT index = UINT(wParam) & 0xFF;
    Part* part = index == SB_SIMPLEID ? &s.simple_part : index < s.parts.size() ? &s.parts[index] : nullptr;
    if (!part) return FALSE;
    part->type = UINT(wParam) & 0xFF00;
    part->data = (part->type & SBT_OWNERDRAW) ? lParam : 0;
    const char* text = (part->type & SBT_OWNERDRAW) ? nullptr : reinterpret_cast<const char*>(lParam);
    part->text = text ? text : "";
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

const Part* part_at(const StatusState& s, WPARAM index) {
    if (s.simple && (index & 0xFF) == SB_SIMPLEID) return &s.simple_part;
    return index < s.parts.size() ? &s.parts[index] : nullptr;
}

// SB_GETTEXT and SB_GETTEXTLENGTH: the length in the low word, the style in the high word.
LRESULT text_answer(const Part& part) {
    return LRESULT(MAKELONG(WORD(std::min<std::size_t>(part.text.size(), 0xFFFF)), WORD(part.type)));
}

LRESULT status_proc(HWND hwnd, StatusState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: place(hwnd, s); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        // The parent passes its own WM_SIZE on so the bar follows it.
        case WM_SIZE:
            place(hwnd, s);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_SETFONT:
            DefWindowProc(hwnd, message, wParam, lParam);
            place(hwnd, s);
            return 0;
        case WM_NCHITTEST: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd, &p);
            RECT grip = grip_rect(hwnd);
            return grip_shown(hwnd) && PtInRect(&grip, p) ? HTBOTTOMRIGHT : HTCLIENT;
        }
        case WM_NCLBUTTONDOWN:
            if (LRESULT(wParam) == HTBOTTOMRIGHT && GetParent(hwnd)) {
                HWND sized = GetAncestorTopLevel(hwnd);
                track_move_size(sized, HTBOTTOMRIGHT, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return 0;
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_SETTEXT: DefWindowProc(hwnd, message, wParam, lParam); return set_text(hwnd, s, 0, lParam);
        case SB_SETPARTS: return set_parts(hwnd, s, wParam, reinterpret_cast<const int*>(lParam));
        case SB_GETPARTS: {
            auto* out = reinterpret_cast<int*>(lParam);
            if (out) std::copy_n(s.edges.begin(), std::min<std::size_t>(wParam, s.edges.size()), out);
            return s.simple ? 1 : LRESULT(s.edges.size());
        }
        case SB_SETTEXT: return set_text(hwnd, s, wParam, lParam);
        case SB_GETTEXT: {
            const Part* part = part_at(s, wParam);
            if (!part) return 0;
            if (part->type & SBT_OWNERDRAW) return part->data;
            // The caller sizes the buffer from SB_GETTEXTLENGTH, as on the platform.
            if (auto* out = reinterpret_cast<char*>(lParam))
                std::memcpy(out, part->text.c_str(), part->text.size() + 1);
            return text_answer(*part);
        }
        case SB_GETTEXTLENGTH: {
            const Part* part = part_at(s, wParam);
            return part ? text_answer(*part) : 0;
        }
        case SB_GETBORDERS: {
            auto* out = reinterpret_cast<int*>(lParam);
            if (!out) return FALSE;
            out[0] = kBorderX, out[1] = kBorderY, out[2] = kSpacing;
            return TRUE;
        }
        case SB_SETMINHEIGHT:
            s.min_height = std::max(0, int(wParam));
            place(hwnd, s);
            return 0;
        case SB_SIMPLE:
            s.simple = wParam != 0;
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case SB_ISSIMPLE: return s.simple;
        case SB_GETRECT: {
            auto* out = reinterpret_cast<RECT*>(lParam);
            return out ? part_rect(hwnd, s, int(wParam), out) : FALSE;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_status_bar_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<StatusState, status_proc>;
    wc.lpszClassName = STATUSCLASSNAME;
    RegisterClass(&wc);
}

}  // namespace kit::user
