#include "uikit/frames/layout_text.h"

#include <cstdio>

#include "uikit/frames/control_bar.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/mdi_frame.h"

namespace {

const char* side_name(UINT id) {
    switch (id) {
        case AFX_IDW_DOCKBAR_TOP: return "top";
        case AFX_IDW_DOCKBAR_BOTTOM: return "bottom";
        case AFX_IDW_DOCKBAR_LEFT: return "left";
        case AFX_IDW_DOCKBAR_RIGHT: return "right";
        default: return "float";
    }
}

}  // namespace

std::string sec_rect_text(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld) %ldx%ld", long(r.left), long(r.top), long(r.right),
                  long(r.bottom), long(r.right - r.left), long(r.bottom - r.top));
    return text;
}

std::string sec_layout_text(SECMDIFrameWnd& frame) {
    std::string out;
    const auto place_of = [&](CWnd& wnd) {
        CRect r;
        wnd.GetWindowRect(&r);
        frame.ScreenToClient(&r);
        return r;
    };
    out += "client " + sec_rect_text(frame.GetLastClientRect()) + "\n";
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CControlBar* found = frame.GetControlBar(id);
        if (!found || !found->IsKindOf(RUNTIME_CLASS(SECDockBar))) continue;
        auto* dock_bar = static_cast<SECDockBar*>(found);
        out += std::string("dockbar ") + side_name(id) + " " + sec_rect_text(place_of(*dock_bar)) + "\n";
        int row = 0, column = 0;
        for (int i = 1; i < dock_bar->GetSlotCount(); ++i) {
            CControlBar* bar = dock_bar->GetDockedControlBar(i);
            if (!bar) {
                if (dock_bar->m_arrBars[i].kind == CDockBar::Slot::Kind::row_break) ++row, column = 0;
                continue;
            }
            char pct[32] = "";
            if (bar->IsKindOf(RUNTIME_CLASS(SECControlBar)))
                std::snprintf(pct, sizeof pct, " %.3f", double(static_cast<SECControlBar*>(bar)->m_fPctWidth));
            out += "  bar \"" + std::string(bar->GetWindowText()) + "\" " + side_name(id) + " row " +
                   std::to_string(row) + " col " + std::to_string(column++) + " " + sec_rect_text(place_of(*bar)) +
                   (bar->IsVisible() ? " visible" : " hidden") + pct + "\n";
        }
        for (const SECDockBar::Splitter& splitter : dock_bar->m_arrSplitters) {
            CRect r = splitter.m_rect;
            dock_bar->MapWindowPoints(&frame, &r);
            out += std::string("  splitter ") + (splitter.m_bInRow ? "in-row " : "row ") + sec_rect_text(r) + "\n";
        }
    }
    for (POSITION at = frame.m_listControlBars.GetHeadPosition(); at;) {
        auto* bar = static_cast<CControlBar*>(frame.m_listControlBars.GetNext(at));
        if (!bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) || !bar->m_hWnd || !bar->IsFloating()) continue;
        CWnd* host = bar->GetParentFrame();
        if (!host) continue;
        out += "floating \"" + std::string(bar->GetWindowText()) + "\" " + sec_rect_text(place_of(*host)) +
               (host->IsWindowVisible() && bar->IsVisible() ? " visible" : " hidden") + "\n";
    }
    return out;
}
