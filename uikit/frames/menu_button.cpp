#include "uikit/frames/menu_button.h"

#include <cctype>

#include "platform/res/resources.h"
#include "uikit/frames/sys_colors.h"

namespace {
SECStdBtn* make_menu_btn() { return new SECTBMenuBtn; }
}  // namespace

const SECButtonClass SECTBMenuBtn::kClass{"SECTBMenuBtn", make_menu_btn};

void SECTBMenuBtn::Init(SECBtnHost* toolbar, const SECBtnDescriptor* record) {
    m_pToolBar = toolbar;
    if (record) {
        m_menu = record->menu;
        m_nPosition = record->position;
        m_nMenuBits = record->bits;
        m_strText = record->title;
    }
    ParseMnemonic();
    AdjustSize();
}

void SECTBMenuBtn::ParseMnemonic() {
    m_cMnemonic = 0;
    const int amp = m_strText.Find('&');
    if (amp < 0 || amp + 1 >= m_strText.GetLength()) return;
    const auto c = static_cast<unsigned char>(m_strText[amp + 1]);
    // A lead byte of a double-byte character is no mnemonic of its own.
    m_cMnemonic = c < 0x80 ? BYTE(std::tolower(c)) : BYTE(c);
}

void SECTBMenuBtn::AdjustSize() {
    CFont* font = m_pToolBar ? m_pToolBar->GetTextFont() : nullptr;
    HDC screen = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = font ? ::SelectObject(screen, font->m_hObject) : nullptr;
    CRect text(0, 0, 0, 0);
    ::DrawText(screen, m_strText, m_strText.GetLength(), &text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    if (old) ::SelectObject(screen, old);
    ::DeleteDC(screen);
    m_cx = text.Width() + 10;
    m_cy = text.Height() + 6;
    if (m_pToolBar) m_pToolBar->FitBtnWidth(m_cx);
}

BOOL SECTBMenuBtn::BtnPressDown(CPoint) {
    if (m_nStyle & TBBS_DISABLED) return FALSE;
    m_nStyle |= TBBS_PRESSED;
    Invalidate();
    ShowMenu();
    return FALSE;
}

void SECTBMenuBtn::ShowMenu() {
    if (m_pToolBar) m_pToolBar->TrackButtonMenu(this, m_menu, m_nPosition);
}

void SECTBMenuBtn::DrawFace(SECBtnDrawData& data, BOOL flat, int& x, int& y, int& cx, int& cy, int) {
    CRect rect(0, 0, m_cx, m_cy);
    int shift = 0;
    FrameFace(data.m_hdcCompose, flat, rect, shift);
    const int pressed = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
    CRect text(4 + pressed, 3 + pressed, rect.right, rect.bottom);
    HDC dc = data.m_hdcCompose;
    const COLORREF old_back = ::SetBkColor(dc, sec_sys_colors().face);
    const COLORREF old_text = ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
    CFont* font = m_pToolBar ? m_pToolBar->GetTextFont() : nullptr;
    HGDIOBJ old_font = font ? ::SelectObject(dc, font->m_hObject) : nullptr;
    ::DrawText(dc, m_strText, m_strText.GetLength(), &text, DT_SINGLELINE);
    if (old_font) ::SelectObject(dc, old_font);
    ::SetTextColor(dc, old_text);
    ::SetBkColor(dc, old_back);
    x = text.left, y = text.top, cx = text.Width(), cy = text.Height();
}

SECBtnDescriptors sec_build_menu_descriptors(const std::vector<UINT>& menu_ids, std::vector<UINT>* bits) {
    SECBtnDescriptors descriptors;
    UINT next_id = SEC_FIRST_MENU_BUTTON_ID, next_bit = 1;
    if (bits) bits->clear();
    for (UINT menu_id : menu_ids) {
        const kit::res::Menu* menu = kit::res::find_menu(menu_id);
        if (bits) bits->push_back(menu ? next_bit : 0);
        if (!menu) continue;
        for (std::size_t position = 0; position < menu->items.size(); ++position) {
            SECBtnDescriptor d;
            d.button_class = &SECTBMenuBtn::kClass;
            d.id = next_id++;
            d.style = SEC_MENU_BUTTON_STYLE;
            d.menu = menu_id;
            d.position = int(position);
            d.title = menu->items[position].text.c_str();
            d.bits = next_bit;
            descriptors.push_back(std::move(d));
        }
        next_bit <<= 1;
    }
    return descriptors;
}
