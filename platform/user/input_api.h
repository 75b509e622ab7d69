#pragma once
// Focus, activation, capture, keyboard and mouse state, carets, and the
// injection of input by displays and tests.
#include <optional>

#include "platform/user/keys.h"
#include "platform/user/user_types.h"

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// State as of the last input message retrieved from the queue.
short GetKeyState(int vk);
// State as of the last input injected.
short GetAsyncKeyState(int vk);
BOOL GetCursorPos(POINT* out);
BOOL SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Asks for WM_MOUSELEAVE once the pointer leaves a window's client area.
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* request);

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* out);
UINT GetCaretBlinkTime();

namespace kit::user {

enum class MouseButton { left, right, middle };

// The buttons a display saw held when the pointer moved (as the hand presses
// them, before any swap of left and right).
struct HeldButtons {
    bool left = false, right = false, middle = false;
};

// Input as a display or a test delivers it: screen coordinates, virtual keys.
// Each event goes to the queue of the thread whose window it concerns and is
// turned into window messages when that thread retrieves it.
// A move from a display that knows the buttons held releases first, at the
// move's point, each button pressed here that the move finds up: its release
// was never heard (a grab refused, a release over another program), and a
// capture or drag loop waiting for it ends as that release would end it. The
// display's own late report of such a release is then dropped.
void inject_mouse_move(POINT screen, std::optional<HeldButtons> held = std::nullopt);
void inject_mouse_button(MouseButton button, bool down, POINT screen);
void inject_mouse_wheel(int delta, POINT screen);
void inject_key(int vk, bool down);
// Text that no key produces (an input method): WM_CHAR bytes to the focus window.
void inject_text(const char* bytes);

// Where the caret stands and whether it is shown at this moment of its blink;
// the painter of a window draws it (XOR) after the window's own painting.
struct CaretState {
    HWND hwnd = nullptr;
    RECT rect{};
    bool visible = false;
};
CaretState caret_state();

// Forgets focus, activation, capture, key state and the caret (between tests).
void reset_input_state();

}  // namespace kit::user
