#include "tools/afxdemo/demo.h"

#include "platform/res/resources.h"

const kit::res::Module& afxdemo_resources();

namespace afxdemo {

// ---- notes ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(NoteDoc, CDocument)

BEGIN_MESSAGE_MAP(NoteDoc, CDocument)
ON_COMMAND(ID_EDIT_BOLD, OnEditBold)
ON_UPDATE_COMMAND_UI(ID_EDIT_BOLD, OnUpdateEditBold)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_BOLD, OnUpdateBoldIndicator)
ON_COMMAND(ID_EDIT_PROPS, OnEditProps)
END_MESSAGE_MAP()

void NoteDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << title << LONG(width) << LONG(bold);
    } else {
        LONG w, b;
        ar >> title >> w >> b;
        width = w;
        bold = b;
    }
}

void NoteDoc::OnEditBold() {
    bold = !bold;
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void NoteDoc::OnUpdateEditBold(CCmdUI* cmd_ui) { cmd_ui->SetCheck(bold); }

void NoteDoc::OnUpdateBoldIndicator(CCmdUI* cmd_ui) { cmd_ui->Enable(bold); }

void NoteDoc::OnEditProps() {
    NotePropsDialog dialog;
    dialog.title = title;
    dialog.width = width;
    dialog.bold = bold;
    if (dialog.DoModal() != IDOK) return;
    title = dialog.title;
    width = dialog.width;
    bold = dialog.bold;
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void NotePropsDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_TITLE, title);
    DDV_MaxChars(dx, title, 20);
    DDX_Text(dx, IDC_WIDTH, width);
    DDV_MinMaxInt(dx, width, 1, 99);
    DDX_Check(dx, IDC_BOLD, bold);
}

IMPLEMENT_DYNCREATE(NoteView, CView)

void NoteView::OnDraw(CDC* dc) {
    const NoteDoc* doc = GetNoteDoc();
    if (!doc) return;
    CRect area;
    GetClientRect(&area);
    dc->FillSolidRect(&area, RGB(255, 255, 240));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    const CString line = AfxFormat("%s (%d)", doc->title.str().c_str(), doc->width);
    dc->TextOut(8, 8, line);
    if (doc->bold) dc->TextOut(9, 8, line);  // bold by overstriking, as with the fixed test font
    dc->FillSolidRect(8, 28, doc->width * 2, 4, RGB(0, 0, 160));
}

// ---- sketches ---------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SketchDoc, CDocument)

BEGIN_MESSAGE_MAP(SketchDoc, CDocument)
ON_COMMAND(ID_EDIT_SKETCH_OPTIONS, OnSketchOptions)
END_MESSAGE_MAP()

void SketchDoc::OnSketchOptions() {
    CPropertySheet sheet("Sketch options");
    ColourPage colour_page;
    SizePage size_page;
    colour_page.colour = colour;
    colour_page.doc = this;
    size_page.size = size;
    size_page.doc = this;
    sheet.AddPage(&colour_page);
    sheet.AddPage(&size_page);
    sheet.DoModal();
}

BOOL ColourPage::OnApply() {
    doc->colour = colour;
    doc->UpdateAllViews(nullptr);
    return CPropertyPage::OnApply();
}

void SizePage::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_SIZE, size);
    DDV_MinMaxInt(dx, size, 10, 80);
}

BOOL SizePage::OnApply() {
    doc->size = size;
    doc->UpdateAllViews(nullptr);
    return CPropertyPage::OnApply();
}

IMPLEMENT_DYNCREATE(SketchView, CView)

void SketchView::OnDraw(CDC* dc) {
    const auto* doc = static_cast<SketchDoc*>(GetDocument());
    if (!doc) return;
    CRect area;
    GetClientRect(&area);
    dc->FillSolidRect(&area, RGB(255, 255, 255));
    CBrush fill(doc->colour ? RGB(0, 0, 200) : RGB(200, 0, 0));
    CBrush* old = dc->SelectObject(&fill);
    dc->Ellipse(CRect(10, 10, 10 + doc->size, 10 + doc->size));
    dc->SelectObject(old);
}

// ---- bars and the main frame --------------------------------------------------------

BOOL PaletteBar::Create(CWnd* parent) {
    return create_bar("Palette", WS_CHILD | WS_VISIBLE, CBRS_LEFT | CBRS_GRIPPER, parent, ID_PALETTE_BAR);
}

CSize PaletteBar::CalcFixedLayout(BOOL stretch, BOOL horz) { return CSize(34, stretch ? 32767 : 120); }

void PaletteBar::DoPaint(CDC* dc) {
    CRect inside;
    GetClientRect(&inside);
    DrawBorders(dc, inside);
    static const COLORREF swatches[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(0, 0, 0)};
    int y = inside.top + 4;
    for (COLORREF swatch : swatches) {
        dc->FillSolidRect(inside.left + 2, y, 16, 16, swatch);
        y += 20;
    }
}

IMPLEMENT_DYNCREATE(MainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND_EX(ID_VIEW_PALETTE, OnViewPalette)
ON_UPDATE_COMMAND_UI(ID_VIEW_PALETTE, OnUpdateViewPalette)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_BOLD, OnUpdateBoldIndicator)
END_MESSAGE_MAP()

int MainFrame::OnCreate(CREATESTRUCT* cs) {
    if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {0, ID_INDICATOR_BOLD};
    if (!toolbar.Create(this) || !toolbar.LoadToolBar(IDR_MAINFRAME)) return -1;
    toolbar.SetBarStyle(toolbar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    if (!status_bar.Create(this) || !status_bar.SetIndicators(indicators, 2)) return -1;
    if (!palette.Create(this)) return -1;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return 0;
}

void MainFrame::OnClose() {
    SaveBarState(kBarStateName);
    CMDIFrameWnd::OnClose();
}

void MainFrame::OnUpdateViewPalette(CCmdUI* cmd_ui) { cmd_ui->SetCheck(palette.IsVisible()); }

// ---- the application ------------------------------------------------------------------

BEGIN_MESSAGE_MAP(DemoApp, CWinApp)
ON_COMMAND(ID_FILE_NEW_NOTE, OnNewNote)
ON_COMMAND(ID_FILE_NEW_SKETCH, OnNewSketch)
END_MESSAGE_MAP()

BOOL DemoApp::InitInstance() {
    static const bool registered = (kit::res::register_module(&afxdemo_resources()), true);
    (void)registered;
    SetRegistryKey("Afxdemo");
    LoadStdProfileSettings(4);
    note_template =
        new CMultiDocTemplate(IDR_NOTE, RUNTIME_CLASS(NoteDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(NoteView));
    sketch_template = new CMultiDocTemplate(IDR_SKETCH, RUNTIME_CLASS(SketchDoc), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(SketchView));
    AddDocTemplate(note_template);
    AddDocTemplate(sketch_template);
    auto* frame = new MainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME)) return FALSE;
    m_pMainWnd = frame;
    frame->LoadBarState(kBarStateName);
    frame->SetWindowPos(nullptr, 20, 20, 560, 400, SWP_NOZORDER);
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    return TRUE;
}

void DemoApp::OnNewNote() { note_template->OpenDocumentFile(nullptr); }
void DemoApp::OnNewSketch() { sketch_template->OpenDocumentFile(nullptr); }

}  // namespace afxdemo
