#pragma once
// The drawing interface the programs call, in the platform's own shape.
// Coordinates are logical (window/viewport origins and extents apply);
// every call fails softly (FALSE, 0, nullptr or CLR_INVALID) on a stale or
// wrong handle instead of touching freed memory.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/win_rect.h"
#include "platform/gdi/win_types.h"

// ---- device contexts -------------------------------------------------------

// A memory DC: 1x1 monochrome until a bitmap is selected. `like` is ignored.
HDC CreateCompatibleDC(HDC like);
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);             // saved < 0 counts back from the latest
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);  // a region selects a copy as clip
BOOL DeleteObject(HGDIOBJ object);             // stock objects are never deleted
int GetObject(HGDIOBJ object, int size, void* out);
DWORD GetObjectType(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int GetDeviceCaps(HDC dc, int index);

int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* out);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* out);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetWindowExtEx(HDC dc, int cx, int cy, SIZE* old);
BOOL SetViewportExtEx(HDC dc, int cx, int cy, SIZE* old);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetStretchBltMode(HDC dc, int mode);  // accepted; stretching samples nearest pixels

// ---- pens, brushes, bitmaps ------------------------------------------------

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// From an 8x8 (or larger) bitmap; a monochrome one takes the DC's text (0)
// and background (1) colours when it is used.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// The shared 50% checkerboard brush (not to be deleted).
HBRUSH GetHalftoneBrush();

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Monochrome (1 plane, 1 bit) or 32-bit colour; `bits` are word-aligned rows
// in the platform's layout, or null for a cleared bitmap.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
// A colour bitmap from a packed device-independent bitmap (header, colour
// table and rows of 1, 4, 8, 24 or 32 bits in `size` bytes, as resources
// hold them); null on a malformed header or short data.
HBITMAP CreateDIBitmapFromPacked(const void* packed, std::size_t size);

// ---- raster operations -----------------------------------------------------

BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, int scx, int scy, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int cx, int cy, DWORD rop);
// Rows of 1, 4, 8, 24 or 32 bits with a colour table after the header;
// bottom-up when the header's height is positive. As on the platform, the
// caller vouches for the rows the header describes; the header is checked.
// Returns the rows drawn, 0 on a bad header.
int StretchDIBits(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

// ---- lines and shapes ------------------------------------------------------

BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL LineTo(HDC dc, int x, int y);  // the end point is not drawn
BOOL GetCurrentPositionEx(HDC dc, POINT* out);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);  // alternate fill
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipse_width, int ellipse_height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
void Draw3dRect(HDC dc, const RECT* rect, COLORREF top_left, COLORREF bottom_right);
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);
BOOL DrawFocusRect(HDC dc, const RECT* rect);  // XOR dots: drawing twice restores
// Moves an XOR drag frame: erases the `last` frame (when given) and draws the
// new one, each `size` thick, painting only where the two differ.
void DrawDragRect(HDC dc, const RECT* rect, SIZE size, const RECT* last, SIZE last_size, HBRUSH brush,
                  HBRUSH last_brush);

// ---- icons ----------------------------------------------------------------

// The icon keeps copies of both bitmaps; a null colour bitmap means a mask
// twice the icon's height (AND half above, XOR half below).
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// Hands out new copies of the bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* out);
// Where the mask is 0 the image replaces the destination; where it is 1 the
// image is XORed onto it. cx or cy 0 takes the icon's own size.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker_free, UINT flags);

// ---- regions and clipping --------------------------------------------------

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
int GetRgnBox(HRGN region, RECT* out);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);

// Region in device coordinates of the DC; null removes the clip.
int SelectClipRgn(HDC dc, HRGN region);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int GetClipBox(HDC dc, RECT* out);
BOOL RectVisible(HDC dc, const RECT* rect);
BOOL PtVisible(HDC dc, int x, int y);

// ---- text ------------------------------------------------------------------

HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                 DWORD pitch_and_family, LPCSTR face);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* out);
int GetTextFace(HDC dc, int size, LPSTR out);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, SIZE* out);
// Tabs advance to multiples of the given stops (8 average widths by default);
// the result packs height in the high word and width in the low word.
DWORD GetTabbedTextExtent(HDC dc, LPCSTR text, int length, int tab_count, const int* tab_stops);
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length);
// `dx`, when given, has one distance per byte of `text`.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const int* dx);
// Returns the height of the text drawn (or measured with DT_CALCRECT).
int DrawText(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);

constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;
// Called once per face family; return 0 to stop.
using FONTENUMPROC = int (*)(const LOGFONT* font, const TEXTMETRIC* metrics, DWORD font_type, std::intptr_t data);
// The families for `filter`'s character set (DEFAULT_CHARSET: any) and face
// name (empty: all). Returns the callback's last answer, 1 when none ran.
int EnumFontFamiliesEx(HDC dc, const LOGFONT* filter, FONTENUMPROC proc, std::intptr_t data, DWORD flags);
