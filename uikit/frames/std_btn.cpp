#include "uikit/frames/std_btn.h"

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/sys_colors.h"

namespace {

constexpr DWORD kPSDPxax = 0x00B8074A;  // brush where the mask is black
constexpr DWORD kDSPDxax = 0x00E20746;  // brush where the mask is white
constexpr DWORD kDSna = 0x00220326;

SECStdBtn* make_std_btn() { return new SECStdBtn; }

void fill(HDC dc, const CRect& rect, COLORREF color) {
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

// Applies a brush of `color` through the mask at (x, y).
void brush_through_mask(SECBtnDrawData& data, HBRUSH brush, int x, int y, int cx, int cy, int mask_x, int mask_y,
                        DWORD rop) {
    HGDIOBJ old = ::SelectObject(data.m_hdcCompose, brush);
    ::BitBlt(data.m_hdcCompose, x, y, cx, cy, data.m_hdcMask, mask_x, mask_y, rop);
    ::SelectObject(data.m_hdcCompose, old);
}

}  // namespace

const SECButtonClass SECStdBtn::kClass{"SECStdBtn", make_std_btn};

// ---- drawing context -----------------------------------------------------------

SECBtnDrawData::SECBtnDrawData() {
    m_hdcImage = ::CreateCompatibleDC(nullptr);
    m_hdcMask = ::CreateCompatibleDC(nullptr);
    m_hdcCompose = ::CreateCompatibleDC(nullptr);
    RebuildDitherBrush();
    if (!m_hdcImage || !m_hdcMask || !m_hdcCompose || !m_hbrDither) AfxThrowResourceException();
}

SECBtnDrawData::~SECBtnDrawData() {
    EndPass();
    if (m_hbrDither) ::DeleteObject(m_hbrDither);
    for (HDC dc : {m_hdcImage, m_hdcMask, m_hdcCompose})
        if (dc) ::DeleteDC(dc);
}

HBRUSH sec_create_dither_brush() {
    // An 8 by 8 checkerboard of face and highlight.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
        DWORD rows[8];
    } dib{};
    dib.header.biSize = sizeof(BITMAPINFOHEADER);
    dib.header.biWidth = 8;
    dib.header.biHeight = 8;
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 1;
    const SECSysColors& colours = sec_sys_colors();
    for (int i = 0; i < 2; ++i) {
        const COLORREF c = i == 0 ? colours.face : colours.highlight;
        dib.colors[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    }
    for (int row = 0; row < 8; ++row) dib.rows[row] = row % 2 ? 0x55 : 0xAA;
    HBITMAP pattern = ::CreateDIBitmapFromPacked(&dib, sizeof dib);
    if (!pattern) return nullptr;
    HBRUSH brush = ::CreatePatternBrush(pattern);
    ::DeleteObject(pattern);
    return brush;
}

void SECBtnDrawData::RebuildDitherBrush() {
    if (m_hbrDither) ::DeleteObject(m_hbrDither);
    m_hbrDither = sec_create_dither_brush();
}

BOOL SECBtnDrawData::BeginPass(HDC screen, int width, int height) {
    EndPass();
    compose_ = ::CreateCompatibleBitmap(screen, width, height);
    mask_ = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (!compose_ || !mask_) {
        EndPass();
        return FALSE;
    }
    old_compose_ = ::SelectObject(m_hdcCompose, compose_);
    old_mask_ = ::SelectObject(m_hdcMask, mask_);
    return TRUE;
}

void SECBtnDrawData::SelectImage(HBITMAP strip) {
    HGDIOBJ old = ::SelectObject(m_hdcImage, strip);
    if (!image_selected_) old_image_ = old, image_selected_ = true;
}

void SECBtnDrawData::EndPass() {
    if (image_selected_) ::SelectObject(m_hdcImage, old_image_), image_selected_ = false;
    if (old_compose_) ::SelectObject(m_hdcCompose, old_compose_), old_compose_ = nullptr;
    if (old_mask_) ::SelectObject(m_hdcMask, old_mask_), old_mask_ = nullptr;
    if (compose_) ::DeleteObject(compose_), compose_ = nullptr;
    if (mask_) ::DeleteObject(mask_), mask_ = nullptr;
}

// ---- state ---------------------------------------------------------------------

void SECStdBtn::Invalidate(BOOL erase) const {
    CWnd* window = host_window();
    if (!window || !window->m_hWnd) return;
    const CRect rect = GetRect();
    ::InvalidateRect(window->m_hWnd, &rect, erase);
}

void SECStdBtn::Init(SECBtnHost* toolbar, const SECBtnDescriptor*) {
    m_pToolBar = toolbar;
    AdjustSize();
}

CSize SECStdBtn::ImageSize() const { return m_pToolBar ? m_pToolBar->GetImageSize() : CSize(16, 15); }

void SECStdBtn::AdjustSize() {
    const CSize image = ImageSize();
    m_cx = IsSeparator() ? (image.cx + 8) / 3 : image.cx + 7;
    m_cy = image.cy + 7;
    if (m_pToolBar) m_pToolBar->FitBtnWidth(m_cx);
}

void SECStdBtn::InformBtn(UINT code, const void* data) {
    if (code != 1 || !data) return;
    const UINT* bits = static_cast<const UINT*>(data);
    m_nStyle = (m_nStyle & ~bits[1]) | bits[0];
    Invalidate();
}

int SECStdBtn::OnToolHitTest(CPoint, CWnd::ToolHit* hit) const {
    if (hit) {
        hit->id = m_nID;
        hit->rect = GetRect();
        // The tip is the part of the command's string after its newline, as the frame gives it.
        CString prompt;
        prompt.LoadString(m_nID);
        const int newline = prompt.Find('\n');
        hit->text = newline >= 0 ? prompt.Mid(newline + 1) : CString();
    }
    return int(m_nID);
}

LRESULT SECStdBtn::SendToolbarNotify(int code, UINT_PTR word1, UINT_PTR word2) {
    CWnd* window = host_window();
    if (!window || !window->m_hWnd) return 0;
    SECNMToolBar notify{};
    notify.hdr.hwndFrom = window->m_hWnd;
    notify.hdr.idFrom = UINT_PTR(window->GetDlgCtrlID());
    notify.hdr.code = UINT(code);
    notify.iItem = int(m_nID);
    notify.index = m_pToolBar->IndexOf(this);
    notify.word1 = word1, notify.word2 = word2;
    CWnd* owner = window->GetOwner();
    return owner ? owner->SendMessage(WM_NOTIFY, notify.hdr.idFrom, LPARAM(&notify)) : 0;
}

// ---- mouse ---------------------------------------------------------------------

BOOL SECStdBtn::BtnPressDown(CPoint) {
    if (m_nStyle & TBBS_DISABLED) return FALSE;
    m_nStyle |= TBBS_PRESSED;
    if (!(m_nStyle & TBBS_DROPDOWN)) return TRUE;
    Invalidate();
    if (CWnd* window = host_window()) window->UpdateWindow();
    if (m_pToolBar && !m_pToolBar->SendDropDown(this)) return FALSE;  // the handler closed the bar and this button
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar) m_pToolBar->UpdateHotTracking();
    return FALSE;
}

