#include "platform/afx/dock_state.h"

#include <algorithm>

#include "platform/afx/afx_messages.h"
#include "platform/afx/app.h"
#include "platform/afx/control_bar.h"
#include "platform/afx/frame.h"

IMPLEMENT_DYNAMIC(CDockState, CObject)

namespace {

CWinApp& app_or_throw() {
    CWinApp* app = AfxGetApp();
    if (!app) AfxThrowNotSupportedException();
    return *app;
}

CSize screen_size() { return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

}  // namespace

BOOL CControlBarInfo::SaveState(const char* name, int index) const {
    CWinApp& app = app_or_throw();
    if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos == CPoint(-1, -1) && m_arrBarID.GetSize() <= 1)
        return FALSE;
    const CString section = AfxFormat("%s-Bar%d", name, index);
    app.WriteProfileString(section, nullptr, nullptr);  // no values left from an earlier layout
    // Values that hold their default are left out, as the framework stores them.
    app.WriteProfileInt(section, "BarID", int(m_nBarID));
    if (!m_bVisible) app.WriteProfileInt(section, "Visible", m_bVisible);
    if (m_bFloating) {
        app.WriteProfileInt(section, "Horz", m_bHorz);
        app.WriteProfileInt(section, "Floating", m_bFloating);
    }
    if (m_pointPos.x != -1) app.WriteProfileInt(section, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1) app.WriteProfileInt(section, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767) app.WriteProfileInt(section, "MRUWidth", int(m_nMRUWidth));
    if (m_bDocking) {
        app.WriteProfileInt(section, "Docking", m_bDocking);
        app.WriteProfileInt(section, "MRUDockID", int(m_uMRUDockID));
        app.WriteProfileInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
        app.WriteProfileInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
        app.WriteProfileInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
        app.WriteProfileInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
        app.WriteProfileInt(section, "MRUFloatStyle", int(m_dwMRUFloatStyle));
        app.WriteProfileInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
        app.WriteProfileInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    if (m_bDockBar) {
        int count = 0;
        for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
            app.WriteProfileInt(section, AfxFormat("Bar#%d", count), int(m_arrBarID[i]));
            ++count;
        }
        app.WriteProfileInt(section, "Bars", count);
    }
    return TRUE;
}

BOOL CControlBarInfo::LoadState(const char* name, int index, CDockState* state) {
    CWinApp& app = app_or_throw();
    const CString section = AfxFormat("%s-Bar%d", name, index);
    m_nBarID = app.GetProfileInt(section, "BarID", 0);
    m_bVisible = app.GetProfileInt(section, "Visible", TRUE) != 0;
    m_bHorz = app.GetProfileInt(section, "Horz", TRUE) != 0;
    m_bFloating = app.GetProfileInt(section, "Floating", FALSE) != 0;
    m_pointPos = CPoint(int(app.GetProfileInt(section, "XPos", -1)), int(app.GetProfileInt(section, "YPos", -1)));
    if (state && m_pointPos.x != -1 && m_pointPos.y != -1) m_pointPos = state->ScalePoint(m_pointPos);
    m_nMRUWidth = app.GetProfileInt(section, "MRUWidth", 32767);
    m_bDocking = app.GetProfileInt(section, "Docking", 0) != 0;
    if (m_bDocking) {
        m_uMRUDockID = app.GetProfileInt(section, "MRUDockID", 0);
        m_rectMRUDockPos = CRect(int(app.GetProfileInt(section, "MRUDockLeftPos", 0)),
                                 int(app.GetProfileInt(section, "MRUDockTopPos", 0)),
                                 int(app.GetProfileInt(section, "MRUDockRightPos", 0)),
                                 int(app.GetProfileInt(section, "MRUDockBottomPos", 0)));
        m_dwMRUFloatStyle = app.GetProfileInt(section, "MRUFloatStyle", 0);
        m_ptMRUFloatPos = CPoint(int(app.GetProfileInt(section, "MRUFloatXPos", 0)),
                                 int(app.GetProfileInt(section, "MRUFloatYPos", 0)));
    }
    // A damaged count is bounded by what a frame can hold, never trusted for an allocation.
    const int bars = std::clamp(int(app.GetProfileInt(section, "Bars", 0)), 0, 256);
    m_bDockBar = bars > 0;
    m_arrBarID.RemoveAll();
    for (int i = 0; i < bars; ++i) m_arrBarID.Add(app.GetProfileInt(section, AfxFormat("Bar#%d", i), 0));
    return m_nBarID != 0;
}

void CDockState::Clear() {
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) delete m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

void CDockState::SaveState(const char* name) const {
    CWinApp& app = app_or_throw();
    const CString summary = AfxFormat("%s-Summary", name);
    const CSize screen = screen_size();
    app.WriteProfileInt(summary, "ScreenCX", screen.cx);
    app.WriteProfileInt(summary, "ScreenCY", screen.cy);
    // Indexes run over the infos written, so the sections stay contiguous.
    int saved = 0;
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) saved += m_arrBarInfo[i]->SaveState(name, saved) ? 1 : 0;
    app.WriteProfileInt(summary, "Bars", saved);
}

BOOL CDockState::LoadState(const char* name) {
    CWinApp& app = app_or_throw();
    const CString summary = AfxFormat("%s-Summary", name);
    Clear();
    const int bars = std::clamp(int(app.GetProfileInt(summary, "Bars", 0)), 0, 256);
    if (bars == 0) return FALSE;
    m_sizeSavedScreen =
        CSize(int(app.GetProfileInt(summary, "ScreenCX", 0)), int(app.GetProfileInt(summary, "ScreenCY", 0)));
    for (int i = 0; i < bars; ++i) {
        auto* info = new CControlBarInfo;
        if (info->LoadState(name, i, this)) {
            m_arrBarInfo.Add(info);
        } else {
            delete info;  // a section without its bar id is skipped
        }
    }
    return TRUE;
}

CPoint CDockState::ScalePoint(CPoint point) const {
    const CSize screen = screen_size();
    if (m_sizeSavedScreen.cx <= 0 || m_sizeSavedScreen.cy <= 0 || m_sizeSavedScreen == screen) return point;
    return CPoint(int(static_cast<long long>(point.x) * screen.cx / m_sizeSavedScreen.cx),
                  int(static_cast<long long>(point.y) * screen.cy / m_sizeSavedScreen.cy));
}
