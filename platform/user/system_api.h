#pragma once
// System metrics and colours (a table tests may change), and the clipboard.
#include <string>

#include "platform/user/user_types.h"

// The COLOR_ indices are the drawing layer's; the table of values is ours.

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXSMSIZE = 52;
constexpr int SM_CYSMSIZE = 53;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_CXMAXIMIZED = 61;
constexpr int SM_CYMAXIMIZED = 62;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_METRIC_COUNT = 96;

int GetSystemMetrics(int index);
COLORREF GetSysColor(int index);
// Changes colours and broadcasts WM_SYSCOLORCHANGE to every top-level window.
BOOL SetSysColors(int count, const int* indexes, const COLORREF* colours);
UINT GetDoubleClickTime();
// A shared solid brush of a system colour (not to be deleted); it follows SetSysColors.
HBRUSH GetSysColorBrush(int index);

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_GETWORKAREA = 0x0030;

struct NONCLIENTMETRICS {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};

// SPI_GETWORKAREA (a RECT) and SPI_GETNONCLIENTMETRICS (cbSize set by the caller).
BOOL SystemParametersInfo(UINT action, UINT param, void* out, UINT ini);

namespace kit::user {
// Changes one metric (tests and settings); broadcasts WM_SETTINGCHANGE.
void set_system_metric(int index, int value);
// The screen's size and the part of it that panels leave free, from the
// display; the screen metrics follow. Broadcasts WM_SETTINGCHANGE.
void set_screen_size(RECT screen, RECT work_area);
// The rectangle moved (not resized) to lie in the work area; one larger than
// the work area keeps its top-left corner on it.
RECT fit_on_screen(RECT window);
// Puts every metric and colour back to the defaults.
void reset_system_tables();
}  // namespace kit::user

// Clipboard: CF_TEXT with CF_OEMTEXT synthesised, and registered formats.
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_OEMTEXT = 7;
using HGLOBAL = void*;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
std::size_t GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// Takes ownership of `data` (a GlobalAlloc block) on success.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The block stays the clipboard's; valid until the clipboard changes.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
// With the clipboard open: the format placed after `format` (0: the first), in the
// order of their numbers; 0 after the last. A text twin offered on reading is not
// listed.
UINT EnumClipboardFormats(UINT format);
UINT RegisterClipboardFormat(const char* name);
