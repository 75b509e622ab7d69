// Drives the sample program headless: command routing and CCmdUI enabling,
// idle layout, MDI activation and the window menu, dialog data exchange, the
// property sheet, and pictures of the frame kept as goldens.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "testing/temp_dir.h"
#include "platform/user/input_api.h"
#include "platform/user/menu_bar.h"
#include "tools/afxdemo/demo.h"
#include "tools/afxdemo/state.h"

namespace {

using namespace afxdemo;

class AfxDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1);
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        ASSERT_TRUE(app.InitInstance());
        frame = static_cast<MainFrame*>(app.m_pMainWnd);
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        // The main window's end posted WM_QUIT; the next test starts with an empty queue.
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
        gdi::set_test_font_everywhere(false);
        unsetenv("KIT_PROFILE_DIR");
    }
    // Runs the loop's idle processing as the message loop does when its queue is empty.
    void idle() { app.RunQueued(); }
    void command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    UINT button_style(UINT id) { return frame->toolbar.GetButtonStyle(frame->toolbar.CommandToIndex(id)); }
    CString window_menu_text(int index) {
        CMenu* menu = frame->GetMenu();
        CMenu* window = menu ? menu->GetSubMenu(int(menu->GetMenuItemCount()) - 2) : nullptr;
        CString text;
        if (window) window->GetMenuString(AFX_IDM_FIRST_MDICHILD + UINT(index), text, MF_BYCOMMAND);
        return text;
    }
    CRect client_rect_of(CWnd& wnd) {
        CRect area;
        wnd.GetWindowRect(&area);
        frame->ScreenToClient(&area);
        return area;
    }
    void shoot(const std::string& name) {
        EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, "tools/afxdemo/tests/golden/" + name + ".png"))
            << name;
    }

    testing_kit::TempDir profile_dir;
    kit::display::Headless display;
    DemoApp app;
    MainFrame* frame = nullptr;
};

