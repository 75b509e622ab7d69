#include "tools/windemo/demo.h"

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/res/resources.h"

const kit::res::Module& windemo_resources();

namespace windemo {

namespace {

constexpr UINT IDM_CONTROLS = 100, IDM_ABOUT = 101, IDM_EXIT = 102, IDM_RED = 110, IDM_GREEN = 111, IDM_BLUE = 112,
               IDM_PAUSE = 113;
constexpr UINT_PTR kAnimationTimer = 1;
constexpr int kSquare = 16;

struct DemoState {
    HWND main = nullptr;
    HWND canvas = nullptr;
    HWND notes = nullptr;
    HACCEL accelerators = nullptr;
    COLORREF colour = RGB(0xC0, 0, 0);
    int square_x = 0;
    bool paused = false;
    std::string notes_text;
};

DemoState demo;

void log(const std::string& line) { event_log().push_back(line); }

std::string text_of(HWND dialog, int id) {
    char buffer[256];
    GetDlgItemText(dialog, id, buffer, sizeof buffer);
    return buffer;
}

LONG_PTR controls_dialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetDlgItemText(dialog, 1000, "Ada");
            CheckRadioButton(dialog, 1002, 1003, 1002);
            for (const char* item : {"Banks", "Files", "Symbols", "Watches"}) {
                SendDlgItemMessage(dialog, 1005, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            for (const char* item : {"GBK", "ASCII", "Latin-1"}) {
                SendDlgItemMessage(dialog, 1006, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            SendDlgItemMessage(dialog, 1006, CB_SETCURSEL, 0, 0);
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
            SetScrollInfo(GetDlgItem(dialog, 1007), SB_CTL, &si, TRUE);
            return TRUE;
        }
        case WM_HSCROLL: {
            HWND bar = reinterpret_cast<HWND>(lParam);
            int pos = GetScrollPos(bar, SB_CTL);
            switch (LOWORD(wParam)) {
                case SB_LINELEFT: pos -= 1; break;
                case SB_LINERIGHT: pos += 1; break;
                case SB_PAGELEFT: pos -= 10; break;
                case SB_PAGERIGHT: pos += 10; break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: pos = HIWORD(wParam); break;
                default: return TRUE;
            }
            SetScrollPos(bar, SB_CTL, pos, TRUE);
            SetDlgItemInt(dialog, 1008, UINT(GetScrollPos(bar, SB_CTL)), FALSE);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                char item[32] = "";
                int selected = int(SendDlgItemMessage(dialog, 1005, LB_GETCURSEL, 0, 0));
                if (selected >= 0)
                    SendDlgItemMessage(dialog, 1005, LB_GETTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(item));
                std::string combo = text_of(dialog, 1006);
                log("dialog ok: name=" + text_of(dialog, 1000) +
                    " notes=" + std::to_string(text_of(dialog, 1001).size()) +
                    " bytes fast=" + std::to_string(IsDlgButtonChecked(dialog, 1003)) +
                    " loud=" + std::to_string(IsDlgButtonChecked(dialog, 1004)) + " list=" + item +
                    " code page=" + combo + " level=" + text_of(dialog, 1008));
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                log("dialog cancelled");
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default: return FALSE;
    }
}

void choose_colour(UINT command) {
    demo.colour = command == IDM_RED ? RGB(0xC0, 0, 0) : command == IDM_GREEN ? RGB(0, 0x80, 0) : RGB(0, 0, 0xC0);
    InvalidateRect(demo.canvas, nullptr, TRUE);
}

LRESULT canvas_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: SetTimer(hwnd, kAnimationTimer, 100, nullptr); return 0;
        case WM_TIMER: {
            if (wParam != kAnimationTimer || demo.paused) return 0;
            RECT r;
            GetClientRect(hwnd, &r);
            demo.square_x = (demo.square_x + 4) % std::max(1, int(r.right) - kSquare);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            HBRUSH brush = CreateSolidBrush(demo.colour);
            RECT square{demo.square_x, (r.bottom - kSquare) / 2, demo.square_x + kSquare, (r.bottom + kSquare) / 2};
            FillRect(dc, &square, brush);
            DeleteObject(brush);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_RBUTTONUP: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &p);
            HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(2));
            UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, demo.main, nullptr));
            DestroyMenu(menu);
            log("popup chose " + std::to_string(chosen));
            if (chosen) SendMessage(demo.main, WM_COMMAND, chosen, 0);
            return 0;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// A one-line note pad with a caret that follows the typed text.
LRESULT notes_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS: {
            HDC dc = GetDC(hwnd);
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            TEXTMETRIC tm{};
            GetTextMetrics(dc, &tm);
            SIZE size{};
            GetTextExtentPoint32(dc, demo.notes_text.c_str(), int(demo.notes_text.size()), &size);
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
            CreateCaret(hwnd, nullptr, 2, tm.tmHeight);
            SetCaretPos(4 + size.cx, 4);
            ShowCaret(hwnd);
            return 0;
        }
        case WM_KILLFOCUS: DestroyCaret(); return 0;
        case WM_LBUTTONDOWN: SetFocus(hwnd); return 0;
        case WM_CHAR:
            if (wParam == '\b') {
                if (!demo.notes_text.empty()) demo.notes_text.pop_back();
            } else if (wParam >= 0x20) {
                demo.notes_text += char(wParam);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            SendMessage(hwnd, WM_SETFOCUS, 0, 0);  // moves the caret behind the text
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            TextOut(dc, 4, 4, demo.notes_text.c_str(), int(demo.notes_text.size()));
            SelectObject(dc, old);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void layout(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    MoveWindow(demo.canvas, 8, 8, r.right - 16, 60, TRUE);
    MoveWindow(demo.notes, 8, 76, r.right - 16, 26, TRUE);
    MoveWindow(GetDlgItem(hwnd, kControlsButtonId), 8, 110, 90, 24, TRUE);
}

LRESULT main_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            demo.main = hwnd;
            demo.canvas = CreateWindowEx(WS_EX_CLIENTEDGE, "WinDemoCanvas", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                         hwnd, reinterpret_cast<HMENU>(std::uintptr_t(kCanvasId)), nullptr, nullptr);
            demo.notes =
                CreateWindowEx(WS_EX_CLIENTEDGE, "WinDemoNotes", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10,
                               hwnd, reinterpret_cast<HMENU>(std::uintptr_t(kNotesId)), nullptr, nullptr);
            CreateWindowEx(0, "BUTTON", "&Controls...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10,
                           10, hwnd, reinterpret_cast<HMENU>(std::uintptr_t(kControlsButtonId)), nullptr, nullptr);
            return 0;
        case WM_SIZE: layout(hwnd); return 0;
        case WM_COMMAND: {
            UINT id = LOWORD(wParam);
            if (id == UINT(kControlsButtonId)) id = IDM_CONTROLS;
            switch (id) {
                case IDM_CONTROLS: {
                    log("command controls");
                    LONG_PTR result = DialogBox(nullptr, MAKEINTRESOURCE(200), hwnd, controls_dialog);
                    log("dialog returned " + std::to_string(result));
                    return 0;
                }
                case IDM_ABOUT: {
                    char text[128];
                    LoadString(nullptr, 2, text, sizeof text);
                    log("about answered " +
                        std::to_string(MessageBox(hwnd, text, "About", MB_OK | MB_ICONINFORMATION)));
                    return 0;
                }
                case IDM_EXIT:
                    log("command exit");
                    DestroyWindow(hwnd);
                    return 0;
                case IDM_RED:
                case IDM_GREEN:
                case IDM_BLUE:
                    log("colour " + std::to_string(id));
                    choose_colour(id);
                    for (UINT item : {IDM_RED, IDM_GREEN, IDM_BLUE}) {
                        CheckMenuItem(GetMenu(hwnd), item, item == id ? MF_CHECKED : MF_UNCHECKED);
                    }
                    return 0;
                case IDM_PAUSE:
                    demo.paused = !demo.paused;
                    CheckMenuItem(GetMenu(hwnd), IDM_PAUSE, demo.paused ? MF_CHECKED : MF_UNCHECKED);
                    log(demo.paused ? "paused" : "resumed");
                    return 0;
                default: return 0;
            }
        }
        case WM_DESTROY:
            DestroyAcceleratorTable(demo.accelerators);
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void register_classes() {
    static bool done = false;
    if (done) return;
    kit::res::register_module(&windemo_resources());
    WNDCLASS wc{};
    wc.lpfnWndProc = main_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_3DFACE + 1));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "WinDemoMain";
    RegisterClass(&wc);
    wc.lpfnWndProc = canvas_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_WINDOW + 1));
    wc.lpszClassName = "WinDemoCanvas";
    RegisterClass(&wc);
    wc.lpfnWndProc = notes_proc;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = "WinDemoNotes";
    RegisterClass(&wc);
    done = true;
}

}  // namespace

std::vector<std::string>& event_log() {
    static std::vector<std::string> lines;
    return lines;
}

HWND create_main_window() {
    register_classes();
    demo = DemoState{};
    char title[64];
    LoadString(nullptr, 1, title, sizeof title);
    demo.accelerators = LoadAccelerators(nullptr, MAKEINTRESOURCE(1));
    HWND hwnd = CreateWindowEx(0, "WinDemoMain", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 360, 240,
                               nullptr, LoadMenu(nullptr, MAKEINTRESOURCE(1)), nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

int run_message_loop(HWND main_window) {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_SPACE) && GetFocus() != demo.notes) {
            SendMessage(main_window, WM_COMMAND, IDM_PAUSE, 0);
            continue;
        }
        if (TranslateAccelerator(main_window, demo.accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return int(msg.wParam);
}

}  // namespace windemo
