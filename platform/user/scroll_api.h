#pragma once
// Scroll bars: those of a window's frame (SB_HORZ, SB_VERT) and SCROLLBAR
// controls (SB_CTL), with 32-bit positions.
#include "platform/user/user_types.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_BOTH = 3;

// SCROLLBAR control styles.
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows);

namespace kit::user {

// The parts of a scroll bar and where they lie (bar-local coordinates).
enum class ScrollPart { none, line_up, page_up, thumb, page_down, line_down };
struct ScrollGeometry {
    RECT up_arrow{}, down_arrow{}, track{}, thumb{};
    bool vertical = true;
};
ScrollGeometry scroll_geometry(const RECT& bar, bool vertical, int min, int max, UINT page, int pos);
ScrollPart scroll_part_at(const ScrollGeometry& g, POINT p);
// The position a thumb dragged to `offset` pixels along the track stands for.
int scroll_pos_from_thumb(const ScrollGeometry& g, int min, int max, UINT page, int offset);

void paint_scroll_bar(HDC dc, const RECT& bar, bool vertical, int min, int max, UINT page, int pos, bool enabled,
                      ScrollPart pressed);

// Tracks a click on a window's frame scroll bar until the button goes up.
void track_window_scroll_bar(HWND hwnd, int bar, POINT screen);
// Tracks a click on a SCROLLBAR control (client coordinates).
void track_scroll_control(HWND control, POINT client);

}  // namespace kit::user
