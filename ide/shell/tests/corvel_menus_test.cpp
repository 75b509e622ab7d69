// Corvel's two menus and its keys against what a user is promised: menu 128
// (no source open) and menu 129 (a source open) item by item with their texts
// and key labels, each item's enabling in the five states of the IDE, every
// enabled item reaching a handler, and both key tables whole. Then what the
// items added to the menus do when chosen.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/edit_line.h"
#include "ide/shell/child_frame.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "ide/shell/watchwin/quick_watch_dlg.h"
#include "platform/afx/folder_dialog.h"
#include "platform/afx/mdi.h"
#include "platform/afx/print_dialog.h"
#include "platform/afx/splitter.h"
#include "platform/user/accelerator_api.h"
#include "platform/user/dialog_api.h"
#include "platform/user/menu_api.h"

namespace {

// The five states, in this order: no workspace, a workspace open, a build
// running, the program running under the debugger, the program stopped.
const shell::CommandState kStates[] = {
    {false, false, false, false}, {true, false, false, false}, {true, true, false, false},
    {true, false, true, false},   {true, false, true, true},
};
constexpr const char* kStateNames[] = {"no workspace", "workspace", "building", "running", "stopped"};

// One line of a menu: "popup <text>", "end", "separator" or an item with its id.
struct Row {
    UINT id;               // 0 for popup, end and separator
    const char* text;      // the popup's or item's text; "-" separator, "end" closes a popup
    const char* with_128;  // enabling per state ('1', '0'; '*' not compared); null: not in menu 128
    const char* with_129;  // the same in menu 129, with a fresh source of the project active
};

constexpr const char* kPopup = "";
constexpr const char* kBoth = "";

// Written from the user's side. In menu 129 the active source is the sample's
// hello.asm as it opens: nothing selected, nothing to undo, no bookmark or
// breakpoint, nothing on the clipboard; the disassembly window is shown.
const Row kMenus[] = {
    {0, "&File", kPopup, kPopup},
    {57600, "&New\tCtrl+N", "11111", "11111"},
    {32776, "New &Text", "11111", "11111"},
    {57601, "&Open...\tCtrl+O", "11111", "11111"},
    {57602, "&Close", "00000", "11111"},
    {0, "-", kBoth, kBoth},
    {32780, "O&pen Workspace", "11111", "11111"},
    {32782, "Sa&ve Workspace", "01111", "01111"},
    {32781, "Clos&e Workspace", "01111", "01111"},
    {0, "-", kBoth, kBoth},
    {57603, "&Save\tCtrl+S", "00000", "11111"},
    {57604, "Save &As...", "00000", "11111"},
    {32783, "Save &All", "11111", "11111"},
    {0, "-", kBoth, kBoth},
    {32784, "Page Set&up", "00000", "11111"},
    {57607, "&Print...\tCtrl+P", "00000", "11111"},
    {57609, "Print Pre&view", "00000", "11111"},
    {57606, "P&rint Setup...", "11111", "11111"},
    {0, "-", kBoth, kBoth},
    {32942, "&Download to...", "00000", "00000"},
    {0, "-", kBoth, kBoth},
    {57616, "Recent File", "*****", "*****"},
    {0, "Recent Wo&rkspaces", kPopup, kPopup},
    {shell::ID_RECENT_PROJECT_FIRST, "Workspaces...", "*****", "*****"},
    {0, "end", kBoth, kBoth},
    {0, "-", kBoth, kBoth},
    {32778, "Close &All Windows", "11111", "11111"},
    {57665, "E&xit", "11111", "11111"},
    {0, "end", kBoth, kBoth},

    {0, "&Edit", kPopup, kPopup},
    {57643, "&Undo\tCtrl+Z", "00000", "00000"},
    {57644, "&Redo\tCtrl+Y", "00000", "00000"},
    {0, "-", kBoth, kBoth},
    {57635, "Cu&t\tCtrl+X", "00000", "00000"},
    {57634, "&Copy\tCtrl+C", "00000", "00000"},
    {57637, "&Paste\tCtrl+V", "00000", "00000"},
    {57632, "&Delete\tDel", "00000", "11111"},
    {45034, "Select A&ll\tCtrl+A", "00000", "11111"},
    {0, "-", kBoth, kBoth},
    {57636, "&Find...\tCtrl+F", "00000", "11111"},
    {57641, "R&eplace...\tCtrl+H", "00000", "11111"},
    {32912, "Find in f&iles", "11111", "11111"},
    {0, "-", kBoth, kBoth},
    {45027, "BookMark &Set\tCtrl+F2", "00000", "11111"},
    {45028, "BookMark &Next\tF2", "00000", "00000"},
    {45029, "BookMark &Prev\tShift+F2", "00000", "00000"},
    {45030, "BookMark &Delete\tCtrl+Shift+F2", "00000", "00000"},
    {0, "-", kBoth, kBoth},
    {45040, "&Add/Remove BreakPoint\tF9", "00000", "01111"},
    {45041, "&Remove All BreakPoints\tCtrl+Shift+F9", "00000", "00000"},
    {0, "-", nullptr, kBoth},
    {32952, "Add Te&mporary BreakPoint In Disassembly Window", nullptr, "00011"},
    {0, "end", kBoth, kBoth},

    {0, "&View", kPopup, kPopup},
    {32851, "Wor&kspace\tAlt+0", "11111", "11111"},
    {32852, "&Output\tAlt+2", "11111", "11111"},
    {0, "&Debug Windows", kPopup, kPopup},
    {32921, "&Watch\tAlt+3", "00001", "00001"},
    {32922, "&Registers\tAlt+5", "00001", "00001"},
    {32920, "&Memory\tAlt+6", "00001", "00001"},
    {32775, "QuickWatch\tShift+F9", nullptr, "11111"},
    {0, "end", kBoth, kBoth},
    {0, "-", kBoth, kBoth},
    {32850, "&Workbook Mode", "11111", "11111"},
    {59392, "&Toolbar", "11111", "11111"},
    {0, "-", kBoth, kBoth},
    {32919, "&Goto next info\tF4", "11111", "11111"},
    {0, "end", kBoth, kBoth},

    {0, "&Project", kPopup, kPopup},
    {32900, "New &Bank", "01111", "01111"},
    {32901, "New &File", "01111", "01111"},
    {32902, "&Insert a file", "01111", "01111"},
    {0, "-", kBoth, kBoth},
    {32903, "Project &Settings...\tAlt+F7", "01011", "01011"},
    {0, "end", kBoth, kBoth},

    {0, "&Build", kPopup, kPopup},
    {32930, "&Compile\tCtrl+F7", "00000", "01000"},
    {32931, "&Build\tF7", "01000", "01000"},
    {32932, "&Rebuild All", "01000", "01000"},
    {32933, "&Stop Build\tCtrl+Break", "00100", nullptr},
    {32933, "&Stop Build", nullptr, "00100"},
    {0, "-", kBoth, kBoth},
    {32934, "&Go!\tF5", "01001", "01001"},
    {32925, "E&xcute\tCtrl+F5", "01000", "01000"},
    {0, "end", kBoth, kBoth},

    {0, "&Debug", kPopup, kPopup},
    {32923, "&Stop Debug\tShift+F5", "00011", "00011"},
    {32924, "Step &Into\tF11", "00001", "00001"},
    {32926, "Step O&ver\tF10", "00001", "00001"},
    {32927, "Step O&ut\tShift+F11", "00000", "00000"},
    {0, "-", kBoth, kBoth},
    {32928, "&Disassembly\tAlt+8", "00001", "00001"},
    {32853, "&View Assembly code\tAlt+7", "00001", "00001"},
    {0, "end", kBoth, kBoth},

    {0, "&Tools", kPopup, kPopup},
    {32941, "&Options...", "11111", "11111"},
    {32940, "&Customize...", "11111", "11111"},
    {0, "end", kBoth, kBoth},

    {0, "&Window", kPopup, kPopup},
    {57648, "&New Window", "00000", "11111"},
    {57653, "Sp&lit", "00000", "11111"},
    {57650, "&Cascade", "00000", "11111"},
    {57651, "&Tile", "00000", "11111"},
    {0, "end", kBoth, kBoth},

    {0, "&Help", kPopup, kPopup},
    {57667, "&Help Topics", "11111", "11111"},
    {0, "-", kBoth, kBoth},
    {57664, "&About Corvel...", "11111", "11111"},
    {0, "end", kBoth, kBoth},
};

bool IsPopup(const Row& row) { return row.id == 0 && std::string(row.text) != "-" && std::string(row.text) != "end"; }

// The menu's lines as the table writes them.
std::vector<std::string> ExpectedLines(bool with_document) {
    std::vector<std::string> lines;
    for (const Row& row : kMenus) {
        if (!(with_document ? row.with_129 : row.with_128)) continue;
        const std::string text = row.text;
        if (IsPopup(row))
            lines.push_back("popup " + text);
        else if (row.id == 0)
            lines.push_back(text == "-" ? "separator" : "end");
        else
            lines.push_back(std::to_string(row.id) + " " + text);
    }
    return lines;
}

std::string ItemText(HMENU menu, int position) {
    char text[256] = {};
    ::GetMenuString(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

void AppendLines(HMENU menu, std::vector<std::string>& lines) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU popup = ::GetSubMenu(menu, i)) {
            lines.push_back("popup " + ItemText(menu, i));
            AppendLines(popup, lines);
            lines.push_back("end");
        } else if (const UINT id = ::GetMenuItemID(menu, i); id == 0) {
            lines.push_back("separator");
        } else {
            lines.push_back(std::to_string(id) + " " + ItemText(menu, i));
        }
    }
}

