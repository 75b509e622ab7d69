#pragma once
// The frame of one source window: a sheet of the main frame's workbook that
// opens maximized, its editor view in a splitter the user can split in four.
#include "uikit/frames/workbook.h"

namespace shell {

class CChildFrame : public SECWorksheet {
    DECLARE_DYNCREATE(CChildFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int command = -1) override;
    CSplitterWnd& splitter() { return splitter_; }

protected:
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;

private:
    bool shown_ = false;
    CSplitterWnd splitter_;
};

}  // namespace shell
