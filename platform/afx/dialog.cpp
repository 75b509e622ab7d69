#include "platform/afx/dialog.h"

#include <strings.h>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "platform/afx/app.h"
#include "platform/afx/exceptions.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

LONG_PTR afx_dialog_proc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    // Route the dialog through its object from now on; the template's own
    // procedure stays underneath for everything the map leaves.
    auto* object = reinterpret_cast<CWnd*>(lParam);
    if (!object) return TRUE;
    if (!object->m_hWnd) object->SubclassWindow(dialog);
    if (!object->IsKindOf(RUNTIME_CLASS(CDialog))) return TRUE;
    return static_cast<CDialog*>(object)->OnInitDialog();
}

BOOL CWnd::CreateDlg(const char* template_name, CWnd* parent) {
    if (m_hWnd) return FALSE;
    HWND dialog = ::CreateDialogParam(nullptr, template_name, parent ? parent->m_hWnd : nullptr, &afx_dialog_proc,
                                      reinterpret_cast<LPARAM>(this));
    return dialog != nullptr && m_hWnd == dialog;
}

LONG_PTR CDialog::DoModal() {
    return ::DialogBoxParam(nullptr, MAKEINTRESOURCE(m_nIDTemplate), afx_modal_owner(m_pParentWnd), &afx_dialog_proc,
                            reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

BOOL CDialog::Create(UINT template_id, CWnd* parent) {
    m_nIDTemplate = template_id;
    m_pParentWnd = parent;
    HWND dialog = ::CreateDialogParam(nullptr, MAKEINTRESOURCE(template_id), parent ? parent->m_hWnd : nullptr,
                                      &afx_dialog_proc, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
    return dialog != nullptr;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    // A page is a child of its sheet, which offers it the keys itself.
    if (::GetWindowLong(m_hWnd, GWL_STYLE) & WS_CHILD) return FALSE;
    return ::IsDialogMessage(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL save) {
    CDataExchange dx(this, save);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CException* error) {
        if (!error->IsKindOf(RUNTIME_CLASS(CUserException))) error->ReportError();
        error->Delete();
        return FALSE;
    }
}

// ---- data exchange ---------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) AfxThrowNotSupportedException();  // a template without the control is a program error
    last_control_ = control;
    last_was_edit_ = false;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    last_was_edit_ = true;
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && last_control_) {
        ::SetFocus(last_control_);
        if (last_was_edit_) ::SendMessage(last_control_, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString control_text(HWND control) {
    CString text;
    const int length = ::GetWindowTextLength(control);
    ::GetWindowText(control, text.GetBufferSetLength(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

// A whole signed or unsigned number with optional spaces around it.
bool parse_number(CString text, bool is_signed, long long& value) {
    text.Trim();
    if (text.IsEmpty()) return false;
    if (!is_signed && text[0] == '-') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && end && *end == '\0';
}

template <typename Number>
void exchange_number(CDataExchange* dx, int id, Number& value, const char* prompt) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowText(control, std::is_signed_v<Number> ? AfxFormat("%d", int(value)) : AfxFormat("%u", UINT(value)));
        return;
    }
    long long parsed = 0;
    if (!parse_number(control_text(control), std::is_signed_v<Number>, parsed) ||
        parsed < (long long)std::numeric_limits<Number>::min() ||
        parsed > (long long)std::numeric_limits<Number>::max()) {
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = Number(parsed);
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = control_text(control);
    } else {
        ::SetWindowText(control, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) { exchange_number(dx, id, value, "Enter an integer."); }

void DDX_Text(CDataExchange* dx, int id, UINT& value) { exchange_number(dx, id, value, "Enter a positive integer."); }

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = int(::SendMessage(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessage(control, BM_SETCHECK, WPARAM(value < 0 || value > 2 ? 0 : value), 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND first = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND button = first; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
        if (button != first && (::GetWindowLong(button, GWL_STYLE) & WS_GROUP)) break;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            ::SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = control_text(control);
        return;
    }
    // Selects the first item that starts with the text, else shows the text itself.
    if (::SendMessage(control, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(value.str().c_str())) == CB_ERR)
        ::SetWindowText(control, value);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = int(::SendMessage(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, CB_SETCURSEL, WPARAM(value), 0);
    }
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        const int index = int(::SendMessage(control, LB_GETCURSEL, 0, 0));
        value.Empty();
        if (index < 0) return;
        const int length = int(::SendMessage(control, LB_GETTEXTLEN, WPARAM(index), 0));
        if (length < 0) return;
        ::SendMessage(control, LB_GETTEXT, WPARAM(index),
                      reinterpret_cast<LPARAM>(value.GetBufferSetLength(length + 1)));
        value.ReleaseBuffer();
    } else {
        ::SendMessage(control, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(value.str().c_str()));
    }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = int(::SendMessage(control, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, LB_SETCURSEL, WPARAM(value), 0);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    if (!control.SubclassWindow(dx->PrepareCtrl(id))) AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int max) {
    if (!dx->m_bSaveAndValidate) {
        // Loading: the edit (or the combo box's edit) itself refuses longer text from now on.
        if (HWND control = dx->last_control(); control && max > 0) {
            char name[16] = {};
            ::GetClassName(control, name, int(sizeof name));
            const bool combo = ::strcasecmp(name, "COMBOBOX") == 0;  // class names are case-blind
            ::SendMessage(control, combo ? CB_LIMITTEXT : EM_LIMITTEXT, WPARAM(max), 0);
        }
        return;
    }
    if (value.GetLength() > max) {
        AfxMessageBox(AfxFormat("Enter no more than %d characters.", max), MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max) {
    if (dx->m_bSaveAndValidate && (value < min || value > max)) {
        AfxMessageBox(AfxFormat("Enter an integer between %d and %d.", min, max), MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max) {
    if (dx->m_bSaveAndValidate && (value < min || value > max)) {
        AfxMessageBox(AfxFormat("Enter an integer between %u and %u.", min, max), MB_ICONEXCLAMATION);
        dx->Fail();
    }
}
