#include "platform/afx/gdi_wrappers.h"

#include <cstdio>

#include "platform/afx/temp_maps.h"
#include "platform/afx/wnd.h"
#include "platform/user/paint_api.h"
#include "platform/user/resource_api.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CImageList, CObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object) return FALSE;
    DeleteObject();
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int which) { return Attach(::GetStockObject(which)); }

BOOL CFont::CreatePointFont(int tenths_of_points, const char* face) {
    LOGFONT font{};
    font.lfHeight = -(tenths_of_points * 96 / 720);
    font.lfWeight = 400;
    if (face) std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", face);
    return CreateFontIndirect(&font);
}

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(id))); }

CSize CBitmap::GetSize() const {
    BITMAP info{};
    if (!m_hObject || !GetObject(sizeof info, &info)) return CSize();
    return CSize(info.bmWidth, info.bmHeight);
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::Create(UINT bitmap_id, int cx, int grow, COLORREF mask) {
    CBitmap strip;
    if (!strip.LoadBitmap(bitmap_id)) return FALSE;
    const CSize size = strip.GetSize();
    if (cx <= 0 || !Create(cx, size.cy, 0x0021 /* ILC_COLOR32 | ILC_MASK */, size.cx / cx, grow)) return FALSE;
    return ImageList_AddMasked(m_hImageList, strip, mask) >= 0;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    const BOOL done = ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return done;
}

BOOL CImageList::Draw(CDC* dc, int image, POINT at, UINT style) {
    return ImageList_Draw(m_hImageList, image, *dc, at.x, at.y, style);
}

CDC::~CDC() {
    if (owns_ && m_hDC) ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC dc) {
    if (!dc) return nullptr;
    static const int kind = 0;
    return static_cast<CDC*>(afx_temporary_wrapper(
        &kind, dc,
        [dc] {
            CDC* wrapper = new CDC;
            wrapper->m_hDC = wrapper->m_hAttribDC = dc;
            return wrapper;
        },
        [](CObject* wrapper) { static_cast<CDC*>(wrapper)->Detach(); }));
}

BOOL CDC::Attach(HDC dc) {
    if (!dc) return FALSE;
    DeleteDC();
    m_hDC = m_hAttribDC = dc;
    owns_ = true;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    owns_ = false;
    return dc;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    const bool owned = owns_;
    HDC dc = Detach();
    return owned ? ::DeleteDC(dc) : TRUE;
}

// The previous object of the same kind, as a temporary wrapper.
template <typename Wrapper>
Wrapper* CDC::select_wrapped(Wrapper* object) {
    HGDIOBJ previous = ::SelectObject(m_hDC, object ? object->m_hObject : nullptr);
    if (!previous) return nullptr;
    static const int kind = 0;
    return static_cast<Wrapper*>(afx_temporary_wrapper(
        &kind, previous,
        [previous] {
            Wrapper* wrapper = new Wrapper;
            wrapper->m_hObject = previous;
            return wrapper;
        },
        [](CObject* wrapper) { static_cast<Wrapper*>(wrapper)->Detach(); }));
}

CPen* CDC::SelectObject(CPen* pen) { return select_wrapped(pen); }
CBrush* CDC::SelectObject(CBrush* brush) { return select_wrapped(brush); }
CFont* CDC::SelectObject(CFont* font) { return select_wrapped(font); }
CBitmap* CDC::SelectObject(CBitmap* bitmap) { return select_wrapped(bitmap); }

CGdiObject* CDC::SelectStockObject(int which) {
    CGdiObject stock;
    stock.m_hObject = ::GetStockObject(which);
    CGdiObject* previous = select_wrapped(&stock);
    stock.Detach();
    return previous;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    POINT old{};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const {
    POINT org{};
    ::GetViewportOrgEx(m_hDC, &org);
    return org;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(const RECT* r, COLORREF color) {
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right) {
    const RECT r{x, y, x + cx, y + cy};
    Draw3dRect(&r, top_left, bottom_right);
}

CSize CDC::GetTextExtent(const char* text, int length) const {
    SIZE size{};
    ::GetTextExtentPoint32(m_hDC, text, length, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : hwnd_(wnd->m_hWnd) { m_hDC = m_hAttribDC = ::BeginPaint(hwnd_, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(hwnd_, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : hwnd_(wnd ? wnd->m_hWnd : nullptr) { m_hDC = m_hAttribDC = ::GetDC(hwnd_); }

CClientDC::~CClientDC() { ::ReleaseDC(hwnd_, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : hwnd_(wnd ? wnd->m_hWnd : nullptr) { m_hDC = m_hAttribDC = ::GetWindowDC(hwnd_); }

CWindowDC::~CWindowDC() { ::ReleaseDC(hwnd_, Detach()); }
