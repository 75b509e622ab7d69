#pragma once
// Corvel's main window: the workbook of source windows under the menu. It comes
// back where and as it was left, and keeps its window handle in the profile for the
// simulator while it lives.
#include "uikit/frames/workbook.h"

namespace shell {

class CMainFrame : public SECWorkbook {
    DECLARE_DYNCREATE(CMainFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The placement and workbook mode stored in the profile, over the current ones.
    void LoadWindowPlacement();
    void SaveWindowPlacement();

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

}  // namespace shell