TEST_F(AfxDemoTest, CommandsRouteToTheActiveDocumentAndEnableTheBars) {
    idle();
    // No document: the bold button has no handler anywhere and is disabled.
    EXPECT_TRUE(button_style(ID_EDIT_BOLD) & CToolBar::TBBS_DISABLED);
    EXPECT_FALSE(button_style(ID_FILE_NEW_NOTE) & CToolBar::TBBS_DISABLED);
    EXPECT_STREQ(frame->status_bar.GetPaneText(0), "Ready");
    shoot("empty");

    command(ID_FILE_NEW_NOTE);
    auto* note_frame = frame->MDIGetActive();
    ASSERT_NE(note_frame, nullptr);
    auto* note = static_cast<NoteDoc*>(note_frame->GetActiveDocument());
    ASSERT_TRUE(note && note->IsKindOf(RUNTIME_CLASS(NoteDoc)));
    EXPECT_STREQ(note->GetTitle(), "Note1");
    idle();
    EXPECT_FALSE(button_style(ID_EDIT_BOLD) & CToolBar::TBBS_DISABLED);

    // The command reaches the note through frame, child frame, view and document.
    command(ID_EDIT_BOLD);
    EXPECT_EQ(note->bold, 1);
    idle();
    EXPECT_TRUE(button_style(ID_EDIT_BOLD) & CToolBar::TBBS_CHECKED);
    EXPECT_STREQ(frame->status_bar.GetPaneText(1), "BOLD");

    command(ID_FILE_NEW_SKETCH);
    idle();
    // A sketch has no bold handler: the button is disabled and the command is dropped.
    EXPECT_TRUE(button_style(ID_EDIT_BOLD) & CToolBar::TBBS_DISABLED);
    command(ID_EDIT_BOLD);
    EXPECT_EQ(note->bold, 1);

    // A disabled menu item too, when the popup opens.
    CMenu* edit = frame->GetMenu()->GetSubMenu(1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->m_hMenu), 1);
    EXPECT_TRUE(edit->GetMenuState(ID_EDIT_BOLD, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(edit->GetMenuState(ID_EDIT_SKETCH_OPTIONS, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(AfxDemoTest, MDITilingPutsTheActiveChildFirstAndRestoresAMaximisedOne) {
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* first = frame->MDIGetActive();
    command(ID_FILE_NEW_SKETCH);
    CMDIChildWnd* second = frame->MDIGetActive();
    frame->MDIMaximize(second);
    CRect client;
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    POINT origin{0, 0};
    ::ClientToScreen(frame->m_hWndMDIClient, &origin);
    const auto place = [&](CWnd* child) {  // in the MDI client's coordinates
        CRect r;
        child->GetWindowRect(&r);
        r.OffsetRect(-origin.x, -origin.y);
        return r;
    };
    const int width = client.Width(), height = client.Height();

    command(ID_WINDOW_TILE_HORZ);
    BOOL maximized = TRUE;
    EXPECT_EQ(frame->MDIGetActive(&maximized), second);
    EXPECT_FALSE(maximized);
    EXPECT_EQ(place(second), CRect(0, 0, width, height / 2));
    EXPECT_EQ(place(first), CRect(0, height / 2, width, height));

    command(ID_WINDOW_TILE_VERT);
    EXPECT_EQ(place(second), CRect(0, 0, width / 2, height));
    EXPECT_EQ(place(first), CRect(width / 2, 0, width, height));
}

// A click on an inactive child, in its view or on its caption, activates it and brings it to the top.
TEST_F(AfxDemoTest, AClickOnAnInactiveMDIChildActivatesAndRaisesIt) {
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* note = frame->MDIGetActive();
    command(ID_FILE_NEW_SKETCH);
    CMDIChildWnd* sketch = frame->MDIGetActive();
    note->MoveWindow(0, 0, 240, 200);
    sketch->MoveWindow(120, 40, 240, 200);
    idle();
    HWND client = ::GetParent(note->m_hWnd);
    ASSERT_EQ(::GetTopWindow(client), sketch->m_hWnd);

    display.click(note->GetActiveView()->m_hWnd, POINT{20, 60});
    idle();
    EXPECT_EQ(frame->MDIGetActive(), note);
    EXPECT_EQ(::GetTopWindow(client), note->m_hWnd);
    EXPECT_EQ(::GetFocus(), note->GetActiveView()->m_hWnd);

    CRect caption;
    sketch->GetWindowRect(&caption);  // its caption, right of the note
    display.click(nullptr, POINT{caption.right - 60, caption.top + GetSystemMetrics(SM_CYFRAME) + 4});
    idle();
    EXPECT_EQ(frame->MDIGetActive(), sketch);
    EXPECT_EQ(::GetTopWindow(client), sketch->m_hWnd);
}

// A child's maximize box maximizes it inside the MDI area, which keeps it as the maximized
// child; its restore command puts it back where it was.
TEST_F(AfxDemoTest, AChildsMaximizeBoxMaximizesItInTheMDIArea) {
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* note = frame->MDIGetActive();
    note->MoveWindow(10, 10, 240, 200);
    idle();
    CRect before;
    note->GetWindowRect(&before);
    const int box_middle = GetSystemMetrics(SM_CXFRAME) + 2 + 14 + 2 + 7;  // from the right edge
    display.click(nullptr, POINT{before.right - box_middle, before.top + GetSystemMetrics(SM_CYFRAME) + 8});
    idle();
    BOOL maximized = FALSE;
    EXPECT_EQ(frame->MDIGetActive(&maximized), note);
    EXPECT_TRUE(maximized);
    CRect area;
    ::GetClientRect(::GetParent(note->m_hWnd), &area);
    CRect inside;
    note->GetClientRect(&inside);
    EXPECT_EQ(inside.Width(), area.Width());

    note->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    idle();
    frame->MDIGetActive(&maximized);
    EXPECT_FALSE(maximized);
    CRect after;
    note->GetWindowRect(&after);
    EXPECT_EQ(after, before);
}

TEST_F(AfxDemoTest, MDIActivationSwitchesMenusAndListsChildren) {
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* first = frame->MDIGetActive();
    command(ID_FILE_NEW_SKETCH);
    CMDIChildWnd* second = frame->MDIGetActive();
    ASSERT_NE(first, second);
    EXPECT_STREQ(window_menu_text(0), "&1 Note1");
    EXPECT_STREQ(window_menu_text(1), "&2 Sketch1");
    CMenu* window = frame->GetMenu()->GetSubMenu(int(frame->GetMenu()->GetMenuItemCount()) - 2);
    EXPECT_TRUE(window->GetMenuState(AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND) & MF_CHECKED);
    // The sketch menu has no properties item.
    EXPECT_EQ(frame->GetMenu()->GetSubMenu(1)->GetMenuState(ID_EDIT_PROPS, MF_BYCOMMAND), UINT(-1));

    frame->MDINext();
    EXPECT_EQ(frame->MDIGetActive(), first);
    EXPECT_NE(frame->GetMenu()->GetSubMenu(1)->GetMenuState(ID_EDIT_PROPS, MF_BYCOMMAND), UINT(-1));
    EXPECT_STREQ(frame->GetWindowText(), "Afx demo - Note1");

    // Choosing from the window menu activates that child.
    command(AFX_IDM_FIRST_MDICHILD + 1);
    EXPECT_EQ(frame->MDIGetActive(), second);

    frame->MDIMaximize(second);
    BOOL maximized = FALSE;
    frame->MDIGetActive(&maximized);
    EXPECT_TRUE(maximized);
    CRect client, child;
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    second->GetWindowRect(&child);
    EXPECT_EQ(child.Size(), client.Size());
    frame->MDINext();  // the next child comes up maximised in its place
    EXPECT_EQ(frame->MDIGetActive(&maximized), first);
    EXPECT_TRUE(maximized);
    frame->MDIRestore(first);

    command(ID_WINDOW_CASCADE);
    CRect first_place, second_place;
    first->GetWindowRect(&first_place);
    second->GetWindowRect(&second_place);
    EXPECT_GT(first_place.top, second_place.top);  // the active child is cascaded last, on top

    // Side by side for the picture: overlapping children are not part of what it shows.
    first->MoveWindow(0, 0, 240, 200);
    second->MoveWindow(250, 0, 240, 200);
    idle();
    shoot("two_documents");

    // Closing the active child activates the other and drops it from the list.
    first->SendMessage(WM_CLOSE);
    EXPECT_EQ(frame->MDIGetActive(), second);
    EXPECT_STREQ(window_menu_text(0), "&1 Sketch1");
    EXPECT_TRUE(window_menu_text(1).IsEmpty());
}

// Ctrl+F6 and Ctrl+Shift+F6 move through the children with the keyboard, Ctrl+F4 closes the
// active one; F6 and F4 without Control are left to the program's own keys.
TEST_F(AfxDemoTest, ControlF6MovesThroughTheMDIChildrenAndControlF4ClosesTheActiveOne) {
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* first = frame->MDIGetActive();
    command(ID_FILE_NEW_SKETCH);
    CMDIChildWnd* second = frame->MDIGetActive();
    command(ID_FILE_NEW_NOTE);
    CMDIChildWnd* third = frame->MDIGetActive();
    const HWND second_hwnd = second->m_hWnd;
    idle();
    ASSERT_EQ(frame->MDIGetActive(), third);
    const auto keys = [&](std::initializer_list<int> held, int key) {
        for (int modifier : held) kit::user::inject_key(modifier, true);
        display.press(key);
        for (int modifier : held) kit::user::inject_key(modifier, false);
        idle();
    };
    struct Step {
        const char* keys;
        std::initializer_list<int> held;
        int key;
        CMDIChildWnd* active;
    } steps[] = {{"Ctrl+F6", {VK_CONTROL}, VK_F6, second},
                 {"Ctrl+F6 again", {VK_CONTROL}, VK_F6, first},
                 {"Ctrl+Shift+F6", {VK_CONTROL, VK_SHIFT}, VK_F6, second},
                 {"F6", {}, VK_F6, second},
                 {"Shift+F4", {VK_SHIFT}, VK_F4, second}};
    for (const Step& step : steps) {
        keys(step.held, step.key);
        EXPECT_EQ(frame->MDIGetActive(), step.active) << step.keys;
        EXPECT_EQ(::GetFocus(), frame->MDIGetActive()->GetActiveView()->m_hWnd) << step.keys;
    }
    keys({VK_CONTROL}, VK_F4);
    EXPECT_FALSE(::IsWindow(second_hwnd));
    EXPECT_NE(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetFocus(), frame->MDIGetActive()->GetActiveView()->m_hWnd);
    keys({VK_CONTROL}, VK_F4);
    keys({VK_CONTROL}, VK_F4);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(AfxDemoTest, DelayedShowAndLayoutHappenAtIdleTime) {
    idle();
    const CRect client_with_palette = client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient));
    EXPECT_EQ(client_rect_of(frame->palette).Width(), 34);

    frame->ShowControlBar(&frame->palette, FALSE, TRUE);
    EXPECT_TRUE(frame->palette.GetStyle() & WS_VISIBLE);  // not yet
    EXPECT_FALSE(frame->palette.IsVisible());             // but reported as going
    idle();
    EXPECT_FALSE(frame->palette.GetStyle() & WS_VISIBLE);
    const CRect client_without = client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient));
    EXPECT_EQ(client_without.left, client_with_palette.left - 34);

    command(ID_VIEW_PALETTE);  // shown again at once
    EXPECT_TRUE(frame->palette.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient)), client_with_palette);

    // A layout asked for while one runs is dropped instead of recursing.
    frame->m_bInRecalcLayout = TRUE;
    frame->ShowControlBar(&frame->status_bar, FALSE, FALSE);
    EXPECT_EQ(client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient)), client_with_palette);
    frame->m_bInRecalcLayout = FALSE;
    frame->RecalcLayout();
    EXPECT_GT(client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient)).bottom, client_with_palette.bottom);
}

