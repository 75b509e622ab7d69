#pragma once
// CPrintDialog: what to print (all pages, a page range or the selection) and
// how many copies. The caller sets the members, runs the dialog and reads the
// choice back; Cancel leaves them as they were. A test's script answers it by
// checking a choice, setting the edits and answering IDOK.
#include "platform/afx/wnd.h"

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;

class CPrintDialog {
public:
    enum : UINT {
        kAllRadio = 0x4D0,
        kPagesRadio = 0x4D1,
        kSelectionRadio = 0x4D2,
        kFromEdit = 0x4D3,
        kToEdit = 0x4D4,
        kCopiesEdit = 0x4D5,
    };
    static constexpr unsigned kTemplateId = 0x7FF6;
    static constexpr long kMaxCopies = 999;

    // `flags`: the choice to start with (PD_ALLPAGES, PD_PAGENUMS or PD_SELECTION),
    // with PD_NOSELECTION when there is no selection to print.
    explicit CPrintDialog(DWORD flags = PD_ALLPAGES | PD_NOSELECTION, CWnd* parent = nullptr) : parent_(parent) {
        m_pd.Flags = flags;
    }
    // IDOK with the choice stored; IDCANCEL (or a range refused) leaves it alone.
    int DoModal();

    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    int GetCopies() const { return m_pd.nCopies; }

    struct PD {
        DWORD Flags = 0;
        WORD nFromPage = 1, nToPage = 1;
        WORD nMinPage = 1, nMaxPage = 0xFFFF;
        WORD nCopies = 1;
    } m_pd;

private:
    CWnd* parent_;
};
