#pragma once
// Property sheets: pages (child dialogs from templates) shown one at a time
// in the frame of a tab control, with OK, Cancel and Apply. Leaving a page
// validates it; a page whose controls the user changes is marked modified;
// Apply and OK apply every page that was changed.
#include "platform/afx/collections.h"
#include "platform/afx/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT template_id, UINT caption_id = 0);

    virtual BOOL OnSetActive() { return TRUE; }
    // Leaving the page: FALSE keeps it (its data did not validate).
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    // Applying the sheet; the default ends in OnOK.
    virtual BOOL OnApply();
    void OnOK() override {}
    void OnCancel() override {}
    void SetModified(BOOL changed = TRUE);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL IsModified() const { return modified_; }
    CString m_strCaption;

private:
    friend class CPropertySheet;
    CPropertySheet* sheet_ = nullptr;
    BOOL modified_ = FALSE;
};

constexpr DWORD PSH_HASHELP = 0x0200;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr UINT ID_APPLY_NOW = 0x3021;

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT first_page = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return pages_.GetSize(); }
    CPropertyPage* GetPage(int index) const { return pages_[index]; }
    CPropertyPage* GetActivePage() const { return active_ >= 0 ? pages_[active_] : nullptr; }
    int GetActiveIndex() const { return active_; }
    // Switches pages when the current one lets go; FALSE otherwise.
    BOOL SetActivePage(int index);
    // IDOK or IDCANCEL.
    LONG_PTR DoModal();
    // Ends DoModal with `result` (IDOK applies the pages first).
    void EndDialog(int result);
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override {}

    struct {
        DWORD dwFlags = 0;
    } m_psh;

    afx_msg void OnOKCommand();
    afx_msg void OnCancelCommand() { EndDialog(IDCANCEL); }
    afx_msg void OnApplyCommand();
    afx_msg void OnClose() { EndDialog(IDCANCEL); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend class CPropertyPage;
    BOOL apply_all();
    void update_apply_button();
    // Gives the keyboard to the active page's first control when no shown control has it.
    void focus_page(bool turning);
    BOOL create_sheet(CWnd* owner);
    CString caption_;
    CWnd* parent_;
    CTypedPtrArray<CPtrArray, CPropertyPage*> pages_;
    int first_page_;
    int active_ = -1;
    bool ended_ = false;
    LONG_PTR result_ = IDCANCEL;
};
