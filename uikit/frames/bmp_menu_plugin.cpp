#include "uikit/frames/bmp_menu_plugin.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/std_btn.h"
#include "uikit/frames/sys_colors.h"

namespace {

constexpr DWORD kPSDPxax = 0x00B8074A;
constexpr DWORD kDSPDxax = 0x00E20746;
constexpr UINT kFirstSystemCommand = 0xF000, kLastSystemCommand = 0xFEFF;
constexpr int kAcceleratorGap = 23;  // the accelerator ends this far before the item's right edge

bool is_system_command(UINT id) { return id >= kFirstSystemCommand && id <= kLastSystemCommand; }

CString item_title(HMENU menu, UINT position) {
    char buffer[256] = {};
    ::GetMenuString(menu, position, buffer, int(sizeof buffer), MF_BYPOSITION);
    return buffer;
}

void fill(HDC dc, const CRect& rect, COLORREF color) {
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

}  // namespace

// ---- plug-in -------------------------------------------------------------------

BOOL SECWndPlugIn::PlugInTo(CWnd* host) {
    if (!host || !host->m_hWnd) return FALSE;
    host_ = host->m_hWnd;
    return TRUE;
}

BOOL SECWndPlugIn::OfferMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!host_) return FALSE;
    m_bHandled = m_bCallDefault = FALSE;
    result_override_ = false;
    result = PlugInProc(message, wParam, lParam);
    if (result_override_) result = result_value_, result_override_ = false;
    return m_bHandled;
}

BYTE sec_menu_mnemonic(const char* title) {
    const char* amp = title ? std::strchr(title, '&') : nullptr;
    if (!amp || !amp[1]) return 0;
    const auto c = static_cast<unsigned char>(amp[1]);
    return c < 0x80 ? BYTE(std::tolower(c)) : BYTE(c);
}

// ---- bitmap menus --------------------------------------------------------------

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL replace_radio_mark)
    : replace_radio_mark_(replace_radio_mark), bmp_mgr_(new SECBmpMgr) {
    bmp_mgr_->SetKeepBoth(TRUE);
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn() {
    restore_items();
    if (dither_) ::DeleteObject(dither_);
    bmp_mgr_->Release();
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* manager) {
    if (!manager || manager == bmp_mgr_) return;
    manager->AddRef();
    bmp_mgr_->Release();
    bmp_mgr_ = manager;
}

const std::vector<std::unique_ptr<SECBmpMenuItemInfo>>* SECBmpMenuPlugIn::RecordsOf(HMENU menu) const {
    auto found = menus_.find(menu);
    return found == menus_.end() ? nullptr : &found->second;
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::record_of(HMENU menu, UINT_PTR data) const {
    auto found = menus_.find(menu);
    if (found == menus_.end()) return nullptr;
    for (const auto& record : found->second)
        if (UINT_PTR(record.get()) == data) return record.get();
    return nullptr;
}

LRESULT SECBmpMenuPlugIn::PlugInProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), UINT(LOWORD(lParam)), BOOL(HIWORD(lParam)));
            return 0;
        case WM_MEASUREITEM: m_bHandled = OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
        case WM_DRAWITEM: m_bHandled = OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_MENUCHAR: return OnMenuChar(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        case WM_MENUSELECT:
            // The item the loop highlights: the next mnemonic match is searched after it.
            selected_menu_ = reinterpret_cast<HMENU>(lParam);
            selected_id_ = LOWORD(wParam);
            return 0;
        case WM_IDLEUPDATECMDUI: Purge(); return 0;
        case WM_SYSCOLORCHANGE:
            if (dither_) ::DeleteObject(dither_), dither_ = nullptr;
            bmp_mgr_->ReloadBitmaps();
            return 0;
        case WM_SETTINGCHANGE:
            font_.DeleteObject();
            bold_font_.DeleteObject();
            bmp_mgr_->ReloadBitmaps();
            Purge();
            remeasure_items();
            return 0;
        default: return 0;
    }
}

void SECBmpMenuPlugIn::OnInitMenuPopup(HMENU popup, UINT, BOOL system) {
    if (system || !::IsMenu(popup)) return;
    auto& records = menus_[popup];
    const int count = ::GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
        if (!::GetMenuItemInfo(popup, UINT(position), TRUE, &info)) continue;
        if (info.fType & (MFT_BITMAP | MFT_SEPARATOR)) continue;
        if (info.fType & MFT_OWNERDRAW) {
            if (!record_of(popup, info.dwItemData)) foreign_.insert(info.wID);
            continue;
        }
        if (is_system_command(info.wID)) continue;
        auto record = std::make_unique<SECBmpMenuItemInfo>();
        record->m_nID = info.wID;
        record->m_strTitle = item_title(popup, UINT(position));
        record->m_cMnemonic = sec_menu_mnemonic(record->m_strTitle);
        MENUITEMINFO owner_drawn{};
        owner_drawn.cbSize = sizeof owner_drawn;
        owner_drawn.fMask = MIIM_TYPE | MIIM_DATA;
        owner_drawn.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        owner_drawn.dwItemData = UINT_PTR(record.get());
        if (::SetMenuItemInfo(popup, UINT(position), TRUE, &owner_drawn)) records.push_back(std::move(record));
    }
}

