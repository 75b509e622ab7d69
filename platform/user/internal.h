#pragma once
// What the files of the window manager share among themselves.
#include "platform/user/window_table.h"

namespace kit::user {

// Calls the window's procedure on the current thread (the window's owner).
LRESULT call_window(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Geometry.
RECT client_rect_in_parent(const Window& w);  // the client area in the parent's client coordinates
POINT client_origin_on_screen(HWND hwnd);
POINT window_origin_on_screen(HWND hwnd);
void recalc_client(Window& w);         // WM_NCCALCSIZE from the window rectangle
bool is_visible_on_screen(HWND hwnd);  // itself and every ancestor visible
HWND top_level_of(HWND hwnd);

// Painting.
void invalidate_client(HWND hwnd, const RECT* client_rect, bool erase, bool with_children);
void invalidate_frame(HWND hwnd);
void validate_client(HWND hwnd, const RECT* client_rect);
bool take_paint_message(MSG& out, HWND filter);
void forget_paint(Window& w);

// Input: turning a raw injected event into the message its window receives.
// `commit` applies what retrieval changes (key state, double-click tracking, activation).
bool route_input(const MSG& raw, MSG& routed, bool commit);
void input_window_destroyed(HWND hwnd);
bool menu_key_pressed_alone();
void reset_caret();
void caret_window_destroyed(HWND hwnd);
// A window's pixels scrolled by (dx, dy) within `area`: a caret inside it moves along.
void scroll_caret(HWND hwnd, int dx, int dy, const RECT& area);

// Default handling shared by DefWindowProc and the files that own the state.
LRESULT default_text_message(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
void default_window_pos_changed(HWND hwnd, const WINDOWPOS& pos);

// Moves (HTCAPTION) or sizes (a frame hit code) a window by the mouse from `start`.
void track_move_size(HWND hwnd, LRESULT hit, POINT start);

// The menu bar's part of the non-client area.
int menu_bar_height(HWND hwnd, int width);

}  // namespace kit::user
