// The list-box editor: its layout, the decision table of in-place edits and
// row commands, the notices to the dialog, drag reordering and the folder
// variant's chooser, with its picture.
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "testing/temp_dir.h"
#include "uikit/controls/list_box_drag.h"
#include "uikit/controls/list_box_editor.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

constexpr UINT kListId = 1300;
constexpr UINT kAfterId = 1301;
using Rows = std::vector<std::string>;

// A dialog that keeps the list box's WM_COMMAND codes.
class Dialog : public CWnd {
public:
    std::vector<UINT> codes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == kListId) codes.push_back(HIWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ListBoxEditorTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(dialog.CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, parent.m_hWnd, nullptr));
        dialog.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        ControlsTest::TearDown();
    }
    // The dialog's list box (not yet wrapped by any object) and an edit after it in the tab order.
    HWND make_list(const Rows& rows, DWORD extra_style = 0) {
        const HWND list = ::CreateWindowEx(0, "LISTBOX", "Include folders",
                                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                                               LBS_NOINTEGRALHEIGHT | extra_style,
                                           10, 10, 240, 150, dialog.m_hWnd, HMENU(UINT_PTR(kListId)), nullptr, nullptr);
        ::CreateWindowEx(0, "EDIT", "after", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 10, 180, 240, 20,
                         dialog.m_hWnd, HMENU(UINT_PTR(kAfterId)), nullptr, nullptr);
        for (const std::string& row : rows) ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        return list;
    }
    Rows rows(const SECListBoxEditor& e) const {
        Rows out;
        CListBox* list = e.GetListBoxCtrl();
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            out.emplace_back(text.str());
        }
        return out;
    }
    // Codes other than the posted selection notices.
    std::vector<UINT> row_codes() const {
        std::vector<UINT> out;
        for (UINT code : dialog.codes)
            if (code != LBN_SELCHANGE) out.push_back(code);
        return out;
    }
    void edit_row(SECListBoxEditor& e, int row, const char* text, int key) {
        e.GetListBoxCtrl()->SetCurSel(row);
        e.EditItem(0);
        ASSERT_NE(e.GetEdit(), nullptr);
        e.GetEdit()->SetWindowText(text);
        display.press(key);
        pump();
    }
    Dialog dialog;
};

TEST_F(ListBoxEditorTest, InitializeSplitsThePlaceholderIntoHeaderAndListWithATrailingRow) {
    make_list({});
    SECListBoxEditor e;
    EXPECT_FALSE(e.Initialize(&dialog, 4321, 0xF3E));
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    EXPECT_EQ(rows(e), Rows{""});  // exactly one empty row
    CRect header, list;
    e.GetWindowRect(&header);
    e.GetListBoxCtrl()->GetWindowRect(&list);
    dialog.ScreenToClient(&header);
    dialog.ScreenToClient(&list);
    const int gap = 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(header, CRect(10, 10, 250, 10 + e.GetHeaderHeight()));
    EXPECT_EQ(list, CRect(10, header.bottom + gap, 250, 160));
    EXPECT_GE(e.GetHeaderHeight(), SECListBoxEditor::kButtonCy + 2);
    EXPECT_STREQ(e.GetWindowText(), "Include folders");
    // Buttons from the right edge leftwards: Move Down rightmost, New leftmost.
    for (int i = 0; i < SECListBoxEditor::kButtonCount; ++i) {
        EXPECT_EQ(e.GetButtonRect(i), CRect(240 - 16 * (4 - i), 0, 240 - 16 * (3 - i), e.GetHeaderHeight())) << i;
    }
    EXPECT_EQ(::GetWindow(e.m_hWnd, GW_HWNDNEXT), e.GetListBoxCtrl()->m_hWnd);
    EXPECT_EQ(e.GetToolTipCtrl().GetToolCount(), 4);
    pump();
    EXPECT_EQ(dialog.codes, std::vector<UINT>{LBN_SELCHANGE});
}