// Each popup updated as when it opens, then the enabled state of every item by id.
void CollectEnabled(CWnd& frame, HMENU menu, std::map<UINT, bool>& enabled) {
    frame.SendMessage(WM_INITMENUPOPUP, WPARAM(menu), 0);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU popup = ::GetSubMenu(menu, i)) {
            CollectEnabled(frame, popup, enabled);
        } else if (const UINT id = ::GetMenuItemID(menu, i); id != 0) {
            enabled[id] = (::GetMenuState(menu, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        }
    }
}

// A key table as "Ctrl+Shift+F9 45041" lines, sorted.
std::string KeyName(const ACCEL& accel) {
    std::string name;
    if (accel.fVirt & FCONTROL) name += "Ctrl+";
    if (accel.fVirt & FSHIFT) name += "Shift+";
    if (accel.fVirt & FALT) name += "Alt+";
    switch (accel.key) {
        case VK_INSERT: return name + "Ins";
        case VK_DELETE: return name + "Del";
        case VK_BACK: return name + "Backspace";
        case VK_CANCEL: return name + "Break";
        default: break;
    }
    if (accel.key >= VK_F1 && accel.key <= VK_F12) return name + "F" + std::to_string(accel.key - VK_F1 + 1);
    return name + char(accel.key);
}

