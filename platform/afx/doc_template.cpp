#include "platform/afx/doc_template.h"

#include "platform/afx/app.h"
#include "platform/afx/document.h"
#include "platform/afx/frame.h"
#include "platform/afx/view.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resource_id, CRuntimeClass* doc_class, CRuntimeClass* frame_class,
                           CRuntimeClass* view_class)
    : m_nIDResource(resource_id), m_pDocClass(doc_class), m_pFrameClass(frame_class), m_pViewClass(view_class) {
    m_strDocStrings.LoadString(resource_id);
}

CDocTemplate::~CDocTemplate() {
    while (!documents_.IsEmpty()) {
        auto* doc = static_cast<CDocument*>(documents_.RemoveHead());
        doc->m_pDocTemplate = nullptr;
        delete doc;
    }
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
    text.Empty();
    int start = 0;
    for (int i = 0; i < int(index); ++i) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    const int end = m_strDocStrings.Find('\n', start);
    text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !text.IsEmpty();
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* path, CDocument*& open_document) {
    open_document = nullptr;
    for (POSITION p = GetFirstDocPosition(); p;) {
        CDocument* doc = GetNextDoc(p);
        if (doc->GetPathName().CompareNoCase(path) == 0) {
            open_document = doc;
            return yesAlreadyOpen;
        }
    }
    CString extension;
    if (GetDocString(extension, filterExt)) {
        const CString name(path);
        const int dot = name.ReverseFind('.');
        if (dot >= 0 && name.Mid(dot).CompareNoCase(extension) == 0) return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::GetNextDoc(POSITION& position) const {
    return static_cast<CDocument*>(const_cast<CPtrList&>(documents_).GetNext(position));
}

void CDocTemplate::AddDocument(CDocument* doc) {
    if (!doc || documents_.Find(doc)) return;
    documents_.AddTail(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc) {
    if (POSITION p = documents_.Find(doc)) documents_.RemoveAt(p);
    if (doc && doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* made = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!made || !made->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete made;
        return nullptr;
    }
    auto* doc = static_cast<CDocument*>(made);
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* made = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!made || !made->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete made;
        return nullptr;
    }
    auto* frame = static_cast<CFrameWnd*>(made);
    CWnd* main = AfxGetMainWnd();
    // A failed LoadFrame has deleted the frame already.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main, &context)) return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL make_visible) {
    frame->InitialUpdateFrame(doc, make_visible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc) {
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty()) name = "Untitled";
    doc->SetTitle(AfxFormat("%s%u", name.str().c_str(), ++untitled_count_));
}

CDocument* CDocTemplate::OpenDocumentFile(const char* path, BOOL make_visible) {
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox("Failed to create empty document.", MB_ICONEXCLAMATION);
        return nullptr;
    }
    const BOOL auto_delete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;  // the frame failing must not take the document with it yet
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = auto_delete;
    if (!frame) {
        AfxMessageBox("Failed to create the document's window.", MB_ICONEXCLAMATION);
        delete doc;
        return nullptr;
    }
    const bool opened = path ? doc->OnOpenDocument(path) : doc->OnNewDocument();
    if (!opened) {
        frame->DestroyWindow();  // takes the document with its last view
        return nullptr;
    }
    if (path) {
        doc->SetPathName(path);
    } else {
        SetDefaultTitle(doc);
    }
    InitialUpdateFrame(frame, doc, make_visible);
    return doc;
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION p = GetFirstDocPosition(); p;)
        if (!GetNextDoc(p)->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    while (!documents_.IsEmpty()) {
        auto* doc = static_cast<CDocument*>(documents_.GetHead());
        doc->OnCloseDocument();
        // A document that is not deleted on close is dropped from the list here.
        if (!documents_.IsEmpty() && documents_.GetHead() == doc) RemoveDocument(doc);
    }
}

CMultiDocTemplate::CMultiDocTemplate(UINT resource_id, CRuntimeClass* doc_class, CRuntimeClass* frame_class,
                                     CRuntimeClass* view_class)
    : CDocTemplate(resource_id, doc_class, frame_class, view_class) {
    m_hMenuShared = ::LoadMenu(nullptr, MAKEINTRESOURCE(resource_id));
    m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(resource_id));
}

CMultiDocTemplate::~CMultiDocTemplate() {
    if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
}