TEST_F(ListBoxEditorTest, DecisionTableOfEditsAndRowCommands) {
    using Act = std::function<void(SECListBoxEditor&)>;
    struct Case {
        const char* what;
        Rows before;
        DWORD style;
        Act act;
        Rows after;
        std::vector<UINT> codes;  // deleted (10) and moved (11) notices
        int selected;
    };
    const DWORD trailing = 0xF3E, plain = 0xF3E | SECListBoxEditor::kNoTrailingRow;
    const auto edit = [this](int row, const char* text, int key = VK_RETURN) {
        return Act([=, this](SECListBoxEditor& e) { edit_row(e, row, text, key); });
    };
    const auto select_then = [](int row, void (SECListBoxEditor::*command)()) {
        return Act([=](SECListBoxEditor& e) {
            e.GetListBoxCtrl()->SetCurSel(row);
            (e.*command)();
        });
    };
    const auto new_row = [this](const char* text, int key) {
        return Act([=, this](SECListBoxEditor& e) {
            e.NewItem();
            ASSERT_NE(e.GetEdit(), nullptr);
            EXPECT_TRUE(e.GetEdit()->IsNewRow());
            e.GetEdit()->SetWindowText(text);
            display.press(key);
            pump();
        });
    };
    const Case cases[] = {
        {"edit a row", {"a", "b"}, trailing, edit(0, "x"), {"x", "b", ""}, {}, 0},
        {"edit keeps an unchanged row", {"a", "b"}, trailing, edit(1, "b"), {"a", "b", ""}, {}, 1},
        {"empty edit deletes", {"a", "b"}, trailing, edit(0, ""), {"b", ""}, {10}, 0},
        {"blank edit deletes", {"a", "b"}, trailing, edit(1, "   "), {"a", ""}, {10}, 1},
        {"escape keeps the text", {"a", "b"}, trailing, edit(0, "x", VK_ESCAPE), {"a", "b", ""}, {}, 0},
        {"typing in the trailing row adds a row", {"a"}, trailing, edit(1, "b"), {"a", "b", ""}, {}, 1},
        {"trailing row left empty stays", {"a"}, trailing, edit(1, ""), {"a", ""}, {}, 1},
        {"new row", {"a"}, trailing, new_row("n", VK_RETURN), {"a", "n", ""}, {}, 1},
        {"new row left empty goes", {"a"}, trailing, new_row("", VK_RETURN), {"a", ""}, {10}, 1},
        {"new row escaped goes", {"a", "b"}, trailing, new_row("n", VK_ESCAPE), {"a", "b", ""}, {}, -2},
        {"new row without trailing row", {"a"}, plain, new_row("n", VK_RETURN), {"a", "n"}, {}, 1},
        {"last row emptied without trailing row", {"a", "b"}, plain, edit(1, ""), {"a"}, {10}, 0},
        {"delete",
         {"a", "b", "c"},
         trailing,
         select_then(1, &SECListBoxEditor::DeleteSelectedItems),
         {"a", "c", ""},
         {10},
         1},
        {"delete never takes the trailing row",
         {"a"},
         trailing,
         select_then(1, &SECListBoxEditor::DeleteSelectedItems),
         {"a", ""},
         {},
         1},
        {"delete the last row without trailing row",
         {"a", "b"},
         plain,
         select_then(1, &SECListBoxEditor::DeleteSelectedItems),
         {"a"},
         {10},
         0},
        {"move up",
         {"a", "b", "c"},
         trailing,
         select_then(2, &SECListBoxEditor::MoveItemUp),
         {"a", "c", "b", ""},
         {11},
         1},
        {"move up at the top",
         {"a", "b"},
         trailing,
         select_then(0, &SECListBoxEditor::MoveItemUp),
         {"a", "b", ""},
         {},
         0},
        {"move down",
         {"a", "b", "c"},
         trailing,
         select_then(0, &SECListBoxEditor::MoveItemDown),
         {"b", "a", "c", ""},
         {11},
         1},
        {"move down before the trailing row",
         {"a", "b"},
         trailing,
         select_then(1, &SECListBoxEditor::MoveItemDown),
         {"a", "b", ""},
         {},
         1},
        {"trailing row does not move up",
         {"a", "b"},
         trailing,
         select_then(2, &SECListBoxEditor::MoveItemUp),
         {"a", "b", ""},
         {},
         2},
        {"move down at the end without trailing row",
         {"a", "b"},
         plain,
         select_then(1, &SECListBoxEditor::MoveItemDown),
         {"a", "b"},
         {},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HWND list = make_list(c.before);
        {
            SECListBoxEditor e;
            ASSERT_TRUE(e.Initialize(&dialog, kListId, c.style));
            e.GetListBoxCtrl()->SetCurSel(0);
            pump();
            dialog.codes.clear();
            c.act(e);
            pump();
            EXPECT_EQ(e.GetEdit(), nullptr);
            EXPECT_EQ(rows(e), c.after);
            EXPECT_EQ(row_codes(), c.codes);
            if (c.selected != -2) {
                EXPECT_EQ(e.GetListBoxCtrl()->GetCurSel(), c.selected);
            }
        }
        ::DestroyWindow(list);
        ::DestroyWindow(::GetDlgItem(dialog.m_hWnd, int(kAfterId)));
    }
}

TEST_F(ListBoxEditorTest, NoticesCarryTheRowsAndEscapeOnANewRowRestoresTheSelection) {
    make_list({"a", "b", "c"});
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    e.GetListBoxCtrl()->SetCurSel(2);
    e.MoveItemUp();
    EXPECT_EQ(e.GetLastMovedFrom(), 2);
    EXPECT_EQ(e.GetLastMovedTo(), 1);
    e.GetListBoxCtrl()->SetCurSel(0);
    e.DeleteSelectedItems();
    EXPECT_EQ(e.GetLastDeleted(), 0);
    e.GetListBoxCtrl()->SetCurSel(1);
    e.NewItem();
    EXPECT_EQ(e.GetListBoxCtrl()->GetCurSel(), 2);  // the new row is selected while edited
    display.press(VK_ESCAPE);
    pump();
    EXPECT_EQ(rows(e), (Rows{"c", "b", ""}));
    EXPECT_EQ(e.GetListBoxCtrl()->GetCurSel(), 1);
}

TEST_F(ListBoxEditorTest, KeysAndHeaderButtonsRunTheCommands) {
    make_list({"a", "b", "c"});
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3F));
    CListBox* list = e.GetListBoxCtrl();
    list->SetFocus();
    list->SetCurSel(0);
    display.chord(VK_MENU, VK_DOWN);
    pump();
    EXPECT_EQ(rows(e), (Rows{"b", "a", "c", ""}));
    display.press(VK_DELETE);
    pump();
    EXPECT_EQ(rows(e), (Rows{"b", "c", ""}));
    // Typing a character starts an edit with it; Return writes the row.
    list->SetCurSel(0);
    display.type("z");
    pump();
    ASSERT_NE(e.GetEdit(), nullptr);
    EXPECT_STREQ(e.GetEdit()->GetWindowText(), "z");
    display.press(VK_RETURN);
    pump();
    EXPECT_EQ(rows(e), (Rows{"z", "c", ""}));
    // Down in the edit finishes it and moves on.
    display.press(VK_F2);
    pump();
    ASSERT_NE(e.GetEdit(), nullptr);
    display.type("q");
    display.press(VK_DOWN);
    pump();
    EXPECT_EQ(e.GetEdit(), nullptr);
    EXPECT_EQ(rows(e), (Rows{"q", "c", ""}));
    EXPECT_EQ(list->GetCurSel(), 1);

    // A press released over the button runs it; one released outside does not.
    const CRect up = e.GetButtonRect(SECListBoxEditor::kUp);
    display.click(e.m_hWnd, up.CenterPoint());
    pump();
    EXPECT_EQ(rows(e), (Rows{"c", "q", ""}));
    display.then([&] {
        display.move(e.m_hWnd, POINT{2, 2});
        display.button(e.m_hWnd, POINT{2, 2}, false);
    });
    display.button(e.m_hWnd, e.GetButtonRect(SECListBoxEditor::kDelete).CenterPoint(), true);
    pump();
    EXPECT_EQ(rows(e), (Rows{"c", "q", ""}));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ListBoxEditorTest, RefillKeepsTheTrailingRow) {
    make_list({"a"});
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    e.RefillRows({"/usr/include", "/opt/kit"});
    EXPECT_EQ(rows(e), (Rows{"/usr/include", "/opt/kit", ""}));
    e.RefillRows({});
    EXPECT_EQ(rows(e), Rows{""});
}

