// A control's state lives in its window record: each standard control,
// created, used and destroyed, then called with its stale handle (through
// SendMessage and straight through its class procedure) finds nothing and
// makes nothing; a window of another class makes nothing either; and many
// controls made and destroyed leave no state behind.
#include <functional>
#include <string>
#include <vector>

#include "platform/user/tests/user_fixture.h"
#include "platform/user/window_extra.h"

namespace user_test {
namespace {

struct Call {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

LPARAM text(const char* s) { return reinterpret_cast<LPARAM>(s); }

char buffer[64];
TOOLINFO tool{sizeof(TOOLINFO), 0, nullptr, 1, {0, 0, 10, 10}, nullptr, const_cast<char*>("tip"), 0};
TCITEM tab{TCIF_TEXT, 0, 0, const_cast<char*>("Tab"), 0, -1, 0};
COMBOBOXEXITEM image_item{CBEIF_TEXT, 0, const_cast<char*>("item"), 0, 0, 0, 0, 0, 0};
int parts[] = {50, -1};

struct ControlCase {
    const char* class_name;
    DWORD style;
    std::vector<Call> use;  // messages a program sends it; also sent again to the stale handle
};

std::vector<ControlCase> every_standard_control() {
    return {
        {"BUTTON", BS_AUTOCHECKBOX, {{BM_SETCHECK, BST_CHECKED, 0}, {BM_GETCHECK, 0, 0}, {BM_CLICK, 0, 0}}},
        {"STATIC", SS_LEFT, {{WM_SETTEXT, 0, text("label")}, {WM_GETTEXT, sizeof buffer, text(buffer)}}},
        {"EDIT",
         ES_MULTILINE,
         {{WM_SETTEXT, 0, text("one\r\ntwo")}, {EM_SETSEL, 1, 3}, {EM_REPLACESEL, 0, text("x")}, {EM_LIMITTEXT, 5, 0}}},
        {"LISTBOX",
         LBS_EXTENDEDSEL,
         {{LB_ADDSTRING, 0, text("a")}, {LB_ADDSTRING, 0, text("b")}, {LB_SETSEL, TRUE, 1}, {LB_GETCOUNT, 0, 0}}},
        {"COMBOBOX",
         CBS_DROPDOWN,
         {{CB_ADDSTRING, 0, text("a")}, {CB_SETCURSEL, 0, 0}, {CB_GETLBTEXT, 0, text(buffer)}}},
        {"SCROLLBAR", SBS_HORZ, {{WM_GETDLGCODE, 0, 0}, {WM_KEYDOWN, VK_RIGHT, 0}}},
        {TRACKBAR_CLASS, 0, {{TBM_SETRANGE, TRUE, MAKELPARAM(0, 50)}, {TBM_SETPOS, TRUE, 20}, {TBM_GETPOS, 0, 0}}},
        {PROGRESS_CLASS, 0, {{PBM_SETRANGE32, 0, 200}, {PBM_SETPOS, 30, 0}, {PBM_STEPIT, 0, 0}}},
        {WC_TABCONTROL, 0, {{TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&tab)}, {TCM_SETCURSEL, 0, 0}}},
        {STATUSCLASSNAME,
         0,
         {{SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts)}, {SB_SETTEXT, 1, text("Ready")}, {SB_SIMPLE, TRUE, 0}}},
        {TOOLTIPS_CLASS, 0, {{TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)}, {TTM_ACTIVATE, TRUE, 0}}},
        {UPDOWN_CLASS, 0, {{UDM_SETRANGE32, 0, 9}, {UDM_SETPOS32, 0, 3}, {UDM_GETPOS32, 0, 0}}},
        {CHECKLISTBOX_CLASS, 0, {{LB_ADDSTRING, 0, text("a")}, {CLB_SETCHECK, 0, BST_CHECKED}, {CLB_GETCHECK, 0, 0}}},
        {WC_COMBOBOXEX,
         CBS_DROPDOWNLIST,
         {{CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&image_item)}, {CB_SETCURSEL, 0, 0}}},
        {"#32770", 0, {{DM_SETDEFID, IDOK, 0}, {DM_GETDEFID, 0, 0}, {WM_NEXTDLGCTL, 0, FALSE}}},
    };
}

class ControlStateTest : public UserTest {
protected:
    HWND make(const ControlCase& c, HWND parent) {
        return CreateWindowEx(0, c.class_name, "", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 120, 80, parent,
                              reinterpret_cast<HMENU>(std::uintptr_t(7)), nullptr, nullptr);
    }
    static WNDPROC class_proc(const char* name) {
        WNDCLASS wc{};
        return GetClassInfo(nullptr, name, &wc) ? wc.lpfnWndProc : nullptr;
    }
};

TEST_F(ControlStateTest, AStaleHandleFindsNoStateAndMakesNone) {
    HWND top = make_top();
    const std::size_t before = kit::user::live_window_extras();
    for (const ControlCase& c : every_standard_control()) {
        SCOPED_TRACE(c.class_name);
        HWND control = make(c, top);
        ASSERT_NE(control, nullptr);
        for (const Call& call : c.use) SendMessage(control, call.message, call.wParam, call.lParam);
        pump();
        // Its state lives with the window (buttons, static and scroll-bar controls
        // keep theirs in the record's own fields and extra bytes).
        const std::string name = c.class_name;
        const bool stateless = name == "BUTTON" || name == "STATIC" || name == "SCROLLBAR";
        EXPECT_EQ(kit::user::live_window_extras() > before, !stateless);
        DestroyWindow(control);
        ASSERT_FALSE(IsWindow(control));
        EXPECT_EQ(kit::user::live_window_extras(), before);

        WNDPROC proc = class_proc(c.class_name);
        ASSERT_NE(proc, nullptr);
        for (const Call& call : c.use) {
            EXPECT_EQ(SendMessage(control, call.message, call.wParam, call.lParam), 0);
            // Straight through the procedure: nothing found, nothing made (a
            // constant answer such as WM_GETDLGCODE's may still come back).
            proc(control, call.message, call.wParam, call.lParam);
            // A window of another class is no control of this one either.
            proc(top, call.message, call.wParam, call.lParam);
        }
        EXPECT_EQ(kit::user::live_window_extras(), before);
    }
}

TEST_F(ControlStateTest, ManyControlsMadeAndDestroyedLeaveNoStateBehind) {
    HWND top = make_top();
    const std::size_t before = kit::user::live_window_extras();
    const std::vector<ControlCase> cases = every_standard_control();
    std::size_t peak = 0;
    for (int i = 0; i < 100000; ++i) {
        const ControlCase& c = cases[size_t(i) % cases.size()];
        HWND control = make(c, top);
        ASSERT_NE(control, nullptr) << c.class_name;
        SendMessage(control, c.use.front().message, c.use.front().wParam, c.use.front().lParam);
        peak = std::max(peak, kit::user::live_window_extras());
        DestroyWindow(control);
    }
    EXPECT_GT(peak, before);  // the controls did keep state while they lived
    EXPECT_EQ(kit::user::live_window_extras(), before);
}

}  // namespace
}  // namespace user_test
