// Dialogs from templates, their navigation and the standard controls.
#include <cstring>
#include <string>

#include "platform/gdi/surface_dc.h"
#include "platform/res/compiler/resource_parser.h"
#include "platform/user/tests/user_fixture.h"
#include "platform/user/window_table.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

constexpr const char* kTemplates = R"(
dialog 100 "Settings" 0 0 200 120
  font 8 "Kit Test Cells"
  ltext 0xFFFF "&Name:" 4 4 30 8
  edittext 10 "" 40 4 100 12
  checkbox 11 "&Loud" 4 20 60 10
  radiobutton 12 "&Red" 4 34 60 10 group tabstop
  radiobutton 13 "&Green" 4 46 60 10
  radiobutton 14 "&Blue" 4 58 60 10
  pushbutton 15 "&Apply" 4 80 40 14 group disabled
  defpushbutton 1 "OK" 60 100 40 14 group
  pushbutton 2 "Cancel" 110 100 40 14
end
dialog 102 "Colour" 0 0 120 80
  font 8 "Kit Test Cells"
  groupbox 30 "Colour" 4 4 100 50
  radiobutton 31 "&Red" 10 16 60 10 group tabstop
  radiobutton 32 "&Blue" 10 30 60 10
end
dialog 101 "Notes" 0 0 200 120
  font 8 "Kit Test Cells"
  edittext 20 "" 4 4 100 30 multiline vscroll tabstop
  edittext 21 "" 4 40 100 30 multiline wantreturn vscroll tabstop
  defpushbutton 1 "OK" 60 100 40 14 group tabstop
  pushbutton 2 "Cancel" 110 100 40 14 tabstop
end
)";

class DialogTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        gdi::set_test_font_everywhere(true);
        auto parsed = kit::res::parse_resources(kTemplates, "dialog_test");
        ASSERT_TRUE(parsed.ok());
        module_ = std::move(parsed.module);
        kit::res::register_module(&module_);
        commands().clear();
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        kit::res::unregister_module(&module_);
        gdi::set_test_font_everywhere(false);
        UserTest::TearDown();
    }

    static std::vector<int>& commands() {
        static std::vector<int> list;
        return list;
    }

    // Records clicks; OK and Cancel end the dialog with their id.
    static LONG_PTR proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) return TRUE;
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        commands().push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }

    // A modeless copy, shown and active, for stepping through navigation.
    HWND open() {
        owner_ = make_top();
        HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(100), owner_, proc);
        ShowWindow(dialog, SW_SHOW);
        pump();
        return dialog;
    }

    void run(HWND dialog) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessage(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }

    kit::res::Module module_;
    HWND owner_ = nullptr;
};

TEST_F(DialogTest, ControlsArePlacedInDialogUnitsOfTheTemplateFont) {
    HWND dialog = open();
    // The test font at 8 points is 11 pixels high and 5 or 6 wide: base units follow it.
    LONG base = GetDialogBaseUnits();
    (void)base;
    RECT r{4, 4, 34, 12};
    MapDialogRect(dialog, &r);
    HWND label = GetWindow(dialog, GW_CHILD);
    RECT placed;
    GetWindowRect(label, &placed);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(placed.left - origin.x, r.left);
    EXPECT_EQ(placed.top - origin.y, r.top);
    EXPECT_EQ(placed.right - placed.left, r.right - r.left);
    EXPECT_EQ(GetDlgItem(dialog, 10), GetFocus());  // the first tab stop
}

TEST_F(DialogTest, TabOrderSkipsDisabledControlsAndWraps) {
    HWND dialog = open();
    struct Step {
        bool back;
        int expected;
    } steps[] = {{false, 11}, {false, 12}, {false, 1}, {false, 2}, {false, 10}, {true, 2}, {true, 1}};
    for (const auto& s : steps) {
        if (s.back) {
            display.chord(VK_SHIFT, VK_TAB);
        } else {
            display.press(VK_TAB);
        }
        run(dialog);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), s.expected);
    }
}

TEST_F(DialogTest, ArrowsMoveWithinARadioGroupAndCheck) {
    HWND dialog = open();
    SetFocus(GetDlgItem(dialog, 12));
    run(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED);
    display.press(VK_DOWN);
    display.press(VK_DOWN);
    run(dialog);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 14);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), 0u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_CHECKED);
    display.press(VK_DOWN);  // wraps inside the group
    run(dialog);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 12);
}