TEST_F(ListBoxEditorTest, DropPositions) {
    struct Case {
        int y;
        int target;
    };
    // Rows of 10 pixels, four rows of text and the trailing row, which counts as the row before it.
    for (const Case& c : {Case{2, 0}, Case{6, 1}, Case{14, 1}, Case{35, 4}, Case{42, 4}, Case{90, 4}}) {
        EXPECT_EQ(DragTarget(c.y, 0, 10, 5, true), c.target) << c.y;
    }
    EXPECT_EQ(DragTarget(36, 0, 10, 4, false), -1);
    EXPECT_EQ(DragTarget(26, 0, 10, 4, false), 3);
    EXPECT_EQ(DragTarget(4, 2, 10, 8, true), 2);  // scrolled by two rows
    struct Drop {
        int source, target, count;
        bool trailing;
        int index;
    };
    for (const Drop& d :
         {Drop{0, -1, 5, true, 3}, Drop{0, -1, 4, false, 3}, Drop{3, 0, 5, true, 0}, Drop{1, 3, 5, true, 2},
          Drop{1, 1, 5, true, -1}, Drop{1, 2, 5, true, -1}, Drop{1, -2, 5, true, -1}}) {
        EXPECT_EQ(DropIndex(d.source, d.target, d.count, d.trailing), d.index) << d.source << " to " << d.target;
    }
}

