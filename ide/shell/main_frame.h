#pragma once
// Corvel's main window: the workbook of source windows under the menu. It comes
// back where and as it was left, and keeps its window handle in the profile for the
// simulator while it lives.
#include <string>

#include "ide/shell/bars/output_bar.h"
#include "uikit/frames/status_bar.h"
#include "uikit/frames/workbook.h"

namespace shell {

class CMainFrame : public SECWorkbook {
    DECLARE_DYNCREATE(CMainFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr) override;
    // The placement and workbook mode stored in the profile, over the current ones.
    void LoadWindowPlacement();
    void SaveWindowPlacement();
    // The clock pane shows this text instead of the time of day (pictures that must
    // not change with the time); empty for the time of day.
    static void SetFixedClock(std::string text);
    SECStatusBar& status_bar() { return status_bar_; }
    COutputBar& output_bar() { return output_bar_; }

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnUpdateClock(CCmdUI* cmd_ui);
    afx_msg void OnUpdateCaretPosition(CCmdUI* cmd_ui);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateStatusBar();
    BOOL CreateDockingWindows();
    SECStatusBar status_bar_;
    COutputBar output_bar_;
};

}  // namespace shell
