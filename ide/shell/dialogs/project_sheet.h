#pragma once
// The sheets of the project dialogs: nothing reaches the project before OK
// (there is no Apply), and OK, by button or by Return, goes through only while
// the pages leave it enabled.
#include "platform/afx/afx.h"

namespace ide {

class ProjectSheet : public CPropertySheet {
public:
    ProjectSheet(UINT caption_id, CWnd* parent);

protected:
    afx_msg void OnOk();
    DECLARE_MESSAGE_MAP()
};

}  // namespace ide