HFONT SECBmpMenuPlugIn::font_for(BOOL bold) {
    if (bold && !bold_font_.m_hObject) CreateBoldMenuFont();
    if (!font_.m_hObject) CreateMenuFont();
    return static_cast<HFONT>(bold && bold_font_.m_hObject ? bold_font_.m_hObject : font_.m_hObject);
}

void SECBmpMenuPlugIn::CreateMenuFont() {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.CreateFontIndirect(&metrics.lfMenuFont);
}

void SECBmpMenuPlugIn::CreateBoldMenuFont() {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    metrics.lfMenuFont.lfWeight = 700;
    bold_font_.CreateFontIndirect(&metrics.lfMenuFont);
}

BOOL SECBmpMenuPlugIn::OnMeasureItem(MEASUREITEMSTRUCT* measure) {
    if (!measure || measure->CtlType != ODT_MENU) return FALSE;
    const SECBmpMenuItemInfo* record = nullptr;
    for (const auto& [menu, records] : menus_)
        if ((record = record_of(menu, measure->itemData))) break;
    if (!record) return FALSE;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font_for(FALSE));
    // The label and the shortcut are drawn apart (left and right aligned): measured apart, with a
    // gap of about two letters between them, so that the shortcut never runs into the label.
    const CString& title = record->m_strTitle;
    const int tab = title.Find('\t');
    const auto measure_text = [dc](const CString& part) {
        CRect text(0, 0, 0, 0);
        ::DrawText(dc, part, part.GetLength(), &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        return text.Size();
    };
    CSize text = measure_text(tab < 0 ? title : title.Left(tab));
    if (tab >= 0) {
        const CSize shortcut = measure_text(title.Mid(tab + 1));
        text.cx += text.cy + shortcut.cx;
        text.cy = std::max(text.cy, shortcut.cy);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    const CSize image = bmp_mgr_->m_szSmall;
    measure->itemWidth = UINT(text.cx + image.cx + 30);
    measure->itemHeight = UINT(std::max<int>(text.cy, std::max<int>(::GetSystemMetrics(SM_CYMENU), image.cy + 4)));
    return TRUE;
}

void SECBmpMenuPlugIn::draw_image(HDC dc, int x, int y, int cx, int cy, HDC source, int sx, BOOL disabled,
                                  BOOL dithered) {
    const SECSysColors& colours = sec_sys_colors();
    if (!disabled && !dithered) {
        ::BitBlt(dc, x, y, cx, cy, source, sx, 0, SRCCOPY);
        return;
    }
    // The mask: white where the image shows face or highlight.
    HDC mask_dc = ::CreateCompatibleDC(nullptr);
    HBITMAP mask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HGDIOBJ old_mask = ::SelectObject(mask_dc, mask);
    ::PatBlt(mask_dc, 0, 0, cx, cy, WHITENESS);
    const COLORREF old_source_back = ::SetBkColor(source, colours.face);
    ::BitBlt(mask_dc, 0, 0, cx, cy, source, sx, 0, SRCCOPY);
    ::SetBkColor(source, colours.highlight);
    ::BitBlt(mask_dc, 0, 0, cx, cy, source, sx, 0, SRCPAINT);
    ::SetBkColor(source, old_source_back);
    const SECMaskColours mask_colours(dc);
    const auto through_mask = [&](HBRUSH brush, int dx, int dy, int w, int h, DWORD rop) {
        HGDIOBJ old = ::SelectObject(dc, brush);
        ::BitBlt(dc, x + dx, y + dy, w, h, mask_dc, 0, 0, rop);
        ::SelectObject(dc, old);
    };
    if (disabled) {
        HBRUSH highlight = ::CreateSolidBrush(colours.highlight), shadow = ::CreateSolidBrush(colours.shadow);
        through_mask(highlight, 1, 1, cx - 1, cy - 1, kPSDPxax);
        through_mask(shadow, 0, 0, cx, cy, kPSDPxax);
        ::DeleteObject(highlight);
        ::DeleteObject(shadow);
    } else {
        ::BitBlt(dc, x, y, cx, cy, source, sx, 0, SRCCOPY);
        if (!dither_) dither_ = sec_create_dither_brush();
        through_mask(dither_, 0, 0, cx, cy, kDSPDxax);
    }
    ::SelectObject(mask_dc, old_mask);
    ::DeleteObject(mask);
    ::DeleteDC(mask_dc);
}

void SECBmpMenuPlugIn::DrawItemImage(DRAWITEMSTRUCT* draw, HDC dc, CRect& box, HBITMAP strip, UINT image) {
    const BOOL selected = (draw->itemState & ODS_SELECTED) != 0;
    const BOOL disabled = (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const BOOL checked = (draw->itemState & ODS_CHECKED) != 0;
    const CSize size = bmp_mgr_->m_szSmall;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    if (!strip) {
        // No picture: the item's own check bitmap, a dot for radio items, or the check mark.
        fill(dc, box, selected && !checked ? ::GetSysColor(COLOR_HIGHLIGHT) : menu);
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS | MIIM_TYPE;
        ::GetMenuItemInfo(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, FALSE, &info);
        HBITMAP own = checked ? info.hbmpChecked : info.hbmpUnchecked;
        if (own) {
            BITMAP bm{};
            ::GetObject(own, sizeof bm, &bm);
            HDC source = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(source, own);
            draw_image(dc, box.left + (box.Width() - bm.bmWidth) / 2, box.top + (box.Height() - bm.bmHeight) / 2,
                       bm.bmWidth, bm.bmHeight, source, 0, disabled, FALSE);
            ::SelectObject(source, old);
            ::DeleteDC(source);
        } else if (checked) {
            CRect mark(box.left, box.top + (box.Height() - size.cy) / 2, box.right,
                       box.top + (box.Height() + size.cy) / 2);
            const bool dot = replace_radio_mark_ && (info.fType & MFT_RADIOCHECK);
            ::DrawFrameControl(dc, &mark, DFC_MENU, dot ? DFCS_MENUBULLET : DFCS_MENUCHECK);
        }
        return;
    }
    CRect frame(box.left, box.top + (box.Height() - (size.cy + 4)) / 2, box.right,
                box.top + (box.Height() - (size.cy + 4)) / 2 + size.cy + 4);
    fill(dc, box, menu);
    if (checked)
        ::DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    else if (selected && !disabled)
        ::DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(source, strip);
    draw_image(dc, frame.left + 2, frame.top + 2, size.cx, size.cy, source, int(image) * size.cx, disabled,
               checked && !selected);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

BOOL SECBmpMenuPlugIn::OnDrawItem(DRAWITEMSTRUCT* draw) {
    if (!draw || draw->CtlType != ODT_MENU) return FALSE;
    HMENU menu = reinterpret_cast<HMENU>(draw->hwndItem);
    const SECBmpMenuItemInfo* record = record_of(menu, draw->itemData);
    if (!record) return FALSE;
    const BOOL selected = (draw->itemState & ODS_SELECTED) != 0;
    const BOOL disabled = (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const COLORREF menu_colour = ::GetSysColor(COLOR_MENU), highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    HDC dc = draw->hDC;
    const CString& title = record->m_strTitle;
    const int tab = title.Find('\t');
    const CString label = tab < 0 ? title : title.Left(tab);
    const CString accelerator = tab < 0 ? CString() : title.Mid(tab + 1);
    HBITMAP strip = nullptr;
    UINT image = 0;
    const bool has_image = bmp_mgr_->GetBitmap(record->m_nID, strip, image, TRUE) && strip;
    const CSize size = bmp_mgr_->m_szSmall;
    CRect rect(draw->rcItem);
    rect.left += 1;
    CRect box(rect.left, rect.top, rect.left + size.cx + 4, rect.bottom);
    DrawItemImage(draw, dc, box, has_image ? strip : nullptr, image);
    fill(dc, CRect(box.right, rect.top, box.right + 1, rect.bottom), selected && !has_image ? highlight : menu_colour);
    CRect rest(box.right + 1, rect.top, rect.right, rect.bottom);
    fill(dc, rest, selected ? highlight : menu_colour);
    const int old_mode = ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old_font =
        ::SelectObject(dc, font_for((::GetMenuState(menu, record->m_nID, MF_BYCOMMAND) & MF_DEFAULT) != 0));
    CRect text(rest.left + 1, rest.top, rect.right - kAcceleratorGap, rest.bottom);
    const auto draw_texts = [&](const CRect& where, COLORREF colour) {
        ::SetTextColor(dc, colour);
        CRect r = where;
        ::DrawText(dc, label, label.GetLength(), &r, DT_SINGLELINE | DT_VCENTER);
        r = where;
        if (!accelerator.IsEmpty())
            ::DrawText(dc, accelerator, accelerator.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    };
    const COLORREF old_text = ::GetTextColor(dc);
    if (disabled && !selected) {
        CRect shifted = text;
        shifted.OffsetRect(1, 1);
        draw_texts(shifted, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        draw_texts(text, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        draw_texts(text, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    ::SetTextColor(dc, old_text);
    ::SelectObject(dc, old_font);
    ::SetBkMode(dc, old_mode);
    return TRUE;
}

LRESULT SECBmpMenuPlugIn::OnMenuChar(UINT ch, UINT, HMENU menu) {
    auto found = menus_.find(menu);
    if (found == menus_.end() || ch > 0xFF) return 0;
    const BYTE wanted = ch < 0x80 ? BYTE(std::tolower(int(ch))) : BYTE(ch);
    std::vector<int> matches;
    int highlighted = -1;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_STATE | MIIM_ID;
        if (!::GetMenuItemInfo(menu, UINT(position), TRUE, &info)) continue;
        if ((info.fState & MFS_HILITE) || (menu == selected_menu_ && LOWORD(info.wID) == selected_id_))
            highlighted = position;
        const SECBmpMenuItemInfo* record = (info.fType & MFT_OWNERDRAW) ? record_of(menu, info.dwItemData) : nullptr;
        if (record && record->m_cMnemonic == wanted) matches.push_back(position);
    }
    if (matches.empty()) return 0;
    m_bHandled = TRUE;
    if (matches.size() == 1) return LRESULT(MAKELONG(WORD(matches[0]), MNC_EXECUTE));
    auto next = std::find_if(matches.begin(), matches.end(), [&](int p) { return p > highlighted; });
    return LRESULT(MAKELONG(WORD(next == matches.end() ? matches.front() : *next), MNC_SELECT));
}

void SECBmpMenuPlugIn::Purge() {
    for (auto it = menus_.begin(); it != menus_.end();) {
        if (!::IsMenu(it->first)) {
            it = menus_.erase(it);
            continue;
        }
        std::set<UINT_PTR> present;
        const int count = ::GetMenuItemCount(it->first);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFO info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_TYPE | MIIM_DATA;
            if (::GetMenuItemInfo(it->first, UINT(position), TRUE, &info) && (info.fType & MFT_OWNERDRAW))
                present.insert(info.dwItemData);
        }
        std::erase_if(it->second, [&](const auto& record) { return !present.count(UINT_PTR(record.get())); });
        ++it;
    }
}

namespace {

// Calls `visit(menu, position, record)` for every item of ours still in its menu.
template <typename Visit>
void for_each_owned_item(const std::map<HMENU, std::vector<std::unique_ptr<SECBmpMenuItemInfo>>>& menus, Visit visit) {
    for (const auto& [menu, records] : menus) {
        if (!::IsMenu(menu)) continue;
        const int count = ::GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFO info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_TYPE | MIIM_DATA;
            if (!::GetMenuItemInfo(menu, UINT(position), TRUE, &info) || !(info.fType & MFT_OWNERDRAW)) continue;
            for (const auto& record : records)
                if (UINT_PTR(record.get()) == info.dwItemData) visit(menu, UINT(position), info, *record);
        }
    }
}

}  // namespace

void SECBmpMenuPlugIn::restore_items() {
    for_each_owned_item(menus_, [](HMENU menu, UINT position, MENUITEMINFO info, const SECBmpMenuItemInfo& record) {
        info.fMask = MIIM_TYPE | MIIM_DATA;
        info.fType &= ~MFT_OWNERDRAW;
        info.dwItemData = 0;
        CString title = record.m_strTitle;
        info.dwTypeData = title.GetBuffer(title.GetLength());
        info.cch = UINT(title.GetLength());
        ::SetMenuItemInfo(menu, position, TRUE, &info);
        title.ReleaseBuffer();
    });
    menus_.clear();
}

void SECBmpMenuPlugIn::remeasure_items() {
    // Through a string item and back, so that the menu measures the item again.
    for_each_owned_item(menus_, [](HMENU menu, UINT position, MENUITEMINFO info, const SECBmpMenuItemInfo&) {
        MENUITEMINFO plain = info;
        plain.fType &= ~MFT_OWNERDRAW;
        char empty[1] = {};
        plain.dwTypeData = empty;
        plain.cch = 0;
        ::SetMenuItemInfo(menu, position, TRUE, &plain);
        ::SetMenuItemInfo(menu, position, TRUE, &info);
    });
}