TEST_F(AfxDemoTest, DialogDataExchangeValidatesAndStores) {
    command(ID_FILE_NEW_NOTE);
    auto* note = static_cast<NoteDoc*>(frame->MDIGetActive()->GetActiveDocument());
    std::vector<std::string> boxes;
    int attempts = 0;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) {
            boxes.push_back(q.text);
            return IDOK;
        }
        EXPECT_EQ(q.template_id, unsigned(IDD_NOTE_PROPS));
        // The controls show the document's values.
        char text[64] = {};
        GetDlgItemText(q.dialog, IDC_TITLE, text, sizeof text);
        EXPECT_STREQ(text, "Shopping");
        GetDlgItemText(q.dialog, IDC_WIDTH, text, sizeof text);
        EXPECT_STREQ(text, "12");
        return std::nullopt;  // the dialog runs; the steps below fill it in
    });
    HWND dialog = nullptr;
    display.then([&] {
        dialog = GetActiveWindow();
        SetDlgItemText(dialog, IDC_TITLE, "Groceries");
        SetDlgItemText(dialog, IDC_WIDTH, "500");  // out of range
        CheckDlgButton(dialog, IDC_BOLD, BST_CHECKED);
        ++attempts;
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    display.then([&] {
        EXPECT_TRUE(IsWindow(dialog));  // still open after the failed check
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_WIDTH));
        SetDlgItemText(dialog, IDC_WIDTH, "42");
        ++attempts;
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    command(ID_EDIT_PROPS);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(boxes, std::vector<std::string>{"Enter an integer between 1 and 99."});
    EXPECT_STREQ(note->title, "Groceries");
    EXPECT_EQ(note->width, 42);
    EXPECT_EQ(note->bold, 1);
    EXPECT_TRUE(note->IsModified());
}

TEST_F(AfxDemoTest, PropertySheetAppliesChangedPages) {
    command(ID_FILE_NEW_SKETCH);
    auto* sketch = static_cast<SketchDoc*>(frame->MDIGetActive()->GetActiveDocument());
    CPropertySheet* sheet = nullptr;
    display.then([&] {
        CWnd* active = CWnd::FromHandlePermanent(GetActiveWindow());
        ASSERT_TRUE(active && active->IsKindOf(RUNTIME_CLASS(CPropertySheet)));
        sheet = static_cast<CPropertySheet*>(active);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW)));
        // Choosing Blue by mouse marks the page: Apply enables and takes it to the sketch.
        HWND blue = GetDlgItem(sheet->GetActivePage()->m_hWnd, IDC_COLOUR_RED + 1);
        display.click(blue, POINT{4, 4});
    });
    display.then([&] {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW)));
        display.click(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW), POINT{4, 4});
    });
    display.then([&] {
        EXPECT_EQ(sketch->colour, 1);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW)));
        // Ctrl+Tab turns to the size page, whose edit takes the keyboard; a size out of range keeps the page.
        display.chord(VK_CONTROL, VK_TAB);
        display.type("200");
    });
    kit::user::set_dialog_script([](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) return IDOK;
        return std::nullopt;
    });
    display.then([&] {
        EXPECT_EQ(sheet->GetActiveIndex(), 1);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW)));
        display.chord(VK_CONTROL, VK_TAB);
    });
    display.then([&] {
        EXPECT_EQ(sheet->GetActiveIndex(), 1);
        SetDlgItemText(sheet->GetActivePage()->m_hWnd, IDC_SIZE, "60");
        display.press(VK_RETURN);  // OK: every changed page is applied
    });
    command(ID_EDIT_SKETCH_OPTIONS);
    EXPECT_EQ(sketch->size, 60);
    EXPECT_EQ(sketch->colour, 1);
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages without typing into the controls.
TEST_F(AfxDemoTest, CtrlTabTurnsPropertyPagesWithoutTouchingTheControls) {
    command(ID_FILE_NEW_SKETCH);
    std::vector<int> pages;
    std::string size_text;
    CPropertySheet* sheet = nullptr;
    display.then([&] {
        sheet = static_cast<CPropertySheet*>(CWnd::FromHandlePermanent(GetActiveWindow()));
        display.chord(VK_CONTROL, VK_TAB);
    });
    display.then([&] {
        pages.push_back(sheet->GetActiveIndex());
        display.chord(VK_CONTROL, VK_TAB);  // wraps
    });
    display.then([&] {
        pages.push_back(sheet->GetActiveIndex());
        kit::user::inject_key(VK_CONTROL, true);
        display.chord(VK_SHIFT, VK_TAB);
        kit::user::inject_key(VK_CONTROL, false);
    });
    display.then([&] {
        pages.push_back(sheet->GetActiveIndex());
        char text[16] = "";
        GetDlgItemText(sheet->GetPage(1)->m_hWnd, IDC_SIZE, text, sizeof text);
        size_text = text;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW)));
        sheet->SendMessage(WM_COMMAND, IDCANCEL);
    });
    command(ID_EDIT_SKETCH_OPTIONS);
    EXPECT_EQ(pages, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(size_text, "40");
}

}  // namespace

