#pragma once
// Finding document templates for frames, views and documents: used when a
// saved layout brings back MDI children and when a frame shows the menu of
// its template. SECMultiDocTemplate adds the frame class its frames use when
// they are dockable frames; its presence among the application's templates
// turns the frame's first system-command filter on.
#include "platform/afx/afx.h"

class SECMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(SECMultiDocTemplate)
public:
    SECMultiDocTemplate(UINT resource_id, CRuntimeClass* doc_class, CRuntimeClass* frame_class,
                        CRuntimeClass* view_class, CRuntimeClass* dockable_frame_class = nullptr)
        : CMultiDocTemplate(resource_id, doc_class, frame_class, view_class),
          m_pDockableFrameClass(dockable_frame_class) {}
    CRuntimeClass* m_pDockableFrameClass;
};

class SECDocTemplateUtils {
public:
    virtual ~SECDocTemplateUtils() = default;
    // The 0-based index of the template among those whose file-type name is `name`; -1 when not among them.
    virtual int GetTemplateIndex(CDocTemplate* tmpl, const char* name);
    // The index-th template of that file-type name, the last one when there are fewer; null when none.
    virtual CDocTemplate* GetTemplate(const char* name, int index);
    // The template that made this document, view and frame, narrowed step by step.
    virtual CDocTemplate* FindTemplate(CDocument* doc, CView* view, CFrameWnd* frame);
    virtual UINT GetFrameResourceId(CFrameWnd* frame) { return frame ? frame->m_nIDHelp : 0; }
    virtual BOOL ListAllTemplates(CPtrList& list);
    virtual void FilterByViewAndFrame(CPtrList& list, CView* view, CFrameWnd* frame);
    virtual void FilterByResource(CPtrList& list, CFrameWnd* frame);
    virtual void FilterByDocument(CPtrList& list, CDocument* doc);
    // An empty list gives null and TRUE, one entry gives it and TRUE, more give FALSE.
    virtual BOOL GetUniqueTemplate(CPtrList& list, CDocTemplate*& tmpl);
    virtual CRuntimeClass* GetFrameClass(CDocTemplate* tmpl, BOOL dockable);
};
