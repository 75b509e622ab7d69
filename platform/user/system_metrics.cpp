// The metrics and colours table. Values are those of the classic desktop at
// 96 dpi, so that non-client layouts match what the programs were drawn for.
#include <algorithm>
#include <array>
#include <mutex>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_table.h"

namespace {

struct Tables {
    std::array<int, SM_METRIC_COUNT> metrics{};
    std::array<COLORREF, COLOR_COUNT> colours{};
    RECT work_area{};
};

// The metrics that follow the screen's size; the work area is what panels leave free.
void set_screen_metrics(Tables& t, RECT screen, RECT work_area) {
    auto& m = t.metrics;
    const int width = screen.right - screen.left, height = screen.bottom - screen.top;
    const int work_width = work_area.right - work_area.left, work_height = work_area.bottom - work_area.top;
    m[SM_CXSCREEN] = width;
    m[SM_CYSCREEN] = height;
    m[SM_CXFULLSCREEN] = work_width;
    m[SM_CYFULLSCREEN] = work_height - m[SM_CYCAPTION];
    m[SM_CXMAXIMIZED] = work_width + 2 * m[SM_CXFRAME];
    m[SM_CYMAXIMIZED] = work_height + 2 * m[SM_CYFRAME];
    t.work_area = work_area;
}

Tables defaults() {
    Tables t;
    auto& m = t.metrics;
    m[SM_CXVSCROLL] = m[SM_CYHSCROLL] = m[SM_CYVSCROLL] = m[SM_CXHSCROLL] = 16;
    m[SM_CYVTHUMB] = m[SM_CXHTHUMB] = 16;
    m[SM_CYCAPTION] = 19;
    m[SM_CXBORDER] = m[SM_CYBORDER] = 1;
    m[SM_CXDLGFRAME] = m[SM_CYDLGFRAME] = 3;
    m[SM_CXFRAME] = m[SM_CYFRAME] = 4;
    m[SM_CXICON] = m[SM_CYICON] = 32;
    m[SM_CXCURSOR] = m[SM_CYCURSOR] = 32;
    m[SM_CYMENU] = 19;
    m[SM_SWAPBUTTON] = 0;
    m[SM_CXMIN] = 112;
    m[SM_CYMIN] = 27;
    m[SM_CXSIZE] = m[SM_CYSIZE] = 18;
    m[SM_CXDOUBLECLK] = m[SM_CYDOUBLECLK] = 4;
    m[SM_CXEDGE] = m[SM_CYEDGE] = 2;
    m[SM_CXSMICON] = m[SM_CYSMICON] = 16;
    m[SM_CYSMCAPTION] = 15;
    m[SM_CXSMSIZE] = m[SM_CYSMSIZE] = 12;
    m[SM_CXMENUSIZE] = m[SM_CYMENUSIZE] = 18;
    m[SM_CXMENUCHECK] = m[SM_CYMENUCHECK] = 13;
    // Until a display tells the real size: a 1920x1080 screen with a 28-pixel panel at the bottom.
    set_screen_metrics(t, RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1080 - 28});

    auto& c = t.colours;
    c[COLOR_SCROLLBAR] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_BACKGROUND] = RGB(0x00, 0x80, 0x80);
    c[COLOR_ACTIVECAPTION] = RGB(0x00, 0x00, 0x80);
    c[COLOR_INACTIVECAPTION] = RGB(0x80, 0x80, 0x80);
    c[COLOR_MENU] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_WINDOW] = RGB(0xFF, 0xFF, 0xFF);
    c[COLOR_WINDOWFRAME] = RGB(0x00, 0x00, 0x00);
    c[COLOR_MENUTEXT] = RGB(0x00, 0x00, 0x00);
    c[COLOR_WINDOWTEXT] = RGB(0x00, 0x00, 0x00);
    c[COLOR_CAPTIONTEXT] = RGB(0xFF, 0xFF, 0xFF);
    c[COLOR_ACTIVEBORDER] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_INACTIVEBORDER] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_APPWORKSPACE] = RGB(0x80, 0x80, 0x80);
    c[COLOR_HIGHLIGHT] = RGB(0x00, 0x00, 0x80);
    c[COLOR_HIGHLIGHTTEXT] = RGB(0xFF, 0xFF, 0xFF);
    c[COLOR_BTNFACE] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_BTNSHADOW] = RGB(0x80, 0x80, 0x80);
    c[COLOR_GRAYTEXT] = RGB(0x80, 0x80, 0x80);
    c[COLOR_BTNTEXT] = RGB(0x00, 0x00, 0x00);
    c[COLOR_INACTIVECAPTIONTEXT] = RGB(0xC0, 0xC0, 0xC0);
    c[COLOR_BTNHIGHLIGHT] = RGB(0xFF, 0xFF, 0xFF);
    c[COLOR_3DDKSHADOW] = RGB(0x00, 0x00, 0x00);
    c[COLOR_3DLIGHT] = RGB(0xDF, 0xDF, 0xDF);
    c[COLOR_INFOTEXT] = RGB(0x00, 0x00, 0x00);
    c[COLOR_INFOBK] = RGB(0xFF, 0xFF, 0xE1);
    return t;
}