namespace {

TEST_F(AfxDemoTest, DockStateSavedToTheProfileIsRestoredIntoANewFrame) {
    command(ID_VIEW_PALETTE);  // hidden
    CToolBar& toolbar = frame->toolbar;
    toolbar.SetBarStyle((toolbar.GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | CBRS_BOTTOM);
    frame->RecalcLayout();
    const CRect toolbar_place = client_rect_of(toolbar);
    const CRect status_place = client_rect_of(frame->status_bar);
    const CRect client_place = client_rect_of(*CWnd::FromHandle(frame->m_hWndMDIClient));
    EXPECT_GE(toolbar_place.top, client_place.bottom);  // now below the documents
    frame->SaveBarState(kBarStateName);

    EXPECT_EQ(app.GetProfileInt("Layout-Summary", "Bars", 0), 3u);
    bool palette_hidden = false;
    for (int i = 0; i < 3; ++i) {
        const CString section = AfxFormat("Layout-Bar%d", i);
        if (app.GetProfileInt(section, "BarID", 0) != ID_PALETTE_BAR) continue;
        palette_hidden = app.GetProfileInt(section, "Visible", 1) == 0;
        EXPECT_EQ(app.GetProfileInt(section, "MRUDockID", 0), AFX_IDW_DOCKBAR_LEFT);
    }
    EXPECT_TRUE(palette_hidden);

    auto* restored = new MainFrame;
    ASSERT_TRUE(restored->LoadFrame(IDR_MAINFRAME));
    CRect size;
    frame->GetWindowRect(&size);
    restored->SetWindowPos(nullptr, 0, 0, size.Width(), size.Height(), SWP_NOZORDER);
    restored->LoadBarState(kBarStateName);
    auto place_in = [](CFrameWnd* owner, CWnd& wnd) {
        CRect area;
        wnd.GetWindowRect(&area);
        owner->ScreenToClient(&area);
        return area;
    };
    EXPECT_EQ(place_in(restored, restored->toolbar), toolbar_place);
    EXPECT_EQ(place_in(restored, restored->status_bar), status_place);
    EXPECT_EQ(place_in(restored, *CWnd::FromHandle(restored->m_hWndMDIClient)), client_place);
    EXPECT_FALSE(restored->palette.IsVisible());
    restored->DestroyWindow();

    // A name with nothing saved keeps the default layout.
    auto* fresh = new MainFrame;
    ASSERT_TRUE(fresh->LoadFrame(IDR_MAINFRAME));
    fresh->LoadBarState("Nothing saved");
    EXPECT_TRUE(fresh->palette.IsVisible());
    fresh->DestroyWindow();
}

}  // namespace

namespace {

TEST_F(AfxDemoTest, ViewsPrintPagesThroughThePrinterDC) {
    command(ID_FILE_NEW_NOTE);
    CView* view = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(view, nullptr);
    testing_kit::TempDir pages;
    CPrintInfo info;
    info.SetMaxPage(2);
    kit::user::set_dialog_script([](const kit::user::DialogQuestion&) -> std::optional<LONG_PTR> { return IDOK; });
    ASSERT_TRUE(view->DoPreparePrinting(&info));
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 2u);
    EXPECT_EQ(view->PrintToPages(pages.path().c_str(), &info), 2);
    EXPECT_TRUE(std::filesystem::exists(pages.path() / "Note1-1.png"));
    EXPECT_TRUE(std::filesystem::exists(pages.path() / "Note1-2.png"));

