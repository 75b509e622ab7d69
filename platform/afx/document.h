#pragma once
// CDocument: the data behind one or more views, read and written through
// CArchive by Serialize. Saving writes a temporary file beside the target
// and renames it over, so a failed save leaves the old file whole.
#include "platform/afx/byte_string.h"
#include "platform/afx/cmd_target.h"
#include "platform/afx/collections.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const char* path, BOOL add_to_recent = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    // ---- views ----
    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& position) const;
    // Calls OnUpdate of every view but `sender` with the hint.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hint_object = nullptr);
    void ActivateFirstView();

    // ---- life cycle ----
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // Asks whether to save a modified document: FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual void PreCloseFrame(CFrameWnd*) {}
    // Saves under `path`, or asks for a name when it is null.
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(const char* path, CException* error, BOOL saving, UINT default_prompt);
    // The message of a file that could not be saved or opened: its name and the reason.
    static void ReportFileFailure(const char* path, const char* reason, BOOL saving);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileSave() { DoFileSave(); }
    afx_msg void OnFileSaveAs() { DoSave(nullptr); }
    afx_msg void OnFileClose();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

protected:
    CDocument() = default;
    DECLARE_MESSAGE_MAP()
};