TEST_F(ListBoxEditorTest, DraggingMovesARowAfterTheDelayOnlyAndEscapeCancels) {
    make_list({"a", "b", "c", "d"});
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    CListBox* list = e.GetListBoxCtrl();
    const int h = list->GetItemHeight(0);
    const auto drag = [&](int from_row, int to_y, std::uint64_t held_ms, bool escape) {
        display.advance(1000);  // no double click with the press before
        display.then([&, to_y, held_ms, escape] {
            display.move(list->m_hWnd, POINT{40, to_y});
            display.advance(held_ms);
            display.move(list->m_hWnd, POINT{41, to_y});
            if (escape) display.press(VK_ESCAPE);
            display.button(list->m_hWnd, POINT{41, to_y}, false);
        });
        display.button(list->m_hWnd, POINT{40, from_row * h + h / 2}, true);
        pump();
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(display.steps_left(), 0u);
    };
    dialog.codes.clear();
    drag(0, 2 * h + h - 2, 300, false);  // lower half of "c": after it
    EXPECT_EQ(rows(e), (Rows{"b", "c", "a", "d", ""}));
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(row_codes(), std::vector<UINT>{11});
    EXPECT_EQ(e.GetLastMovedFrom(), 0);
    EXPECT_EQ(e.GetLastMovedTo(), 2);
    drag(3, 4 * h + 2, 300, false);  // onto the trailing row: stays before it
    EXPECT_EQ(rows(e), (Rows{"b", "c", "a", "d", ""}));
    drag(3, 1, 300, false);  // to the top
    EXPECT_EQ(rows(e), (Rows{"d", "b", "c", "a", ""}));
    drag(0, 3 * h + h - 1, 100, false);  // released too soon
    EXPECT_EQ(rows(e), (Rows{"d", "b", "c", "a", ""}));
    drag(0, 3 * h + h - 1, 300, true);  // Escape
    EXPECT_EQ(rows(e), (Rows{"d", "b", "c", "a", ""}));
    // The trailing row does not move: its press starts no drag.
    display.advance(1000);
    display.button(list->m_hWnd, POINT{40, 4 * h + h / 2}, true);
    pump();
    EXPECT_EQ(::GetCapture(), nullptr);
    display.button(list->m_hWnd, POINT{40, 1}, false);
    pump();
    EXPECT_EQ(rows(e), (Rows{"d", "b", "c", "a", ""}));

    // WM_QUIT ends the drag and is posted again.
    display.advance(1000);
    display.then([&] { ::PostQuitMessage(7); });
    display.button(list->m_hWnd, POINT{40, h / 2}, true);
    MSG msg;
    bool quit = false;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = msg.wParam == 7;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ListBoxEditorTest, FolderRowsGetABrowseButtonThatOpensTheChooser) {
    testing_kit::TempDir dir;
    std::filesystem::create_directories(dir / "inc");
    make_list({dir.path().string()});
    SECListBoxDirEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E & ~DWORD(SECListBoxEditor::kEdit)));
    EXPECT_TRUE(e.GetEditorStyle() & SECListBoxEditor::kEdit);
    std::string shown, caption;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        char text[1024] = {};
        GetDlgItemText(q.dialog, CFolderDialog::kPathEdit, text, sizeof text);
        shown = text;
        GetWindowText(q.dialog, text, sizeof text);
        caption = text;
        SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, (dir / "inc").c_str());
        return IDOK;
    });
    e.GetListBoxCtrl()->SetCurSel(0);
    e.EditItem(0);
    ASSERT_NE(e.GetEdit(), nullptr);
    CButton* browse = e.GetBrowseButton();
    ASSERT_NE(browse, nullptr);
    CRect edit_rect, button_rect;
    e.GetEdit()->GetWindowRect(&edit_rect);
    browse->GetWindowRect(&button_rect);
    EXPECT_EQ(edit_rect.right, button_rect.left);
    EXPECT_EQ(edit_rect.top, button_rect.top);
    display.press(VK_F2);  // the browse button opens
    pump();
    EXPECT_EQ(shown, dir.path().string());
    EXPECT_EQ(caption, "Select Directory");
    ASSERT_NE(e.GetEdit(), nullptr);
    EXPECT_STREQ(e.GetEdit()->GetWindowText(), ((dir / "inc").string() + "/").c_str());
    e.GetEdit()->SetFocus();
    display.press(VK_RETURN);
    pump();
    EXPECT_EQ(e.GetBrowseButton(), nullptr);
    EXPECT_EQ(rows(e), (Rows{(dir / "inc").string() + "/", ""}));
}