std::vector<std::string> KeyTable(UINT id) {
    HACCEL table = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(id));
    std::vector<ACCEL> entries(std::size_t(::CopyAcceleratorTable(table, nullptr, 0)));
    ::CopyAcceleratorTable(table, entries.data(), int(entries.size()));
    std::vector<std::string> lines;
    for (const ACCEL& accel : entries) lines.push_back(KeyName(accel) + " " + std::to_string(accel.cmd));
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

class CorvelMenusTest : public StartedCorvelTest {
protected:
    void SetUp() override {
        StartedCorvelTest::SetUp();
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) {
                boxes.push_back(q.text);
                return IDOK;
            }
            if (dialog_answer) return dialog_answer(q);
            return IDCANCEL;
        });
        Start();
    }
    void TearDown() override {
        if (app) app->OverrideCommandState(std::nullopt);
        StartedCorvelTest::TearDown();
        kit::user::set_dialog_script(nullptr);
    }
    std::string Source() const { return (work / "hello.asm").string(); }
    shell::CVyrFrameView* OpenSource() {
        app->OpenDocumentFile(Source().c_str());
        HandleQueued(*app);
        CMDIChildWnd* child = frame().MDIGetActive();
        return child ? dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView()) : nullptr;
    }
    void Command(UINT id) {
        frame().SendMessage(WM_COMMAND, id);
        HandleQueued(*app);
    }
    std::string StatusText() { return frame().status_bar().GetPaneText(0).str(); }
    bool Visible(CControlBar& bar) {
        frame().RecalcLayout();
        return bar.IsVisible() != FALSE;
    }

    std::vector<std::string> boxes;
    std::function<std::optional<LONG_PTR>(const kit::user::DialogQuestion&)> dialog_answer;
};

