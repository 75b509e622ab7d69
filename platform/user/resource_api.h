#pragma once
// Loading resources registered with kit::res by the ids the programs fix.
#include "platform/user/user_types.h"

inline const char* MAKEINTRESOURCE(unsigned id) { return reinterpret_cast<const char*>(std::uintptr_t(id & 0xFFFF)); }
inline bool IS_INTRESOURCE(const char* name) { return reinterpret_cast<std::uintptr_t>(name) <= 0xFFFF; }

// Standard cursors.
inline const char* const IDC_ARROW = MAKEINTRESOURCE(32512);
inline const char* const IDC_IBEAM = MAKEINTRESOURCE(32513);
inline const char* const IDC_WAIT = MAKEINTRESOURCE(32514);
inline const char* const IDC_CROSS = MAKEINTRESOURCE(32515);
inline const char* const IDC_SIZEWE = MAKEINTRESOURCE(32644);
inline const char* const IDC_SIZENS = MAKEINTRESOURCE(32645);
inline const char* const IDC_NO = MAKEINTRESOURCE(32648);

int LoadString(HINSTANCE instance, UINT id, char* buffer, int size);
HMENU LoadMenu(HINSTANCE instance, const char* name);
HACCEL LoadAccelerators(HINSTANCE instance, const char* name);
// A 32-bit bitmap; transparent pixels take the button face colour.
HBITMAP LoadBitmap(HINSTANCE instance, const char* name);
// Standard cursors with a null instance, the program's own cursors otherwise.
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
HICON LoadIcon(HINSTANCE instance, const char* name);

namespace kit::user {
// The resource id behind a cursor handle (standard ids 32512...), for displays.
unsigned cursor_id(HCURSOR cursor);
}  // namespace kit::user