TEST_F(DialogTest, EnterPressesTheDefaultOrTheFocusedButtonAndEscapeCancels) {
    struct Case {
        const char* name;
        std::function<void(HWND)> prepare;
        int key;
        std::vector<int> expected;
    } cases[] = {
        {"enter in the edit", [](HWND d) { SetFocus(GetDlgItem(d, 10)); }, VK_RETURN, {IDOK}},
        {"enter on a push button", [](HWND d) { SetFocus(GetDlgItem(d, 2)); }, VK_RETURN, {IDCANCEL}},
        {"default moved",
         [](HWND d) {
             SendMessage(d, DM_SETDEFID, 2, 0);
             SetFocus(GetDlgItem(d, 10));
         },
         VK_RETURN,
         {IDCANCEL}},
        {"escape", [](HWND d) { SetFocus(GetDlgItem(d, 11)); }, VK_ESCAPE, {IDCANCEL}},
        {"enter on a radio button", [](HWND d) { SetFocus(GetDlgItem(d, 13)); }, VK_RETURN, {IDOK}},
    };
    for (const auto& c : cases) {
        HWND dialog = open();
        c.prepare(dialog);
        commands().clear();
        display.press(c.key);
        run(dialog);
        EXPECT_EQ(commands(), c.expected) << c.name;
        DestroyWindow(dialog);
        DestroyWindow(owner_);
    }
}

// A multi-line edit keeps Return only when it asked for it; Tab, Shift+Tab
// and Escape stay the dialog's. Its bar is enabled once its lines overflow.
TEST_F(DialogTest, AMultiLineEditLeavesTabAndEscapeToTheDialog) {
    owner_ = make_top();
    HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(101), owner_, proc);
    ShowWindow(dialog, SW_SHOW);
    pump();
    HWND notes = GetDlgItem(dialog, 20), wants_return = GetDlgItem(dialog, 21);
    SetFocus(notes);
    display.press(VK_TAB);
    run(dialog);
    EXPECT_EQ(GetFocus(), wants_return);
    display.chord(VK_SHIFT, VK_TAB);
    run(dialog);
    EXPECT_EQ(GetFocus(), notes);

    commands().clear();
    SetFocus(wants_return);
    display.type("a");
    display.press(VK_RETURN);
    display.type("b");
    run(dialog);
    char text[16] = "";
    GetWindowText(wants_return, text, sizeof text);
    EXPECT_STREQ(text, "a\r\nb");
    EXPECT_TRUE(commands().empty());

    // All lines fit: the bar is there but disabled; overflowing, it scrolls.
    auto bar_disabled = [&] { return kit::user::find_window(notes)->vscroll.disabled; };
    SetWindowText(notes, "one line");
    EXPECT_TRUE(bar_disabled());
    SetWindowText(notes, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12");
    EXPECT_FALSE(bar_disabled());
    SendMessage(notes, WM_VSCROLL, SB_BOTTOM, 0);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(notes, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 11);
    EXPECT_EQ(info.nPos + int(info.nPage), 12);

    for (int key : {VK_ESCAPE, VK_RETURN}) {  // no ES_WANTRETURN: Return is the default button's
        HWND again = CreateDialog(nullptr, MAKEINTRESOURCE(101), owner_, proc);
        ShowWindow(again, SW_SHOW);
        SetFocus(GetDlgItem(again, 20));
        commands().clear();
        display.press(key);
        run(again);
        EXPECT_EQ(commands(), std::vector<int>{key == VK_ESCAPE ? IDCANCEL : IDOK});
        DestroyWindow(again);
    }
}

// The group box lies over its radio buttons; a click goes through it to them.
TEST_F(DialogTest, AClickOnAGroupBoxReachesTheRadioButtonBeneath) {
    owner_ = make_top();
    HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(102), owner_, proc);
    ShowWindow(dialog, SW_SHOW);
    pump();
    HWND blue = GetDlgItem(dialog, 32);
    RECT r{};
    GetWindowRect(blue, &r);
    POINT inside{r.left + 4, r.top + 4};
    EXPECT_EQ(WindowFromPoint(inside), GetDlgItem(dialog, 30));  // the box is on top
    ScreenToClient(blue, &inside);
    run(dialog);
    commands().clear();
    display.click(blue, inside);
    run(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 32), BST_CHECKED);
    EXPECT_EQ(GetFocus(), blue);
    EXPECT_EQ(commands(), std::vector<int>{32});
    // Inside the frame but over no control, the click reaches the dialog.
    display.click(dialog, POINT{200, 200});
    run(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 32), BST_CHECKED);
}