TEST_F(ListBoxEditorTest, Pictures) {
    make_list({"/usr/include", "/opt/kit/include", "../common"});
    SECListBoxDirEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    e.GetListBoxCtrl()->SetCurSel(1);
    parent.MoveWindow(0, 0, 270, 210);
    shoot(e.m_hWnd, "list_box_editor");
    e.EditItem(0);
    shoot(e.m_hWnd, "list_box_editor_editing");
}

TEST_F(ListBoxEditorTest, MultipleSelectionDeletesEverySelectedRowAndMovesOnlyOne) {
    make_list({"a", "b", "c", "d"}, LBS_EXTENDEDSEL);
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    CListBox* list = e.GetListBoxCtrl();
    list->SetSel(0, TRUE);
    list->SetSel(2, TRUE);
    list->SetSel(4, TRUE);  // the trailing row stops the deleting, and stays
    e.MoveItemDown();       // more than one selected: no move
    EXPECT_EQ(rows(e), (Rows{"a", "b", "c", "d", ""}));
    dialog.codes.clear();
    e.DeleteSelectedItems();
    EXPECT_EQ(rows(e), (Rows{"b", "d", ""}));
    EXPECT_EQ(row_codes(), (std::vector<UINT>{10, 10}));
    list->SetSel(-1, FALSE);
    list->SetSel(1, TRUE);
    e.MoveItemUp();
    EXPECT_EQ(rows(e), (Rows{"d", "b", ""}));
    EXPECT_EQ(list->GetSel(0), 1);
    EXPECT_EQ(list->GetSelCount(), 1);
}

TEST_F(ListBoxEditorTest, TabAClickOrLosingTheFocusFinishesTheEdit) {
    make_list({"a", "b", "c"});
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3F));
    CListBox* list = e.GetListBoxCtrl();
    // Tab writes the row and moves to the next tab stop after the list, its text selected.
    list->SetCurSel(0);
    e.EditItem('x');
    display.press(VK_TAB);
    pump();
    EXPECT_EQ(e.GetEdit(), nullptr);
    EXPECT_EQ(rows(e), (Rows{"x", "b", "c", ""}));
    const HWND after = ::GetDlgItem(dialog.m_hWnd, int(kAfterId));
    EXPECT_EQ(::GetFocus(), after);
    EXPECT_EQ(::SendMessage(after, EM_GETSEL, 0, 0), LRESULT(MAKELONG(0, 5)));
    // A click in the list ends the edit first; an emptied edit is dropped as with Escape.
    list->SetCurSel(1);
    e.EditItem(0);
    e.GetEdit()->SetWindowText("");
    display.advance(1000);
    display.click(list->m_hWnd, POINT{20, 2});
    pump();
    EXPECT_EQ(e.GetEdit(), nullptr);
    EXPECT_EQ(rows(e), (Rows{"x", "b", "c", ""}));
    // The focus going elsewhere finishes it like Return.
    list->SetCurSel(1);
    e.EditItem('y');
    ::SetFocus(after);
    pump();
    EXPECT_EQ(e.GetEdit(), nullptr);
    EXPECT_EQ(rows(e), (Rows{"x", "y", "c", ""}));
}

TEST_F(ListBoxEditorTest, DragBelowTheListScrollsItFasterTheLongerItStays) {
    Rows many;
    for (int i = 0; i < 40; ++i) many.push_back("row " + std::to_string(i));
    make_list(many);
    SECListBoxEditor e;
    ASSERT_TRUE(e.Initialize(&dialog, kListId, 0xF3E));
    CListBox* list = e.GetListBoxCtrl();
    CRect client;
    list->GetClientRect(&client);
    std::vector<int> tops;
    display.then([&] {
        display.advance(SECListBoxDragWnd::kDragDelayMs);
        display.move(list->m_hWnd, POINT{40, client.bottom + 5});
    });
    for (int step = 0; step < 20; ++step) {
        display.then([&] {
            display.advance(50);
            tops.push_back(list->GetTopIndex());
        });
    }
    display.then([&] { display.press(VK_ESCAPE); });
    display.button(list->m_hWnd, POINT{40, 2}, true);
    pump();
    ASSERT_EQ(tops.size(), 20u);
    // One row at once, the next after 250 ms, then ever sooner down to every 50 ms.
    EXPECT_EQ(tops[0], 1);
    EXPECT_EQ(tops[4], 1);
    EXPECT_EQ(tops[5], 2);
    EXPECT_GT(tops[19] - tops[14], 2);
    EXPECT_EQ(rows(e).front(), "row 0");  // Escape moved nothing
    EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace
