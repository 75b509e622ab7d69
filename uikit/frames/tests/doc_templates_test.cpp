// Finding templates by file-type name, and the template of a document, view and frame.
#include <gtest/gtest.h>

#include "uikit/frames/doc_templates.h"

namespace {

class SourceDoc : public CDocument {
    DECLARE_DYNCREATE(SourceDoc)
};
IMPLEMENT_DYNCREATE(SourceDoc, CDocument)

class ListingDoc : public CDocument {
    DECLARE_DYNCREATE(ListingDoc)
};
IMPLEMENT_DYNCREATE(ListingDoc, CDocument)

class TextView : public CView {
    DECLARE_DYNCREATE(TextView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(TextView, CView)

class SheetFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(SheetFrame)
};
IMPLEMENT_DYNCREATE(SheetFrame, CMDIChildWnd)

class TemplateApp : public CWinApp {
public:
    TemplateApp() : CWinApp("templates") {}
    CDocTemplate* add(UINT id, CRuntimeClass* doc, CRuntimeClass* frame, const char* type_name) {
        auto* made = new SECMultiDocTemplate(id, doc, frame, RUNTIME_CLASS(TextView));
        made->m_strDocStrings = CString("\nSource\nSource\nSources\n.asm\nSource.Document\n") + type_name;
        AddDocTemplate(made);
        return made;
    }
};

TEST(DocTemplatesTest, TemplatesAreFoundByFileTypeNameAndByWhatTheyMade) {
    TemplateApp app;
    CDocTemplate* first = app.add(200, RUNTIME_CLASS(SourceDoc), RUNTIME_CLASS(SheetFrame), "Source");
    CDocTemplate* second = app.add(201, RUNTIME_CLASS(ListingDoc), RUNTIME_CLASS(SheetFrame), "Source");
    CDocTemplate* other = app.add(202, RUNTIME_CLASS(SourceDoc), RUNTIME_CLASS(CMDIChildWnd), "Map");
    SECDocTemplateUtils utils;
    EXPECT_EQ(utils.GetTemplateIndex(first, "Source"), 0);
    EXPECT_EQ(utils.GetTemplateIndex(second, "Source"), 1);
    EXPECT_EQ(utils.GetTemplateIndex(other, "Source"), -1);
    EXPECT_EQ(utils.GetTemplateIndex(nullptr, "Source"), -1);
    EXPECT_EQ(utils.GetTemplate("Source", 1), second);
    EXPECT_EQ(utils.GetTemplate("Source", 7), second);  // fewer than asked: the last one
    EXPECT_EQ(utils.GetTemplate("Nothing", 0), nullptr);

    // Two templates make sheets with text views: the frame's resource id tells them apart.
    SourceDoc doc;
    TextView view;
    SheetFrame frame;
    frame.m_nIDHelp = 201;
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &frame), second);
    frame.m_nIDHelp = 999;  // no resource matches: none is left
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &frame), nullptr);
    EXPECT_EQ(utils.FindTemplate(nullptr, &view, &frame), nullptr);
    CMDIChildWnd plain;
    plain.m_nIDHelp = 202;
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &plain), other);

    CPtrList list;
    CDocTemplate* unique = first;
    EXPECT_TRUE(utils.GetUniqueTemplate(list, unique));
    EXPECT_EQ(unique, nullptr);
    utils.ListAllTemplates(list);
    EXPECT_FALSE(utils.GetUniqueTemplate(list, unique));
}

}  // namespace
