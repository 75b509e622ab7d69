#include "uikit/frames/testing/docking_windows.h"

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/sys_colors.h"

namespace frames_testing {

void TitledBar::DoPaint(CDC* dc) {
    SECControlBar::DoPaint(dc);
    CRect inside;
    GetInsideRect(inside);
    if (inside.IsRectEmpty()) return;
    const SECSysColors& colours = sec_sys_colors();
    dc->FillSolidRect(&inside, colours.window);
    dc->Draw3dRect(&inside, colours.shadow, colours.highlight);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colours.text);
    CRect text = inside;
    text.DeflateRect(4, 2);
    dc->DrawText(GetWindowText(), &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

BOOL route_toolbar_command(SECToolBarManager* toolbars, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info,
                           UINT& last_command) {
    if (!toolbars || !toolbars->GetBmpMgr()->HasImage(id)) return FALSE;
    if (code == CN_UPDATE_COMMAND_UI) {
        static_cast<CCmdUI*>(extra)->Enable(id != kStopBuild && id != kStopDebug);
        return TRUE;
    }
    if (code != CN_COMMAND) return FALSE;
    if (!info) last_command = id;
    return TRUE;
}

SECWorksheet* new_worksheet(SECWorkbook& book, const char* title) {
    auto* sheet = new SECWorksheet;
    if (!sheet->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, &book))
        return nullptr;
    sheet->MDIActivate();
    return sheet;
}

}  // namespace frames_testing
