#pragma once
// SECListCtrl: the list control with its message map.
#include "uikit/controls/list_base.h"

class SECListCtrl : public SECListBaseC {
    DECLARE_DYNCREATE(SECListCtrl)
public:
    SECListCtrl() = default;
    ~SECListCtrl() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