TEST_F(CorvelMenusTest, BothMenusHoldEveryItemWithItsTextAndAreEnabledByState) {
    for (const bool with_document : {false, true}) {
        SCOPED_TRACE(with_document ? "menu 129" : "menu 128");
        static_cast<CWinApp&>(*app).CloseAllDocuments(FALSE);
        if (with_document) {
            ASSERT_NE(OpenSource(), nullptr);
            frame().ShowControlBar(&frame().disassembly_bar(), TRUE, FALSE);
        }
        HMENU menu = ::LoadMenu(nullptr, MAKEINTRESOURCE(with_document ? shell::IDR_VYRTYPE : shell::IDR_MAINFRAME));
        ASSERT_NE(menu, nullptr);
        std::vector<std::string> lines;
        AppendLines(menu, lines);
        EXPECT_EQ(lines, ExpectedLines(with_document));

        for (int state = 0; state < 5; ++state) {
            app->OverrideCommandState(kStates[state]);
            std::map<UINT, bool> enabled;
            CollectEnabled(frame(), menu, enabled);
            for (const Row& row : kMenus) {
                const char* expected = with_document ? row.with_129 : row.with_128;
                if (row.id == 0 || !expected || expected[state] == '*') continue;
                EXPECT_EQ(enabled[row.id], expected[state] == '1')
                    << row.id << " " << row.text << " in state " << kStateNames[state];
                // An item the user can choose has somewhere to go.
                AFX_CMDHANDLERINFO handler{};
                if (expected[state] == '1') {
                    EXPECT_TRUE(frame().OnCmdMsg(row.id, CN_COMMAND, nullptr, &handler))
                        << row.id << " " << row.text << " has no handler";
                }
            }
        }
        app->OverrideCommandState(std::nullopt);
        ::DestroyMenu(menu);
    }
}

TEST_F(CorvelMenusTest, TheKeyTablesAreExactlyThePromisedKeys) {
    const std::vector<std::string> frame_keys = {
        "Alt+0 32851",      "Alt+2 32852",     "Alt+3 32921",         "Alt+5 32922",
        "Alt+6 32920",      "Alt+7 32853",     "Alt+8 32928",         "Ctrl+C 57634",
        "Ctrl+Ins 57634",   "Ctrl+F 57636",    "Ctrl+H 57641",        "Ctrl+I 32789",
        "Ctrl+N 57600",     "Ctrl+O 57601",    "Ctrl+P 57607",        "Ctrl+S 57603",
        "Ctrl+V 57637",     "Shift+Ins 57637", "Alt+Backspace 57643", "Ctrl+Z 57643",
        "Ctrl+Break 32933", "Shift+Del 57635", "Ctrl+X 57635",        "F1 57670",
        "Shift+F1 57669",   "F10 32926",       "F11 32924",           "F2 45028",
        "Ctrl+F2 45027",    "Shift+F2 45029",  "Ctrl+Shift+F2 45030", "F4 32919",
        "F5 32934",         "Ctrl+F5 32925",   "Shift+F5 32923",      "F6 57680",
        "Shift+F6 57681",   "F7 32931",        "Ctrl+F7 32930",       "Alt+F7 32903",
        "F9 45040",         "Shift+F9 32775",  "Ctrl+Shift+F9 45041", "Ctrl+Y 57644",
    };
    EXPECT_EQ(KeyTable(shell::IDR_MAINFRAME), Sorted(frame_keys));
    // What a focused docking window or dialog bar gets as commands.
    const std::vector<std::string> edit_keys = {
        "Ctrl+C 57634",   "Ctrl+H 57641",    "Ctrl+I 32789", "Ctrl+V 57637", "Alt+Backspace 57643", "Shift+Del 57635",
        "Ctrl+Ins 57634", "Shift+Ins 57637", "Ctrl+X 57635", "Ctrl+Y 57644", "Ctrl+Z 57643",
    };
    EXPECT_EQ(KeyTable(shell::IDR_EDIT_KEYS), Sorted(edit_keys));
}

// The debug windows open from the View menu and their keys only while the program is stopped.
TEST_F(CorvelMenusTest, TheDebugWindowsToggleWhileStoppedAndTheirKeysSayWhyOtherwise) {
    struct Case {
        UINT id;
        int key;
        CControlBar* bar;
    };
    const Case cases[] = {
        {shell::ID_VIEW_WATCH, '3', &frame().watch_bar()},
        {shell::ID_VIEW_REGISTERS, '5', &frame().register_bar()},
        {shell::ID_VIEW_MEMORY, '6', &frame().memory_bar()},
        {shell::ID_DEBUG_DISASSEMBLY, '8', &frame().disassembly_bar()},
    };
    app->OverrideCommandState(kStates[1]);
    for (const Case& c : cases) {
        display.chord(VK_MENU, c.key);
        HandleQueued(*app);
        EXPECT_FALSE(Visible(*c.bar)) << c.id;
        EXPECT_EQ(StatusText(), "The program is not stopped.") << c.id;
    }
    app->OverrideCommandState(kStates[4]);
    for (const Case& c : cases) {
        display.chord(VK_MENU, c.key);
        HandleQueued(*app);
        EXPECT_TRUE(Visible(*c.bar)) << c.id;
        Command(c.id);
        EXPECT_FALSE(Visible(*c.bar)) << c.id;
    }
}

TEST_F(CorvelMenusTest, TheFileHelpToolsAndWindowItemsDoWhatTheySay) {
    Command(shell::ID_HELP_TOPICS);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes.front().find("README"), std::string::npos) << boxes.front();

    // Customize opens the toolbar sheet.
    std::string sheet;
    display.then([&] {
        char caption[64] = {};
        ::GetWindowText(::GetActiveWindow(), caption, sizeof caption);
        sheet = caption;
        display.press(VK_ESCAPE);
    });
    Command(shell::CMainFrame::kCustomize);
    EXPECT_EQ(sheet, "Customize");

    // Print Setup chooses the folder the printed pages go to; Print and Print Preview fill it.
    const std::filesystem::path pages = work / "pages";
    std::filesystem::create_directories(pages);
    dialog_answer = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.template_id == CFolderDialog::kTemplateId) {
            ::SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, pages.c_str());
            ::SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return std::nullopt;
        }
        return IDOK;  // the print dialog: all pages
    };
    Command(shell::ID_FILE_PRINT_SETUP);
    shell::CVyrFrameView* view = OpenSource();
    ASSERT_NE(view, nullptr);
    const auto pictures = [](const std::filesystem::path& folder) {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            count += entry.path().extension() == ".png";
        return count;
    };
    Command(shell::ID_FILE_PRINT);
    EXPECT_EQ(StatusText(), "2 pages printed to " + pages.string());
    EXPECT_EQ(pictures(pages), 2);
    Command(shell::ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(pictures(pages / "preview"), 2) << StatusText();

    // New Window shows the source in a second window; Split stays gray.
    Command(shell::ID_WINDOW_NEW);
    int views = 0;
    for (POSITION at = view->document()->GetFirstViewPosition(); at; view->document()->GetNextView(at)) ++views;
    EXPECT_EQ(views, 2);
}

TEST_F(CorvelMenusTest, TheEditItemsReachTheSourceAndItsBreakpointsReachTheDebugger) {
    shell::CVyrFrameView* view = OpenSource();
    ASSERT_NE(view, nullptr);
    shell::CVyrFrameDoc& doc = *view->document();
    const auto first_line = [&] {
        std::string text = doc.buffer().GetFirstLine()->text;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    };
    const std::string original = first_line();

    Command(45034);  // Select All
    EXPECT_TRUE(view->has_selection());
    Command(57632);  // Delete
    EXPECT_EQ(first_line(), "");
    Command(57643);  // Undo
    EXPECT_EQ(first_line(), original);
    Command(57644);  // Redo
    EXPECT_EQ(first_line(), "");
    Command(57643);

    for (UINT dialog : {57636u, 57641u}) {  // Find, Replace
        Command(dialog);
        ASSERT_NE(view->find_dialog(), nullptr) << dialog;
        view->find_dialog()->SendMessage(WM_COMMAND, IDCANCEL);
        HandleQueued(*app);
    }

    view->GoToLine(3);
    Command(45027);  // BookMark Set
    view->GoToLine(1);
    Command(45028);  // BookMark Next
    EXPECT_EQ(view->caret().line, 3);
    Command(45030);  // BookMark Delete
    EXPECT_EQ(doc.buffer().bookmark_count, 0);

    // A breakpoint set from the menu is in the debugger's list at once; Remove All empties both.
    view->GoToLine(16);
    Command(45040);
    ide::CVyrDebugMgr& debugger = app->debug_session()->manager();
    ASSERT_EQ(debugger.GetBreakPointCount(), 1);
    EXPECT_EQ(debugger.GetBreakPoint(0)->line, 16u);
    Command(45041);
    EXPECT_EQ(debugger.GetBreakPointCount(), 0);
    EXPECT_EQ(doc.buffer().breakpoint_count, 0);

    // Quick Watch opens on the word at the caret; Page Setup opens its dialog.
    std::vector<unsigned> templates;
    std::string expression;
    dialog_answer = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        templates.push_back(q.template_id);
        if (q.template_id == CQWatchDlg::kTemplate) {
            char text[64] = {};
            ::GetDlgItemText(q.dialog, CQWatchDlg::kExpressionCombo, text, sizeof text);
            expression = text;
        }
        return IDCANCEL;
    };
    view->GoToLine(16);
    Command(editor::kCmdWordRight);  // onto "LDA"
    Command(shell::ID_DEBUG_QUICK_WATCH);
    EXPECT_EQ(templates.size(), 1u);
    EXPECT_EQ(expression, "LDA");
    Command(shell::ID_FILE_PAGE_SETUP);
    EXPECT_EQ(templates.size(), 2u);
}

