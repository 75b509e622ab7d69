#pragma once
// The in-place edit of a label: a child edit of the list with control id 1.
#include "uikit/controls/list_client.h"

class SECListEdit : public CEdit {
public:
    explicit SECListEdit(SECListClient* client) : client_(client) {}
    static constexpr UINT kControlId = 1;

protected:
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    SECListClient* client_;
};