std::mutex tables_mutex;
Tables tables = defaults();
std::array<HBRUSH, COLOR_COUNT> brushes{};

// Drawing takes its system colours from this table.
[[maybe_unused]] const bool colours_installed = (gdi::set_sys_color_source(&GetSysColor), true);

void drop_brushes() {
    for (auto& brush : brushes) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
}

void broadcast(UINT message, WPARAM wParam) {
    for (HWND top : kit::user::top_level_windows()) SendMessage(top, message, wParam, 0);
}

}  // namespace

int GetSystemMetrics(int index) {
    if (index < 0 || index >= SM_METRIC_COUNT) return 0;
    std::lock_guard lock(tables_mutex);
    return tables.metrics[size_t(index)];
}

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= COLOR_COUNT) return 0;
    std::lock_guard lock(tables_mutex);
    return tables.colours[size_t(index)];
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colours) {
    if (count < 0 || (count > 0 && (!indexes || !colours))) return FALSE;
    {
        std::lock_guard lock(tables_mutex);
        for (int i = 0; i < count; ++i) {
            if (indexes[i] >= 0 && indexes[i] < COLOR_COUNT) tables.colours[size_t(indexes[i])] = colours[i];
        }
        drop_brushes();
    }
    broadcast(WM_SYSCOLORCHANGE, 0);
    return TRUE;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= COLOR_COUNT) return nullptr;
    std::lock_guard lock(tables_mutex);
    HBRUSH& brush = brushes[size_t(index)];
    if (!brush) brush = CreateSolidBrush(tables.colours[size_t(index)]);
    return brush;
}

UINT GetDoubleClickTime() { return 500; }

namespace kit::user {

void set_system_metric(int index, int value) {
    if (index < 0 || index >= SM_METRIC_COUNT) return;
    {
        std::lock_guard lock(tables_mutex);
        tables.metrics[size_t(index)] = value;
    }
    broadcast(WM_SETTINGCHANGE, 0);
}

void set_screen_size(RECT screen, RECT work_area) {
    if (screen.right <= screen.left || screen.bottom <= screen.top) return;
    if (IntersectRect(&work_area, &work_area, &screen) == FALSE) work_area = screen;
    {
        std::lock_guard lock(tables_mutex);
        set_screen_metrics(tables, screen, work_area);
    }
    broadcast(WM_SETTINGCHANGE, 0);
}

RECT fit_on_screen(RECT window) {
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    const LONG left = std::max(work.left, std::min(window.left, work.right - width));
    const LONG top = std::max(work.top, std::min(window.top, work.bottom - height));
    return RECT{left, top, left + width, top + height};
}

void reset_system_tables() {
    std::lock_guard lock(tables_mutex);
    tables = defaults();
    drop_brushes();
}

}  // namespace kit::user

BOOL SystemParametersInfo(UINT action, UINT, void* out, UINT) {
    if (!out) return FALSE;
    if (action == SPI_GETWORKAREA) {
        std::lock_guard lock(tables_mutex);
        *static_cast<RECT*>(out) = tables.work_area;
        return TRUE;
    }
    if (action == SPI_GETNONCLIENTMETRICS) {
        auto* m = static_cast<NONCLIENTMETRICS*>(out);
        if (m->cbSize != sizeof(NONCLIENTMETRICS)) return FALSE;
        LOGFONT font{};
        GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        LOGFONT bold = font;
        bold.lfWeight = 700;
        *m = NONCLIENTMETRICS{sizeof(NONCLIENTMETRICS),
                              GetSystemMetrics(SM_CXBORDER),
                              GetSystemMetrics(SM_CXVSCROLL),
                              GetSystemMetrics(SM_CYHSCROLL),
                              GetSystemMetrics(SM_CXSIZE),
                              GetSystemMetrics(SM_CYCAPTION) - 1,
                              bold,
                              GetSystemMetrics(SM_CXSMSIZE),
                              GetSystemMetrics(SM_CYSMCAPTION) - 1,
                              font,
                              GetSystemMetrics(SM_CXMENUSIZE),
                              GetSystemMetrics(SM_CYMENU) - 1,
                              font,
                              font,
                              font};
        return TRUE;
    }
    return FALSE;
}
