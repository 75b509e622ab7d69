#pragma once
// Drives the property sheet on show through a headless display: its active
// page, the page's controls, typing into a field, and whether OK is enabled.
#include <string>

#include "platform/afx/afx.h"
#include "platform/afx/property_sheet.h"
#include "platform/display/headless.h"

namespace ide::testing {

class SheetDriver {
protected:
    // `screen` is the test's display; it may be built after this driver.
    explicit SheetDriver(kit::display::Headless& screen) : display(screen) {}

    // The sheet on show and its active page.
    CPropertySheet* sheet() const {
        return static_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
    }
    HWND page() const { return sheet()->GetActivePage()->m_hWnd; }
    HWND item(int id) const { return ::GetDlgItem(page(), id); }
    std::string text(int id) const {
        char buffer[256] = "";
        ::GetDlgItemText(page(), id, buffer, sizeof buffer);
        return buffer;
    }
    void set(int id, const char* value) const { ::SetDlgItemText(page(), id, value); }
    // Puts the keyboard in a field, its text selected, and types over it; the
    // keys are delivered through the sheet before the next field is taken.
    void type_into(int id, const char* value) {
        deliver_input();  // a click queued before goes first
        ::SetFocus(item(id));
        ::SendMessage(item(id), EM_SETSEL, 0, -1);
        display.type(value);
        deliver_input();
    }
    void deliver_input() {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CWnd* top = CWnd::FromHandlePermanent(::GetActiveWindow());
            if (top && top->PreTranslateMessage(&msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    bool ok_enabled() const { return ::IsWindowEnabled(::GetDlgItem(sheet()->m_hWnd, IDOK)); }

    kit::display::Headless& display;
};

}  // namespace ide::testing
