#include "ide/shell/main_frame.h"

#include <cstdint>

#include "ide/shell/main_window_key.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/window_placement.h"
#include "platform/afx/app.h"

namespace shell {

IMPLEMENT_DYNCREATE(CMainFrame, SECWorkbook)

BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbook)
ON_WM_CREATE()
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

profile::Store& Profile() { return AfxGetApp()->GetProfileStore(); }

unsigned HandleValue(HWND hwnd) { return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(hwnd)); }

}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECWorkbook::PreCreateWindow(cs)) return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_ACCELERATORS));
    return TRUE;
}

int CMainFrame::OnCreate(CREATESTRUCT* cs) {
    if (SECWorkbook::OnCreate(cs) == -1) return -1;
    LoadWindowPlacement();
    PublishMainWindow(Profile(), HandleValue(m_hWnd));
    return 0;
}

void CMainFrame::LoadWindowPlacement() {
    FramePlacement current{{}, GetWorkbookMode() != FALSE};
    current.placement.length = sizeof(WINDOWPLACEMENT);
    ::GetWindowPlacement(m_hWnd, &current.placement);
    const FramePlacement stored = shell::LoadWindowPlacement(Profile(), current);
    // The frame is not shown yet: the show command is the application's to apply.
    WINDOWPLACEMENT hidden = stored.placement;
    hidden.showCmd = SW_HIDE;
    ::SetWindowPlacement(m_hWnd, &hidden);
    SetWorkbookMode(stored.workbook_mode);
}

void CMainFrame::SaveWindowPlacement() {
    FramePlacement current{{}, GetWorkbookMode() != FALSE};
    current.placement.length = sizeof(WINDOWPLACEMENT);
    if (::GetWindowPlacement(m_hWnd, &current.placement)) shell::SaveWindowPlacement(Profile(), current);
}

void CMainFrame::OnClose() {
    SaveWindowPlacement();
    ClearMainWindow(Profile());
    SECWorkbook::OnClose();
}

}  // namespace shell
