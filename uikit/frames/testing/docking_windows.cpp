#include "uikit/frames/testing/docking_windows.h"

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

}  // namespace frames_testing
