#pragma once
// Objects around drawing handles: CGdiObject and its kinds own their handle
// and delete it with the object; CDC wraps a device context, and CPaintDC,
// CClientDC and CWindowDC get and release one for a window.
#include "platform/afx/byte_string.h"
#include "platform/afx/geometry.h"
#include "platform/afx/object.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/image_list.h"
#include "platform/user/user_types.h"

class CWnd;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, void* out) const { return ::GetObject(m_hObject, size, out); }
    BOOL CreateStockObject(int which);
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    BOOL CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirect(font)); }
    // Height in tenths of a point at 96 dpi.
    BOOL CreatePointFont(int tenths_of_points, const char* face);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    BOOL LoadBitmap(UINT id);
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bits, const void* data) {
        return Attach(::CreateBitmap(width, height, planes, bits, data));
    }
    CSize GetSize() const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(const RECT* rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreatePolygonRgn(const POINT* points, int count, int mode) {
        return Attach(::CreatePolygonRgn(points, count, mode));
    }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    BOOL PtInRegion(POINT point) const { return ::PtInRegion(*this, point.x, point.y); }
    int GetRgnBox(RECT* out) const { return ::GetRgnBox(*this, out); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL Create(UINT bitmap_id, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    int Add(CBitmap* image, CBitmap* mask) {
        return ImageList_Add(m_hImageList, *image, mask ? HBITMAP(*mask) : nullptr);
    }
    int Add(CBitmap* image, COLORREF mask) { return ImageList_AddMasked(m_hImageList, *image, mask); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL Draw(class CDC* dc, int image, POINT at, UINT style);
    operator HIMAGELIST() const { return m_hImageList; }
};

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    // A temporary wrapper that lives until the next idle time.
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* like) { return Attach(::CreateCompatibleDC(like ? like->m_hDC : nullptr)); }
    BOOL DeleteDC();
    BOOL IsPrinting() const { return m_bPrinting; }

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    CGdiObject* SelectStockObject(int which);

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetWindowOrg(int x, int y);
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    void LPtoDP(POINT* points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
    void DPtoLP(POINT* points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
    void LPtoDP(RECT* rect) const { LPtoDP(reinterpret_cast<POINT*>(rect), 2); }
    void DPtoLP(RECT* rect) const { DPtoLP(reinterpret_cast<POINT*>(rect), 2); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Rectangle(const RECT* r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Ellipse(const RECT* r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    void FillRect(const RECT* r, CBrush* brush) { ::FillRect(m_hDC, r, *brush); }
    void FillSolidRect(const RECT* r, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(const RECT* r, CBrush* brush) { ::FrameRect(m_hDC, r, *brush); }
    void InvertRect(const RECT* r) { ::InvertRect(m_hDC, r); }
    void Draw3dRect(const RECT* r, COLORREF top_left, COLORREF bottom_right) {
        ::Draw3dRect(m_hDC, r, top_left, bottom_right);
    }
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);
    BOOL DrawEdge(RECT* r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
    void DrawFocusRect(const RECT* r) { ::DrawFocusRect(m_hDC, r); }
    void DrawDragRect(const RECT* r, SIZE size, const RECT* last, SIZE last_size) {
        ::DrawDragRect(m_hDC, r, size, last, last_size, nullptr, nullptr);
    }
    BOOL PatBlt(int x, int y, int cx, int cy, DWORD rop) { return ::PatBlt(m_hDC, x, y, cx, cy, rop); }
    BOOL BitBlt(int x, int y, int cx, int cy, CDC* src, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, sx, sy, rop);
    }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    BOOL TextOut(int x, int y, const char* text, int length) { return ::TextOut(m_hDC, x, y, text, length); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* r, const char* text, UINT length, const int* dx) {
        return ::ExtTextOut(m_hDC, x, y, options, r, text, length, dx);
    }
    int DrawText(const char* text, int length, RECT* r, UINT format) {
        return ::DrawText(m_hDC, text, length, r, format);
    }
    int DrawText(const CString& text, RECT* r, UINT format) { return DrawText(text, text.GetLength(), r, format); }
    CSize GetTextExtent(const char* text, int length) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(TEXTMETRIC* out) const { return ::GetTextMetrics(m_hDC, out); }

    int SelectClipRgn(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? HRGN(*region) : nullptr); }
    int IntersectClipRect(const RECT* r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(const RECT* r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int GetClipBox(RECT* out) const { return ::GetClipBox(m_hDC, out); }
    BOOL RectVisible(const RECT* r) const { return ::RectVisible(m_hDC, r); }

private:
    bool owns_ = false;  // a DC this object made, deleted with it
    template <typename Wrapper>
    Wrapper* select_wrapped(Wrapper* object);
};

// The DC of BeginPaint/EndPaint for a window's WM_PAINT.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND hwnd_;
};

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND hwnd_;
};

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND hwnd_;
};