void SECStdBtn::BtnPressMouseMove(CPoint point) {
    if (HitsButton(point))
        m_nStyle |= TBBS_PRESSED;
    else
        m_nStyle &= ~TBBS_PRESSED;
}

void SECStdBtn::BtnPressCancel() {
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate();
}

UINT SECStdBtn::BtnPressUp(CPoint point) {
    m_nStyle &= ~TBBS_PRESSED;
    if (!HitsButton(point)) return 0;
    if ((m_nStyle & TBBS_CHECKBOX) && !(m_nStyle & TBBS_DISABLED) && m_pToolBar) {
        const bool checked = (m_nStyle & TBBS_CHECKED) != 0;
        m_pToolBar->SetFrameBtnStyle(m_nID, checked ? 0 : TBBS_CHECKED,
                                     checked ? TBBS_CHECKED | TBBS_INDETERMINATE : TBBS_INDETERMINATE);
    }
    return m_nID;
}

// ---- drawing -------------------------------------------------------------------

void SECStdBtn::Draw(CDC* dc, SECBtnDrawData& data) {
    const CRect rect = GetRect();
    if (!::RectVisible(dc->m_hDC, &rect)) return;
    if (DrawSeparator(dc)) return;
    PrepareImage(data);
    DrawButton(data);
    DrawTransparent(dc, data);
    DrawSelection(data);
    BlitToScreen(dc, data);
}

void SECStdBtn::PrepareImage(SECBtnDrawData& data) {
    SECBmpMgr* images = m_pToolBar ? m_pToolBar->GetBmpMgr() : nullptr;
    HBITMAP strip = nullptr;
    UINT index = 0;
    if (images && images->GetBitmap(m_nID, strip, index) && strip) {
        m_nImage = index;
        data.SelectImage(strip);
    }
}

BOOL SECStdBtn::DrawSeparator(CDC* dc) {
    if (!IsSeparator()) return FALSE;
    if (!m_pToolBar || !m_pToolBar->IsCoolLook() || (m_nStyle & TBBS_WRAPPED)) return TRUE;
    const SECSysColors& colours = sec_sys_colors();
    if (!m_pToolBar->IsTransparent()) dc->FillSolidRect(m_x, m_y, m_cx, m_cy, colours.face);
    const int line = m_x + ((ImageSize().cx + 8) / 3) / 2;
    dc->FillSolidRect(line, m_y, 1, m_cy, colours.shadow);
    dc->FillSolidRect(line + 1, m_y, 1, m_cy, colours.highlight);
    return TRUE;
}

void SECStdBtn::DrawButton(SECBtnDrawData& data) {
    int x = 0, y = 0, cx = 0, cy = 0;
    if (m_pToolBar && m_pToolBar->InCustomizeMode()) {
        DrawFace(data, TRUE, x, y, cx, cy);
        return;
    }
    DrawFace(data, FALSE, x, y, cx, cy);
    if (m_nStyle & TBBS_PRESSED) return;
    if (m_nStyle & TBBS_DISABLED)
        DrawDisabled(data, x, y, cx, cy);
    else if (m_nStyle & TBBS_CHECKED)
        DrawChecked(data, x, y, cx, cy);
    else if (m_nStyle & TBBS_INDETERMINATE)
        DrawIndeterminate(data, x, y, cx, cy);
}

void SECStdBtn::FrameFace(HDC dc, BOOL flat, CRect& rect, int& shift) const {
    const SECSysColors& colours = sec_sys_colors();
    const bool cool = m_pToolBar && m_pToolBar->IsCoolLook();
    fill(dc, rect, colours.face);
    shift = 0;
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !flat) {
        ::Draw3dRect(dc, &rect, cool ? colours.shadow : colours.frame, colours.highlight);
        rect.DeflateRect(1, 1);
        if (!cool) ::Draw3dRect(dc, &rect, colours.shadow, colours.face);
        rect.DeflateRect(1, 1);
        shift = 1;
    } else if (!cool) {
        ::Draw3dRect(dc, &rect, colours.highlight, colours.frame);
        rect.DeflateRect(1, 1);
        ::Draw3dRect(dc, &rect, colours.face, colours.shadow);
        rect.DeflateRect(1, 1);
    } else {
        if ((m_nStyle & TBBS_RAISED) && !flat) ::Draw3dRect(dc, &rect, colours.highlight, colours.shadow);
        rect.DeflateRect(2, 2);
    }
}

void SECStdBtn::DrawFace(SECBtnDrawData& data, BOOL flat, int& x, int& y, int& cx, int& cy, int image_width) {
    const CSize image = ImageSize();
    const int width = image_width == -1 ? image.cx : image_width;
    CRect rect(0, 0, m_cx, m_cy);
    int shift = 0;
    FrameFace(data.m_hdcCompose, flat, rect, shift);
    x = (m_cx - width - 1) / 2 + shift;
    y = (m_cy - image.cy) / 2 + shift;
    cx = width, cy = image.cy;
    BlitImage(x, y, cx, cy, data, int(width * m_nImage), 0);
}

void SECStdBtn::BlitImage(int x, int y, int cx, int cy, SECBtnDrawData& data, int sx, int sy) {
    ::BitBlt(data.m_hdcCompose, x, y, cx, cy, data.m_hdcImage, sx, sy, SRCCOPY);
}

void SECStdBtn::MakeMask(SECBtnDrawData& data, int x, int y, int cx, int cy) const {
    const SECSysColors& colours = sec_sys_colors();
    ::PatBlt(data.m_hdcMask, 0, 0, cx, cy, WHITENESS);
    const COLORREF old = ::SetBkColor(data.m_hdcCompose, colours.face);
    ::BitBlt(data.m_hdcMask, 0, 0, cx, cy, data.m_hdcCompose, x, y, SRCCOPY);
    ::SetBkColor(data.m_hdcCompose, colours.highlight);
    ::BitBlt(data.m_hdcMask, 0, 0, cx, cy, data.m_hdcCompose, x, y, SRCPAINT);
    ::SetBkColor(data.m_hdcCompose, old);
}

