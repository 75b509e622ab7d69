#pragma once
// CDialog: a dialog from a resource template, modal (DoModal) or modeless
// (Create), with data exchange between its controls and member variables.
#include "platform/afx/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT template_id = 0, CWnd* parent = nullptr) : m_nIDTemplate(template_id), m_pParentWnd(parent) {}

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the template is missing.
    virtual LONG_PTR DoModal();
    BOOL Create(UINT template_id, CWnd* parent = nullptr);
    void EndDialog(int result);

    // A modeless dialog takes its dialog keys (Tab, Enter, Escape, mnemonics) from the
    // application's loop here; a modal one has them from its own loop.
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Moves data between controls and members; FALSE when a check failed (the user was told).
    BOOL UpdateData(BOOL save = TRUE);
    virtual void DoDataExchange(CDataExchange* dx) {}

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    UINT m_nIDHelp = 0;

protected:
    // ON_COMMAND entries call these so that overrides of OnOK and OnCancel take effect.
    afx_msg void OnOKCommand() { OnOK(); }
    afx_msg void OnCancelCommand() { OnCancel(); }
    DECLARE_MESSAGE_MAP()
    friend LONG_PTR afx_dialog_proc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure that attaches the CWnd passed as the creation parameter
// and, for a CDialog, runs its OnInitDialog.
LONG_PTR afx_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One exchange: loading the controls (m_bSaveAndValidate FALSE) or saving them.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL save) : m_bSaveAndValidate(save), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Focuses the control that failed and ends the exchange (throws CUserException).
    [[noreturn]] void Fail();
    HWND last_control() const { return last_control_; }

private:
    HWND last_control_ = nullptr;
    bool last_was_edit_ = false;
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button of the group that starts at `id`, or -1.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& value);
// Subclasses the control into `control` the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int max);
void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max);
