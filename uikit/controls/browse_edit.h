#pragma once
// Browse edits: an edit of a dialog with a small "..." button at its right
// end. Pressing the button runs the edit's Browse, which writes a choice into
// the edit; SECBrowseDirEdit chooses a folder with SECDirSelectDlg. The
// button follows the edit: enabled, shown and destroyed with it.
#include "platform/afx/afx.h"

class SECBrowseEditBase;

// The first control id from 32767 downwards that `parent` has no child for (0 when all are taken).
UINT FirstFreeControlId(const CWnd* parent);

class SECBrowseButton : public CButton {
    DECLARE_DYNAMIC(SECBrowseButton)
public:
    static constexpr int kWidth = 25;  // the edit gives up one pixel more, as a gap

    // Narrows `edit` and puts the button over the right end of its former
    // rectangle, just after it in the z-order. FALSE when the window cannot be made.
    BOOL CreateBeside(SECBrowseEditBase* edit);
    UINT GetId() const { return id_; }
    SECBrowseEditBase* GetEdit() const { return edit_; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override { delete this; }

private:
    SECBrowseEditBase* edit_ = nullptr;
    UINT id_ = 0;
};

class SECBrowseEditBase : public CEdit {
    DECLARE_DYNAMIC(SECBrowseEditBase)
public:
    SECBrowseEditBase() = default;
    ~SECBrowseEditBase() override;

    // Takes over the dialog's edit `id` and puts the button beside it, enabled
    // as the edit was. FALSE (and no button) when there is no such control.
    virtual BOOL Initialize(UINT id, CWnd* parent);
    // Runs the chooser; the base has none.
    virtual void Browse() {}

    SECBrowseButton* GetButton() const { return button_; }
    const CString& GetTitle() const { return title_; }
    void SetTitle(const char* title) { title_ = title; }

protected:
    void DestroyButton();
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    SECBrowseButton* button_ = nullptr;  // deletes itself once its window is gone
    CString title_;
};

// The folder chooser. Both modes run the platform's folder dialog; the
// chosen folder comes back with a trailing "/" (the root is "/").
class SECDirSelectDlg {
public:
    enum : UINT { kFileDialogMode = 0x1 };
    SECDirSelectDlg(UINT mode, const char* title, const char* initial_folder, CWnd* owner);
    // Always the file-dialog mode.
    SECDirSelectDlg(const char* title, CWnd* owner, const char* initial_folder);
    virtual ~SECDirSelectDlg() = default;

    // IDOK with a folder chosen, else IDCANCEL.
    virtual int DoModal();
    void GetPath(CString& path) const { path = path_; }
    UINT GetMode() const { return mode_; }
    // Asks for a folder starting at `path` (the current folder when empty);
    // TRUE with the chosen one in `path`.
    virtual BOOL BrowseForFolder(CString& path);

private:
    UINT mode_;
    CString title_;
    CString initial_;
    CWnd* owner_;
    CString path_;
};

// What a browse edit's text gives the chooser as its first folder: the text
// with one trailing separator removed (a bare drive "C:" is the root), as an
// existing folder of this system with "/" separators; empty otherwise.
CString BrowseStartFolder(const CString& text);

class SECBrowseDirEdit : public SECBrowseEditBase {
    DECLARE_DYNAMIC(SECBrowseDirEdit)
public:
    static constexpr const char* kTitle = "Select Directory";
    SECBrowseDirEdit();
    void Browse() override;

    UINT m_nMode = SECDirSelectDlg::kFileDialogMode;
};