TEST_F(DialogTest, MnemonicsClickButtonsAndLabelsLeadToTheirControl) {
    HWND dialog = open();
    SetFocus(GetDlgItem(dialog, 11));
    display.chord(VK_MENU, 'L');  // the check box
    run(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), BST_CHECKED);
    display.chord(VK_MENU, 'N');  // the label before the edit
    run(dialog);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 10);
    display.chord(VK_MENU, 'A');  // a disabled button does not answer
    run(dialog);
    EXPECT_EQ(std::count(commands().begin(), commands().end(), 15), 0);
}

TEST_F(DialogTest, ModalDialogRunsUntilEndDialogAndDisablesItsOwner) {
    HWND owner = make_top();
    static HWND seen_owner;
    static bool owner_enabled_inside;
    display.then([] {
        owner_enabled_inside = IsWindowEnabled(seen_owner);
        inject_key_press(VK_RETURN);
    });
    seen_owner = owner;
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(100), owner, proc), IDOK);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(999), owner, proc), -1);
}

TEST_F(DialogTest, QuitEndsAModalDialogAndIsPostedAgain) {
    HWND owner = make_top();
    PostQuitMessage(6);
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(100), owner, proc), IDCANCEL);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 6u);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, AScriptAnswersMessageBoxesAndDialogs) {
    HWND owner = make_top();
    std::vector<std::string> asked;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        asked.push_back(q.message_box ? q.caption + ": " + q.text : "dialog " + std::to_string(q.template_id));
        if (q.message_box) return q.text.find("Save") != std::string::npos ? IDNO : IDOK;
        SetDlgItemText(q.dialog, 10, "scripted");
        return IDOK;
    });
    EXPECT_EQ(MessageBox(owner, "Save changes?", "Corvel", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(MessageBox(owner, "Done.", nullptr, MB_OK), IDOK);
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(100), owner, proc), IDOK);
    EXPECT_EQ(asked, (Log{"Corvel: Save changes?", "Error: Done.", "dialog 100"}));
}

TEST_F(DialogTest, AMessageBoxWithoutScriptTakesInjectedKeys) {
    HWND owner = make_top();
    display.then([] {
        inject_key_press(VK_RIGHT);
        inject_key_press(VK_RETURN);
    });
    EXPECT_EQ(MessageBox(owner, "Really?", "Question", MB_YESNO | MB_DEFBUTTON2),
              IDYES);  // from No, Right wraps to Yes
    display.then([] { inject_key_press(VK_ESCAPE); });
    EXPECT_EQ(MessageBox(owner, "Note", "Info", MB_OK), IDOK);
}

class EditTest : public DialogTest {
protected:
    HWND make_edit(DWORD style) {
        HWND top = make_top();
        HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 150, 60, top,
                                   reinterpret_cast<HMENU>(std::uintptr_t(5)), nullptr, nullptr);
        SetFocus(edit);
        pump();
        return edit;
    }
    static std::string text_of(HWND hwnd) {
        char buffer[256];
        GetWindowText(hwnd, buffer, sizeof buffer);
        return buffer;
    }
};

TEST_F(EditTest, TypingEditingAndNotifications) {
    HWND edit = make_edit(ES_AUTOHSCROLL);
    static Log codes;
    codes.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
        if (m == WM_COMMAND && HIWORD(w) == EN_CHANGE) codes.push_back("change");
        return 0;
    });
    display.type("Hello");
    display.press(VK_LEFT);
    display.press(VK_BACK);
    display.chord(VK_SHIFT, VK_HOME);
    pump();
    EXPECT_EQ(text_of(edit), "Helo");
    EXPECT_EQ(codes.size(), 6u);
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    // Cut and paste through the clipboard.
    display.chord(VK_SHIFT, VK_DELETE);
    display.press(VK_END);
    display.chord(VK_SHIFT, VK_INSERT);
    pump();
    EXPECT_EQ(text_of(edit), "oHel");
}

