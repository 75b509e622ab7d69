#pragma once
// CPageSetupDialog: the page's margins (in thousandths of an inch) and the
// header and footer texts printed on each page. The caller sets the members,
// runs the dialog and reads them back; Cancel leaves them as they were. A
// test's script answers it by setting the edits and answering IDOK.
#include "platform/afx/byte_string.h"
#include "platform/afx/geometry.h"
#include "platform/afx/wnd.h"

class CPageSetupDialog {
public:
    enum : UINT {
        kLeftEdit = 0x4C0,
        kTopEdit = 0x4C1,
        kRightEdit = 0x4C2,
        kBottomEdit = 0x4C3,
        kHeaderEdit = 0x4C4,
        kFooterEdit = 0x4C5,
    };
    static constexpr unsigned kTemplateId = 0x7FF5;
    // The widest margin taken: ten inches.
    static constexpr long kMaxMargin = 10000;

    explicit CPageSetupDialog(CWnd* parent = nullptr) : parent_(parent) {}
    // IDOK with the members updated; IDCANCEL (or margins refused) leaves them alone.
    int DoModal();

    CRect m_rtMargin{1000, 1000, 1000, 1000};  // left, top, right, bottom
    CString m_strHeader;
    CString m_strFooter;

private:
    CWnd* parent_;
};