    // A page range chosen in the print dialog prints those pages only.
    kit::user::set_dialog_script([](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        CheckRadioButton(q.dialog, CPrintDialog::kAllRadio, CPrintDialog::kSelectionRadio, CPrintDialog::kPagesRadio);
        SetDlgItemText(q.dialog, CPrintDialog::kFromEdit, "2");
        SetDlgItemText(q.dialog, CPrintDialog::kToEdit, "2");
        return IDOK;
    });
    testing_kit::TempDir second_only;
    CPrintInfo range;
    range.SetMaxPage(2);
    ASSERT_TRUE(view->DoPreparePrinting(&range));
    EXPECT_TRUE(range.m_bPageRange);
    EXPECT_EQ(range.GetFromPage(), 2u);
    EXPECT_EQ(range.GetToPage(), 2u);
    EXPECT_EQ(view->PrintToPages(second_only.path().c_str(), &range), 1);

    // Cancelled in the print dialog: nothing prints.
    kit::user::set_dialog_script([](const kit::user::DialogQuestion&) -> std::optional<LONG_PTR> { return IDCANCEL; });
    CPrintInfo cancelled;
    EXPECT_FALSE(view->DoPreparePrinting(&cancelled));
}

}  // namespace

namespace {

TEST_F(AfxDemoTest, ATemplateBecomesAChildDialogOfAnyWindowObject) {
    CWnd panel;
    ASSERT_TRUE(panel.CreateDlg(MAKEINTRESOURCE(IDD_PAGE_SIZE), frame));
    EXPECT_EQ(CWnd::FromHandlePermanent(panel.m_hWnd), &panel);
    EXPECT_EQ(panel.GetParent(), frame);
    EXPECT_NE(panel.GetDlgItem(IDC_SIZE), nullptr);
    EXPECT_FALSE(CWnd().CreateDlg(MAKEINTRESOURCE(0x7777), frame));  // no such template
    panel.DestroyWindow();
    EXPECT_EQ(panel.m_hWnd, nullptr);
}

}  // namespace

