#pragma once
// Rectangle arithmetic the drawing and window layers share. Right and bottom
// are exclusive; a rectangle with right <= left or bottom <= top is empty.
#include "platform/gdi/win_types.h"

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT pt);
// Both return FALSE and an empty result when the result is empty.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
// a minus b when that leaves a rectangle; otherwise a itself.
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);
