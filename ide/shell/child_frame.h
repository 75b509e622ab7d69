#pragma once
// The frame of one source window: a sheet of the main frame's workbook that
// opens maximized.
#include "uikit/frames/workbook.h"

namespace shell {

class CChildFrame : public SECWorksheet {
    DECLARE_DYNCREATE(CChildFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int command = -1) override;

private:
    bool shown_ = false;
};

}  // namespace shell
