#include "uikit/frames/doc_templates.h"

#include <cstring>
#include <functional>

IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

namespace {

bool has_type_name(CDocTemplate* tmpl, const char* name) {
    CString type;
    tmpl->GetDocString(type, CDocTemplate::regFileTypeName);
    return std::strcmp(type, name ? name : "") == 0;
}

// Keeps the templates the test accepts.
void keep_if(CPtrList& list, const std::function<bool(CDocTemplate*)>& keep) {
    for (POSITION p = list.GetHeadPosition(); p;) {
        const POSITION at = p;
        if (!keep(static_cast<CDocTemplate*>(list.GetNext(p)))) list.RemoveAt(at);
    }
}

}  // namespace

BOOL SECDocTemplateUtils::ListAllTemplates(CPtrList& list) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    for (POSITION p = app->GetFirstDocTemplatePosition(); p;) list.AddTail(app->GetNextDocTemplate(p));
    return TRUE;
}

int SECDocTemplateUtils::GetTemplateIndex(CDocTemplate* tmpl, const char* name) {
    CPtrList list;
    if (!tmpl || !ListAllTemplates(list)) return -1;
    int index = 0;
    for (POSITION p = list.GetHeadPosition(); p;) {
        auto* each = static_cast<CDocTemplate*>(list.GetNext(p));
        if (!has_type_name(each, name)) continue;
        if (each == tmpl) return index;
        ++index;
    }
    return -1;
}

CDocTemplate* SECDocTemplateUtils::GetTemplate(const char* name, int index) {
    CPtrList list;
    ListAllTemplates(list);
    CDocTemplate* last = nullptr;
    for (POSITION p = list.GetHeadPosition(); p;) {
        auto* each = static_cast<CDocTemplate*>(list.GetNext(p));
        if (!has_type_name(each, name)) continue;
        last = each;
        if (index-- == 0) break;
    }
    return last;
}

CRuntimeClass* SECDocTemplateUtils::GetFrameClass(CDocTemplate* tmpl, BOOL dockable) {
    if (!tmpl) return nullptr;
    if (!dockable) return tmpl->m_pFrameClass;
    return tmpl->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate))
               ? static_cast<SECMultiDocTemplate*>(tmpl)->m_pDockableFrameClass
               : nullptr;
}

void SECDocTemplateUtils::FilterByViewAndFrame(CPtrList& list, CView* view, CFrameWnd* frame) {
    keep_if(list, [&](CDocTemplate* tmpl) {
        CRuntimeClass* frame_class = frame->GetRuntimeClass();
        return tmpl->m_pViewClass == view->GetRuntimeClass() &&
               (GetFrameClass(tmpl, FALSE) == frame_class || GetFrameClass(tmpl, TRUE) == frame_class);
    });
}

void SECDocTemplateUtils::FilterByResource(CPtrList& list, CFrameWnd* frame) {
    const UINT id = GetFrameResourceId(frame);
    keep_if(list, [id](CDocTemplate* tmpl) { return tmpl->m_nIDResource == id; });
}

void SECDocTemplateUtils::FilterByDocument(CPtrList& list, CDocument* doc) {
    keep_if(list, [doc](CDocTemplate* tmpl) { return tmpl->m_pDocClass == doc->GetRuntimeClass(); });
}

BOOL SECDocTemplateUtils::GetUniqueTemplate(CPtrList& list, CDocTemplate*& tmpl) {
    tmpl = nullptr;
    if (list.GetCount() > 1) return FALSE;
    if (list.GetCount() == 1) tmpl = static_cast<CDocTemplate*>(list.GetHead());
    return TRUE;
}

CDocTemplate* SECDocTemplateUtils::FindTemplate(CDocument* doc, CView* view, CFrameWnd* frame) {
    if (!doc || !view || !frame) return nullptr;
    CPtrList list;
    ListAllTemplates(list);
    CDocTemplate* found = nullptr;
    // After each narrowing a single template left is the answer.
    const auto single = [&] { return list.GetCount() == 1 && GetUniqueTemplate(list, found); };
    FilterByViewAndFrame(list, view, frame);
    if (single()) return found;
    FilterByResource(list, frame);
    if (single()) return found;
    FilterByDocument(list, doc);
    if (single()) return found;
    if (list.IsEmpty()) return nullptr;
    if (list.Find(doc->GetDocTemplate())) return doc->GetDocTemplate();
    return static_cast<CDocTemplate*>(list.GetHead());
}
