#include "platform/user/tests/user_fixture.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace user_test {

namespace {

ProcHook proc_hook = nullptr;
bool everything = false;

bool noisy(UINT m) {
    return m == WM_NCHITTEST || m == WM_SETCURSOR || m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE || m == WM_GETTEXT ||
           m == WM_GETTEXTLENGTH || m == WM_NCPAINT || m == WM_ERASEBKGND || m == WM_PAINT || m == WM_MEASUREITEM ||
           m == WM_DRAWITEM;
}

// Windows of other threads log too; tests read the log once those threads ended.
std::mutex log_lock;

LRESULT log_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (everything || !noisy(message)) {
        std::lock_guard<std::mutex> hold(log_lock);
        log().push_back(message_name(message));
    }
    if (proc_hook) {
        bool handled = false;
        LRESULT result = proc_hook(hwnd, message, wParam, lParam, &handled);
        if (handled) return result;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void register_classes() {
    static bool done = false;
    if (done) return;
    WNDCLASS wc{};
    wc.lpfnWndProc = log_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_WINDOW + 1));
    wc.lpszClassName = kLogClass;
    RegisterClass(&wc);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kDblClkClass;
    RegisterClass(&wc);
    done = true;
}

}  // namespace

std::vector<std::string>& log() {
    static std::vector<std::string> entries;
    return entries;
}

std::string message_name(UINT m) {
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_QUIT, "WM_QUIT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_INITMENU, "WM_INITMENU"},
        {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
        {WM_MENUSELECT, "WM_MENUSELECT"},
        {WM_MENUCHAR, "WM_MENUCHAR"},
        {WM_ENTERIDLE, "WM_ENTERIDLE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
        {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_MEASUREITEM, "WM_MEASUREITEM"},
        {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_SETFONT, "WM_SETFONT"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
        {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
        {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
        {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"},
    };
    auto it = names.find(m);
    if (it != names.end()) return it->second;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", m);
    return buffer;
}

void inject_key_press(int vk) {
    kit::user::inject_key(vk, true);
    kit::user::inject_key(vk, false);
}

void set_proc_hook(ProcHook hook) { proc_hook = hook; }
void log_everything(bool on) { everything = on; }

void UserTest::SetUp() {
    register_classes();
    kit::user::reset_system_tables();
    kit::user::reset_input_state();
    display.on_stall([](const std::string& why) {
        ADD_FAILURE() << why;
        PostQuitMessage(99);  // every loop ends on WM_QUIT, so the test goes on to its checks
    });
    proc_hook = nullptr;
    everything = false;
    log().clear();
}

void UserTest::TearDown() {
    proc_hook = nullptr;
    for (HWND top : kit::user::top_level_windows()) DestroyWindow(top);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    kit::user::reset_input_state();
    log().clear();
}

HWND UserTest::make_top(const char* title, DWORD style) {
    RECT r{100, 100, 300, 250};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    return CreateWindowEx(0, kLogClass, title, style | WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top,
                          nullptr, nullptr, nullptr, nullptr);
}

HWND UserTest::make_child(HWND parent, int id, RECT r, DWORD style) {
    return CreateWindowEx(0, kLogClass, "child", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(std::uintptr_t(id)), nullptr, nullptr);
}

void UserTest::pump() {
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (display.steps_left() == 0) return;
        display.idle(kit::user::kNoDeadline);
    }
}

void TestFontTest::SetUp() {
    UserTest::SetUp();
    gdi::set_test_font_everywhere(true);
}

void TestFontTest::TearDown() {
    gdi::set_test_font_everywhere(false);
    UserTest::TearDown();
}

::testing::AssertionResult UserTest::matches_snapshot(const std::string& name, HWND top) {
    return testing_kit::matches_painted_golden(top, "platform/user/tests/golden/" + name + ".png");
}

std::vector<std::string> UserTest::take_log(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (const auto& entry : log()) {
        std::string name = entry.substr(0, entry.find(':'));
        if (names.empty() || std::find(names.begin(), names.end(), name) != names.end()) out.push_back(entry);
    }
    log().clear();
    return out;
}

}  // namespace user_test
