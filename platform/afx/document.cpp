#include "platform/afx/document.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/afx/app.h"
#include "platform/afx/archive.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/file.h"
#include "platform/afx/file_dialog.h"
#include "platform/afx/frame.h"
#include "platform/afx/view.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
    // Views outliving their document must not reach back into it.
    for (POSITION p = m_viewList.GetHeadPosition(); p;)
        static_cast<CView*>(m_viewList.GetNext(p))->m_pDocument = nullptr;
}

void CDocument::SetTitle(const char* title) {
    m_strTitle = title;
    for (POSITION p = GetFirstViewPosition(); p;) {
        if (CFrameWnd* frame = GetNextView(p)->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(const char* path, BOOL add_to_recent) {
    m_strPathName = path;
    CString title = m_strPathName;
    const int slash = std::max(title.ReverseFind('/'), title.ReverseFind('\\'));
    SetTitle(title.Mid(slash + 1));
    if (add_to_recent && AfxGetApp()) AfxGetApp()->AddToRecentFileList(path);
}

void CDocument::AddView(CView* view) {
    if (!view || m_viewList.Find(view)) return;
    m_viewList.AddTail(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    POSITION p = m_viewList.Find(view);
    if (!p) return;
    m_viewList.RemoveAt(p);
    view->m_pDocument = nullptr;
    // The last view going takes an automatic document with it.
    if (m_viewList.IsEmpty() && m_bAutoDelete) OnCloseDocument();
}

CView* CDocument::GetNextView(POSITION& position) const {
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(position));
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hint_object) {
    for (POSITION p = GetFirstViewPosition(); p;) {
        CView* view = GetNextView(p);
        if (view != sender) view->OnUpdate(sender, hint, hint_object);
    }
}

void CDocument::ActivateFirstView() {
    POSITION p = GetFirstViewPosition();
    if (!p) return;
    CView* view = GetNextView(p);
    if (CFrameWnd* frame = view->GetParentFrame()) {
        frame->ActivateFrame();
        frame->SetActiveView(view);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ReportSaveLoadException(path, &error, FALSE, 0);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while loading, so a failure leaves it marked
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
    } catch (CException* load_error) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(path, load_error, FALSE, 0);
        load_error->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path) {
    // Written beside the target and renamed over it, so a failure leaves the old file whole.
    const CString temporary = AfxFormat("%s.tmp%d", path, int(::getpid()));
    CFile file;
    CFileException error;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite, &error)) {
        ReportSaveLoadException(path, &error, TRUE, 0);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
        file.Close();
        CFile::Rename(temporary, path);
    } catch (CException* save_error) {
        file.Abort();
        std::remove(temporary);
        ReportSaveLoadException(path, save_error, TRUE, 0);
        save_error->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(const char* path, CException* error, BOOL saving, UINT) {
    if (error && error->IsKindOf(RUNTIME_CLASS(CUserException))) return;  // already reported
    char reason[256] = {};
    if (error) error->GetErrorMessage(reason, sizeof reason);
    ReportFileFailure(path, reason, saving);
}

void CDocument::ReportFileFailure(const char* path, const char* reason, BOOL saving) {
    const CString text = AfxFormat("%s %s.\n%s", saving ? "Failed to save document" : "Failed to open document",
                                   path ? path : "", reason);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
    // Views destroy themselves with their frames; keep this document alive until they are gone.
    const BOOL auto_delete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->m_hWnd) {
            frame->DestroyWindow();
        } else {
            RemoveView(view);
        }
        // A view that did not go away with its frame is dropped from the list.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) RemoveView(view);
    }
    m_bAutoDelete = auto_delete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    const CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    switch (AfxMessageBox(AfxFormat("Save changes to %s?", name.str().c_str()), MB_YESNOCANCEL)) {
        case IDCANCEL: return FALSE;
        case IDYES: return DoFileSave();
        default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
    // Another frame still showing this document keeps it open without asking.
    for (POSITION p = GetFirstViewPosition(); p;) {
        CFrameWnd* other = GetNextView(p)->GetParentFrame();
        if (other && other != frame) return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::DoFileSave() {
    // A file that exists but cannot be written is saved under a new name.
    const bool read_only =
        !m_strPathName.IsEmpty() && access(m_strPathName, F_OK) == 0 && access(m_strPathName, W_OK) != 0;
    if (m_strPathName.IsEmpty() || read_only) return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const char* path, BOOL replace) {
    CString target = path;
    if (target.IsEmpty()) {
        CString extension;
        if (m_pDocTemplate) m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt);
        CFileDialog dialog(FALSE, extension.IsEmpty() ? nullptr : extension.str().c_str() + (extension[0] == '.'),
                           m_strTitle);
        if (dialog.DoModal() != IDOK) return FALSE;
        target = dialog.GetPathName();
    }
    if (!OnSaveDocument(target)) return FALSE;
    if (replace) SetPathName(target);
    return TRUE;
}

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