TEST_F(EditTest, LimitsNumbersAndReadOnly) {
    HWND edit = make_edit(ES_NUMBER);
    SendMessage(edit, EM_LIMITTEXT, 3, 0);
    display.type("1a2b34");
    pump();
    EXPECT_EQ(text_of(edit), "123");
    SendMessage(edit, EM_SETREADONLY, TRUE, 0);
    display.press(VK_BACK);
    pump();
    EXPECT_EQ(text_of(edit), "123");
}

TEST_F(EditTest, MultiLineTextKeepsCrLfAndArrowsMoveByLine) {
    HWND edit = make_edit(ES_MULTILINE | ES_WANTRETURN);
    display.type("ab\ncd");
    display.press(VK_UP);
    display.type("X");
    pump();
    EXPECT_EQ(text_of(edit), "abX\r\ncd");
    EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(EditTest, ADoubleByteCharacterIsNeverSplit) {
    HWND edit = make_edit(0);
    SetWindowText(edit,
                  "a\xB0\xA1"
                  "b");  // a, one GBK character, b
    SendMessage(edit, EM_SETSEL, 4, 4);
    display.press(VK_LEFT);
    display.press(VK_BACK);  // the caret stands before b: the whole character goes
    pump();
    EXPECT_EQ(text_of(edit), "ab");
}

TEST_F(DialogTest, ListBoxSortsSelectsAndNotifies) {
    HWND top = make_top();
    HWND list = CreateWindowEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT, 0, 0, 100, 60, top,
                               reinterpret_cast<HMENU>(std::uintptr_t(7)), nullptr, nullptr);
    for (const char* s : {"pear", "apple", "Fig"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    char text[16];
    SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Fig");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
    static int changes;
    changes = 0;
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
        if (m == WM_COMMAND && HIWORD(w) == LBN_SELCHANGE) ++changes;
        return 0;
    });
    SetFocus(list);
    display.press(VK_DOWN);
    display.press(VK_DOWN);
    display.press('P');
    pump();
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(changes, 3);
    SendMessage(list, LB_SETCURSEL, 0, 0);  // no notification from the program's own change
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("FIG")), 1);
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(text)), LB_ERR);
}

TEST_F(DialogTest, ComboBoxChangesByKeysAndByItsDropDown) {
    HWND top = make_top();
    HWND combo = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 100, 20, top,
                                reinterpret_cast<HMENU>(std::uintptr_t(8)), nullptr, nullptr);
    for (const char* s : {"one", "two", "three"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    static std::vector<int> picks;
    picks.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM l, bool*) -> LRESULT {
        if (m == WM_COMMAND && HIWORD(w) == CBN_SELCHANGE) {
            picks.push_back(int(SendMessage(reinterpret_cast<HWND>(l), CB_GETCURSEL, 0, 0)));
        }
        return 0;
    });
    SetFocus(combo);
    display.press(VK_DOWN);
    pump();
    display.press(VK_F4);  // opens the list; the loop takes the next keys
    display.press(VK_DOWN);
    display.press(VK_DOWN);
    display.press(VK_RETURN);
    pump();
    display.press(VK_F4);
    display.press(VK_UP);
    display.press(VK_ESCAPE);  // cancels the drop-down: nothing changes
    pump();
    EXPECT_EQ(picks, (std::vector<int>{0, 2}));
    char text[16];
    GetWindowText(combo, text, sizeof text);
    EXPECT_STREQ(text, "three");
    EXPECT_EQ(GetCapture(), nullptr);
}

