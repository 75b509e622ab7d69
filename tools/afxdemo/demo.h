#pragma once
// afxdemo: a small MDI program on the framework. Notes and sketches are two
// document types; the main frame has a menu, a toolbar, a status bar and a
// palette bar docked at the left; notes have a properties dialog with data
// exchange, sketches a property sheet.
#include "platform/afx/afx.h"

namespace afxdemo {

enum : UINT {
    IDR_MAINFRAME = 128,
    IDR_NOTE = 129,
    IDR_SKETCH = 130,
    IDD_NOTE_PROPS = 200,
    IDD_PAGE_LOOK = 201,
    IDD_PAGE_SIZE = 202,
    IDC_TITLE = 1000,
    IDC_WIDTH = 1001,
    IDC_BOLD = 1002,
    IDC_COLOUR_RED = 1003,
    IDC_SIZE = 1005,
    ID_FILE_NEW_NOTE = 0x8001,
    ID_FILE_NEW_SKETCH = 0x8002,
    ID_EDIT_BOLD = 0x8003,
    ID_EDIT_PROPS = 0x8004,
    ID_EDIT_SKETCH_OPTIONS = 0x8005,
    ID_VIEW_PALETTE = 0x8006,
    ID_INDICATOR_BOLD = 0x8007,
    ID_PALETTE_BAR = 0xE810,
};

class NoteDoc : public CDocument {
    DECLARE_DYNCREATE(NoteDoc)
public:
    CString title = "Shopping";
    int width = 12;
    int bold = 0;
    void Serialize(CArchive& ar) override;
    afx_msg void OnEditBold();
    afx_msg void OnUpdateEditBold(CCmdUI* cmd_ui);
    afx_msg void OnUpdateBoldIndicator(CCmdUI* cmd_ui);
    afx_msg void OnEditProps();
    DECLARE_MESSAGE_MAP()
};

class NoteView : public CView {
    DECLARE_DYNCREATE(NoteView)
public:
    void OnDraw(CDC* dc) override;
    NoteDoc* GetNoteDoc() const { return static_cast<NoteDoc*>(GetDocument()); }
};

class SketchDoc : public CDocument {
    DECLARE_DYNCREATE(SketchDoc)
public:
    int colour = 0;  // 0 red, 1 blue
    int size = 40;
    afx_msg void OnSketchOptions();
    DECLARE_MESSAGE_MAP()
};

class SketchView : public CView {
    DECLARE_DYNCREATE(SketchView)
public:
    void OnDraw(CDC* dc) override;
};

// The note's properties: its title (at most 20 characters), width (1-99) and boldness.
class NotePropsDialog : public CDialog {
public:
    explicit NotePropsDialog(CWnd* parent = nullptr) : CDialog(IDD_NOTE_PROPS, parent) {}
    CString title;
    int width = 0;
    int bold = 0;
    void DoDataExchange(CDataExchange* dx) override;
};

class ColourPage : public CPropertyPage {
public:
    ColourPage() : CPropertyPage(IDD_PAGE_LOOK) {}
    int colour = 0;
    SketchDoc* doc = nullptr;
    void DoDataExchange(CDataExchange* dx) override { DDX_Radio(dx, IDC_COLOUR_RED, colour); }
    BOOL OnApply() override;
};

class SizePage : public CPropertyPage {
public:
    SizePage() : CPropertyPage(IDD_PAGE_SIZE) {}
    int size = 0;
    SketchDoc* doc = nullptr;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnApply() override;
};

// A fixed-width bar of colour swatches.
class PaletteBar : public CControlBar {
public:
    BOOL Create(CWnd* parent);
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

protected:
    void DoPaint(CDC* dc) override;
};

class MainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(MainFrame)
public:
    CToolBar toolbar;
    CStatusBar status_bar;
    PaletteBar palette;
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnClose();
    afx_msg BOOL OnViewPalette(UINT id) { return OnBarCheck(ID_PALETTE_BAR); }
    afx_msg void OnUpdateViewPalette(CCmdUI* cmd_ui);
    // Reached only when no note is active: the indicator is off.
    afx_msg void OnUpdateBoldIndicator(CCmdUI* cmd_ui) { cmd_ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

class DemoApp : public CWinApp {
public:
    DemoApp() : CWinApp("Afx demo") {}
    BOOL InitInstance() override;
    CMultiDocTemplate* note_template = nullptr;
    CMultiDocTemplate* sketch_template = nullptr;
    afx_msg void OnNewNote();
    afx_msg void OnNewSketch();
    DECLARE_MESSAGE_MAP()
};

// The profile section names the frame's bar layout is kept under.
inline constexpr const char* kBarStateName = "Layout";

}  // namespace afxdemo
