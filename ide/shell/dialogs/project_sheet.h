#pragma once
// The sheets of the project dialogs: nothing reaches the project before OK
// (there is no Apply), and OK, by button or by Return, goes through only while
// the pages leave it enabled.
#include "platform/afx/afx.h"

namespace ide {

// A page enables or disables its sheet's OK as it validates.
void EnableSheetOk(CWnd* page, bool enable);

class ProjectSheet : public CPropertySheet {
public:
    ProjectSheet(UINT caption_id, CWnd* parent);

protected:
    // Before OK goes through: a sheet may turn to a page still incomplete and refuse.
    virtual bool AllowOk() { return true; }
    afx_msg void OnOk();
    DECLARE_MESSAGE_MAP()
};

}  // namespace ide