void SECStdBtn::DrawDisabled(SECBtnDrawData& data, int x, int y, int cx, int cy) {
    const SECSysColors& colours = sec_sys_colors();
    MakeMask(data, x, y, cx, cy);
    fill(data.m_hdcCompose, CRect(x, y, x + cx, y + cy), colours.face);
    const SECMaskColours mask_colours(data.m_hdcCompose);
    HBRUSH highlight = ::CreateSolidBrush(colours.highlight), shadow = ::CreateSolidBrush(colours.shadow);
    brush_through_mask(data, highlight, x + 1, y + 1, cx - 1, cy - 1, 0, 0, kPSDPxax);
    brush_through_mask(data, shadow, x, y, cx, cy, 0, 0, kPSDPxax);
    if (m_nStyle & TBBS_CHECKED) {
        ::BitBlt(data.m_hdcMask, 1, 1, cx - 1, cy - 1, data.m_hdcMask, 0, 0, SRCAND);
        brush_through_mask(data, data.m_hbrDither, x, y, cx, cy, 0, 0, kDSPDxax);
    }
    ::DeleteObject(highlight);
    ::DeleteObject(shadow);
}

void SECStdBtn::DrawChecked(SECBtnDrawData& data, int x, int y, int cx, int cy) {
    MakeMask(data, x, y, cx, cy);
    const SECMaskColours mask_colours(data.m_hdcCompose);
    brush_through_mask(data, data.m_hbrDither, x, y, cx, cy, 0, 0, kDSPDxax);
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawData& data, int x, int y, int cx, int cy) {
    MakeMask(data, x, y, cx, cy);
    const SECMaskColours mask_colours(data.m_hdcCompose);
    HBRUSH highlight = ::CreateSolidBrush(sec_sys_colors().highlight);
    brush_through_mask(data, highlight, x, y, cx, cy, 0, 0, kPSDPxax);
    brush_through_mask(data, data.m_hbrDither, x, y, cx, cy, 0, 0, kDSPDxax);
    ::DeleteObject(highlight);
}

void SECStdBtn::DrawTransparent(CDC* dc, SECBtnDrawData& data) {
    if (!m_pToolBar || !m_pToolBar->IsTransparent()) return;
    // Face-coloured pixels of the composition show the bar's background instead.
    ::PatBlt(data.m_hdcMask, 0, 0, m_cx, m_cy, WHITENESS);
    const COLORREF old = ::SetBkColor(data.m_hdcCompose, sec_sys_colors().face);
    ::BitBlt(data.m_hdcMask, 0, 0, m_cx, m_cy, data.m_hdcCompose, 0, 0, SRCCOPY);
    ::SetBkColor(data.m_hdcCompose, old);
    const SECMaskColours mask_colours(data.m_hdcCompose);
    ::BitBlt(data.m_hdcCompose, 0, 0, m_cx, m_cy, dc->m_hDC, m_x, m_y, SRCINVERT);
    ::BitBlt(data.m_hdcCompose, 0, 0, m_cx, m_cy, data.m_hdcMask, 0, 0, kDSna);
    ::BitBlt(data.m_hdcCompose, 0, 0, m_cx, m_cy, dc->m_hDC, m_x, m_y, SRCINVERT);
}

void SECStdBtn::DrawSelection(SECBtnDrawData& data) {
    if (m_nStyle & TBBS_SELECTED) DrawSelectedFrame(data);
}

void SECStdBtn::DrawSelectedFrame(SECBtnDrawData& data) {
    const SECMaskColours mask_colours(data.m_hdcCompose);
    const CRect rect(0, 0, m_cx, m_cy);
    ::DrawDragRect(data.m_hdcCompose, &rect, SIZE{3, 3}, nullptr, SIZE{3, 3}, nullptr, nullptr);
}

void SECStdBtn::BlitToScreen(CDC* dc, SECBtnDrawData& data) {
    ::BitBlt(dc->m_hDC, m_x, m_y, m_cx, m_cy, data.m_hdcCompose, 0, 0, SRCCOPY);
}