namespace {

// Alt+F typed again at once after a menu command, however the command was
// chosen, opens the File menu (not only highlights the menu bar).
TEST_F(AfxDemoTest, AltFRightAfterAMenuCommandOpensTheFileMenu) {
    struct Case {
        const char* name;
        void (*choose)(kit::display::Headless& display);
        bool idle_between;  // typed slowly: the program goes idle between
    };
    const Case cases[] = {
        {"by mnemonic", [](kit::display::Headless& d) { d.press('N'); }, false},
        {"by mnemonic, then idle", [](kit::display::Headless& d) { d.press('N'); }, true},
        {"by arrow and Enter, then idle",
         [](kit::display::Headless& d) {
             d.press(VK_DOWN);
             d.press(VK_RETURN);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        display.chord(VK_MENU, 'F');
        c.choose(display);
        if (c.idle_between) idle();
        display.chord(VK_MENU, 'F');
        bool open = false;
        int hot = -2;
        display.then([&] {
            open = kit::user::menu_bar_item_open(frame->m_hWnd);
            hot = kit::user::menu_bar_hot_item(frame->m_hWnd);
            display.press(VK_ESCAPE);
            display.press(VK_ESCAPE);
        });
        idle();
        EXPECT_TRUE(open);
        EXPECT_EQ(hot, 0) << "File";
        EXPECT_EQ(kit::user::menu_bar_hot_item(frame->m_hWnd), -1) << "closed again";
        EXPECT_NE(frame->MDIGetActive(), nullptr) << "the command ran";
    }
}

}  // namespace

namespace {

// The text a script on a real screen follows: what is active and in front,
// the sketch's options, and the menu bar's state.
TEST_F(AfxDemoTest, TheStateTextTellsWhatShows) {
    afxdemo::open_side_by_side(app);
    idle();
    std::string text = afxdemo::describe(*frame);
    EXPECT_NE(text.find("active sketch\ntop sketch\nsketch colour 0 size 40\nmenu closed\n"), std::string::npos)
        << text;
    const std::size_t at = text.find("note ");
    ASSERT_NE(at, std::string::npos) << text;
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_EQ(std::sscanf(text.c_str() + at, "note %d %d %d %d", &left, &top, &right, &bottom), 4) << text;
    display.click(nullptr, POINT{(left + right) / 2, (top + bottom) / 2});
    bool highlighted = false;
    kit::user::inject_key(VK_MENU, true);  // Alt alone: the bar is highlighted, no menu opens
    kit::user::inject_key(VK_MENU, false);
    display.then([&] {
        highlighted = afxdemo::describe(*frame).find("menu highlighted 0\n") != std::string::npos;
        display.press(VK_ESCAPE);
    });
    idle();
    EXPECT_TRUE(highlighted);
    text = afxdemo::describe(*frame);
    EXPECT_NE(text.find("active note\ntop note\n"), std::string::npos) << text;
    EXPECT_NE(text.find("window \"" + frame->GetWindowText().str() + "\"\n"), std::string::npos) << text;
}

}  // namespace