// CB_LIMITTEXT bounds what the user types into a combo box's field; 0 lifts the bound.
TEST_F(DialogTest, AComboBoxTakesTypedTextUpToItsLimit) {
    HWND top = make_top();
    HWND combo = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 100,
                                100, top, reinterpret_cast<HMENU>(std::uintptr_t(8)), nullptr, nullptr);
    const auto text = [&] {
        char buffer[32] = {};
        GetWindowText(combo, buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(SendMessage(combo, CB_LIMITTEXT, 4, 0), TRUE);
    SetFocus(combo);
    display.type("abcdefg");
    pump();
    EXPECT_EQ(text(), "abcd");
    EXPECT_EQ(SendMessage(combo, CB_LIMITTEXT, 0, 0), TRUE);
    display.type("xyz");
    pump();
    EXPECT_EQ(text(), "abcdxyz");
    // A drop-down list has no field to type into: the limit changes nothing there.
    HWND list = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 30, 100, 100, top,
                               reinterpret_cast<HMENU>(std::uintptr_t(9)), nullptr, nullptr);
    SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("longer item"));
    EXPECT_EQ(SendMessage(list, CB_LIMITTEXT, 2, 0), TRUE);
    SendMessage(list, CB_SETCURSEL, 0, 0);
    char chosen[32] = {};
    GetWindowText(list, chosen, sizeof chosen);
    EXPECT_STREQ(chosen, "longer item");
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(DialogTest, TrackbarMovesByKeysAndDragAndReportsItsPosition) {
    HWND top = make_top();
    HWND bar = CreateWindowEx(0, TRACKBAR_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 116, 20, top,
                              reinterpret_cast<HMENU>(std::uintptr_t(1021)), nullptr, nullptr);
    SendMessage(bar, TBM_SETRANGE, TRUE, MAKELPARAM(50, 1500));
    SendMessage(bar, TBM_SETPOS, TRUE, 5000);  // clamped
    EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 1500);
    SendMessage(bar, TBM_SETPOS, TRUE, 500);
    static std::vector<std::string> reports;
    reports.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
        if (m == WM_HSCROLL) reports.push_back(std::to_string(LOWORD(w)) + "@" + std::to_string(HIWORD(w)));
        return 0;
    });
    SetFocus(bar);
    display.press(VK_RIGHT);
    display.press(VK_END);
    pump();
    EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 1500);
    // Drag the thumb from the right end to the left end.
    display.button(bar, POINT{108, 10}, true);
    display.move(bar, POINT{0, 10});
    display.button(bar, POINT{0, 10}, false);
    pump();
    EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(reports, (std::vector<std::string>{"1@0", "8@0", "7@0", "8@0", "5@50", "4@50", "8@0"}));
}

TEST_F(DialogTest, ProgressBarClampsAndWrapsWhenStepping) {
    HWND top = make_top();
    HWND bar =
        CreateWindowEx(0, PROGRESS_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 10, top, nullptr, nullptr, nullptr);
    SendMessage(bar, PBM_SETRANGE32, 0, 30);
    SendMessage(bar, PBM_SETSTEP, 20, 0);
    SendMessage(bar, PBM_STEPIT, 0, 0);
    SendMessage(bar, PBM_STEPIT, 0, 0);  // 40 is past 30: starts again at 10
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 10);
    SendMessage(bar, PBM_SETPOS, 99, 0);
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 30);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(DialogTest, TabControlAsksBeforeChangingAndTellsAfter) {
    HWND top = make_top();
    HWND tabs = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE, 0, 0, 180, 100, top,
                               reinterpret_cast<HMENU>(std::uintptr_t(1010)), nullptr, nullptr);
    for (const char* name : {"Code Listing", "Data Listing", "Third"}) {
        TCITEM item{TCIF_TEXT, 0, 0, const_cast<char*>(name), 0, 0, 0};
        SendMessage(tabs, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 0);
    static std::vector<std::string> heard;
    static bool refuse = false;
    heard.clear();
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM l, bool* handled) -> LRESULT {
        if (m != WM_NOTIFY) return 0;
        auto* header = reinterpret_cast<NMHDR*>(l);
        heard.push_back(header->code == TCN_SELCHANGING ? "changing" : "change");
        *handled = true;
        return header->code == TCN_SELCHANGING && refuse;
    });
    SetFocus(tabs);
    display.press(VK_RIGHT);
    pump();
    EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
    refuse = true;
    RECT third;
    SendMessage(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    display.click(tabs, POINT{third.left + 3, third.top + 3});
    pump();
    refuse = false;
    EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"changing", "change", "changing"}));
    char text[32];
    TCITEM item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
    ASSERT_TRUE(SendMessage(tabs, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Data Listing");
    RECT page{0, 0, 180, 100};
    SendMessage(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    EXPECT_GT(page.top, third.bottom);
}

}  // namespace
}  // namespace user_test
