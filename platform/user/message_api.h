#pragma once
// Sending, posting and retrieving messages; timers; message hooks.
#include <exception>

#include "platform/user/messages.h"
#include "platform/user/user_types.h"

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL GetMessage(MSG* msg, HWND filter, UINT first, UINT last);
BOOL PeekMessage(MSG* msg, HWND filter, UINT first, UINT last, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
void PostQuitMessage(int exit_code);
BOOL WaitMessage();
UINT RegisterWindowMessage(const char* name);
BOOL InSendMessage();
DWORD GetMessageTime();
DWORD GetTickCount();

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

constexpr int WH_MSGFILTER = -1;
constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MENU = 2;
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE instance, DWORD thread_id);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// Offers `msg` to the thread's WH_MSGFILTER hooks; true when one of them handled it.
BOOL CallMsgFilter(MSG* msg, int code);

namespace kit::user {

// One step of a modal loop (menus, drags, dialogs): retrieves the next message
// for the loop. False when the loop must end because WM_QUIT arrived; the quit
// is posted again so that the outer loop ends too.
bool modal_loop_next(MSG& msg);

// Where dispatch stops an exception that a window procedure let out (a message
// sent from another thread: the sender is answered with the result). The
// handler reports the error and gives the result; the framework sets its own.
// Without one, the error goes to standard error and the result is 0.
using DispatchExceptionHandler = LRESULT (*)(const MSG& msg, std::exception_ptr error);
void set_dispatch_exception_handler(DispatchExceptionHandler handler);
LRESULT stop_dispatch_exception(const MSG& msg, std::exception_ptr error);

}  // namespace kit::user
