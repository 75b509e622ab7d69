#pragma once
// Document templates: which document, frame and view classes make up one
// kind of document, with the resource id of its menu, title and file filter.
// The resource string holds "window\nnew name\nfilter name\nfilter\n.ext\n...".
#include "platform/afx/collections.h"
#include "platform/afx/cmd_target.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;
    BOOL GetDocString(CString& text, DocStringIndex index) const;
    virtual Confidence MatchDocType(const char* path, CDocument*& open_document);

    virtual POSITION GetFirstDocPosition() const { return documents_.GetHeadPosition(); }
    virtual CDocument* GetNextDoc(POSITION& position) const;
    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    // Opens `path`, or makes a new document for a null path; the document or null.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL make_visible = TRUE);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL make_visible = TRUE);
    virtual void SetDefaultTitle(CDocument* doc);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL ending_session);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

protected:
    CDocTemplate(UINT resource_id, CRuntimeClass* doc_class, CRuntimeClass* frame_class, CRuntimeClass* view_class);
    CPtrList documents_;
    UINT untitled_count_ = 0;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT resource_id, CRuntimeClass* doc_class, CRuntimeClass* frame_class,
                      CRuntimeClass* view_class);
    ~CMultiDocTemplate() override;
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    using CDocTemplate::CDocTemplate;
};