// F6 and Shift+F6 walk the panes of the source window row by row, round
// from the last to the first; a window of one pane keeps the keyboard.
TEST_F(CorvelMenusTest, TheNextPaneKeysWalkThePanesOfTheSourceWindow) {
    shell::CVyrFrameView* view = OpenSource();
    ASSERT_NE(view, nullptr);
    auto* child = dynamic_cast<shell::CChildFrame*>(frame().MDIGetActive());
    ASSERT_NE(child, nullptr);
    const auto press = [&](bool shift) {
        if (shift)
            display.chord(VK_SHIFT, VK_F6);
        else
            display.press(VK_F6);
        HandleQueued(*app);
        return ::GetFocus();
    };
    EXPECT_EQ(press(false), view->m_hWnd);

    CSplitterWnd& splitter = child->splitter();
    CRect area;
    splitter.GetClientRect(&area);
    ASSERT_TRUE(splitter.SplitRow(area.Height() / 2));
    ASSERT_TRUE(splitter.SplitColumn(area.Width() / 2));
    splitter.SetActivePane(0, 0);
    const auto pane = [&](int row, int col) { return splitter.GetPane(row, col)->m_hWnd; };
    for (const HWND expected : {pane(0, 1), pane(1, 0), pane(1, 1), pane(0, 0)}) EXPECT_EQ(press(false), expected);
    for (const HWND expected : {pane(1, 1), pane(1, 0)}) EXPECT_EQ(press(true), expected);
    EXPECT_EQ(child->GetActiveView()->m_hWnd, pane(1, 0));
}

// From a docking window, the source chosen in the Window menu's list takes the keyboard back.
TEST_F(CorvelMenusTest, TheSourceChosenFromTheWindowListTakesTheKeyboard) {
    shell::CVyrFrameView* view = OpenSource();
    ASSERT_NE(view, nullptr);
    frame().workspace_bar().TreeCtrl().SetFocus();
    ASSERT_NE(::GetFocus(), view->m_hWnd);
    Command(AFX_IDM_FIRST_MDICHILD);
    HandleQueued(*app);
    EXPECT_EQ(::GetFocus(), view->m_hWnd);
}

// The File menu numbers its recent files; the recent workspaces stay in their own popup.
TEST_F(CorvelMenusTest, RecentFilesAndWorkspacesEachFillTheirOwnMenu) {
    ASSERT_NE(OpenSource(), nullptr);
    HMENU menu = ::LoadMenu(nullptr, MAKEINTRESOURCE(shell::IDR_VYRTYPE));
    HMENU file = ::GetSubMenu(menu, 0);
    std::map<UINT, bool> enabled;
    CollectEnabled(frame(), menu, enabled);
    std::vector<std::string> lines;
    AppendLines(file, lines);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("57616 &1 " + Source())) << ::testing::PrintToString(lines);
    const std::string workspace =
        std::to_string(shell::ID_RECENT_PROJECT_FIRST) + " &1 " + (work / "HELLO.WSP").string();
    EXPECT_TRUE(has(workspace)) << ::testing::PrintToString(lines);
    // Only once: inside "Recent Workspaces", not in the File menu itself.
    int outside = 0;
    for (int i = 0; i < ::GetMenuItemCount(file); ++i)
        if (::GetMenuItemID(file, i) == shell::ID_RECENT_PROJECT_FIRST) ++outside;
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(enabled[57616]);
    ::DestroyMenu(menu);
}

}  // namespace
