#include "ide/download/progress_dialog.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace download {

BEGIN_MESSAGE_MAP(CVyrDnLdProgDlg, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

int progress_percent(int lower, int upper, int pos) {
    if (upper == lower) return 0;
    const int percent = static_cast<int>((static_cast<long long>(pos) - lower) * 100 / (upper - lower));
    return percent == 100 ? 100 : percent % 100;
}

CVyrDnLdProgDlg::CVyrDnLdProgDlg(UINT caption_id) : CDialog(kProgressDialogId), m_nCaptionID(caption_id) {}

CVyrDnLdProgDlg::~CVyrDnLdProgDlg() {
    if (m_hWnd) DestroyWindow();
}

BOOL CVyrDnLdProgDlg::Create(CWnd* owner) {
    m_pOwner = owner;
    if (owner && owner->IsWindowEnabled()) {
        owner->EnableWindow(FALSE);
        m_bParentDisabled = TRUE;
    }
    if (CDialog::Create(kProgressDialogId, owner)) return TRUE;
    // No dialog: the owner must not stay disabled.
    if (m_bParentDisabled) owner->EnableWindow(TRUE);
    m_bParentDisabled = FALSE;
    return FALSE;
}

BOOL CVyrDnLdProgDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString caption;
    if (caption.LoadString(m_nCaptionID)) SetWindowText(caption);
    ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETRANGE32, WPARAM(m_nLower), LPARAM(m_nUpper));
    ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETSTEP, WPARAM(m_nStep), 0);
    ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETPOS, WPARAM(m_nPos), 0);
    UpdatePercent();
    return TRUE;
}

void CVyrDnLdProgDlg::OnDestroy() {
    if (m_bParentDisabled && m_pOwner) m_pOwner->EnableWindow(TRUE);
    m_bParentDisabled = FALSE;
    CDialog::OnDestroy();
}

void CVyrDnLdProgDlg::PumpMessages() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The application is ending: leave the quit for its own loop and stop the transfer.
            ::PostQuitMessage(int(msg.wParam));
            m_bCancel = TRUE;
            return;
        }
        if (m_hWnd && ::IsDialogMessage(m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void CVyrDnLdProgDlg::UpdatePercent() {
    if (!m_hWnd) return;
    char text[16];
    std::snprintf(text, sizeof text, "%d%c", progress_percent(m_nLower, m_nUpper, m_nPos), '%');
    char shown[16] = {};
    ::GetDlgItemText(m_hWnd, kPercentTextId, shown, sizeof shown);
    if (std::string(shown) != text) ::SetDlgItemText(m_hWnd, kPercentTextId, text);
}

void CVyrDnLdProgDlg::SetStatus(const char* text) {
    if (m_hWnd) ::SetDlgItemText(m_hWnd, kStatusTextId, text);
}

void CVyrDnLdProgDlg::SetRange(int lower, int upper) {
    PumpMessages();
    m_nLower = lower;
    m_nUpper = upper;
    m_nPos = std::clamp(m_nPos, std::min(lower, upper), std::max(lower, upper));
    if (m_hWnd) ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETRANGE32, WPARAM(lower), LPARAM(upper));
    UpdatePercent();
}

int CVyrDnLdProgDlg::SetPos(int pos) {
    PumpMessages();
    const int old = m_nPos;
    m_nPos = std::clamp(pos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    if (m_hWnd) ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETPOS, WPARAM(m_nPos), 0);
    UpdatePercent();
    return old;
}

int CVyrDnLdProgDlg::OffsetPos(int delta) { return SetPos(m_nPos + delta); }

int CVyrDnLdProgDlg::SetStep(int step) {
    PumpMessages();
    const int old = m_nStep;
    m_nStep = step;
    if (m_hWnd) ::SendDlgItemMessage(m_hWnd, kProgressBarId, PBM_SETSTEP, WPARAM(step), 0);
    UpdatePercent();
    return old;
}

int CVyrDnLdProgDlg::StepIt() {
    // Stepping past the end starts again from the beginning, as the progress control does.
    const int next = m_nPos + m_nStep;
    return SetPos(next > m_nUpper ? m_nLower + (next - m_nUpper) : next);
}

BOOL CVyrDnLdProgDlg::CheckCancelButton() {
    PumpMessages();
    const BOOL cancelled = m_bCancel;
    m_bCancel = FALSE;
    return cancelled;
}

void CVyrDnLdProgDlg::set_status(std::string_view text) { SetStatus(std::string(text).c_str()); }

void CVyrDnLdProgDlg::show_message(std::string_view text) { AfxMessageBox(std::string(text).c_str()); }

}  // namespace download
