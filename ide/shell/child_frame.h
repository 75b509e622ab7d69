#pragma once
// The frame of one source window: a sheet of the main frame's workbook.
#include "uikit/frames/workbook.h"

namespace shell {

class CChildFrame : public SECWorksheet {
    DECLARE_DYNCREATE(CChildFrame)
};

}  // namespace shell
