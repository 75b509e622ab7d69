#pragma once
// A docking frame's layout as text, one line a window, for tests and tools
// that compare layouts or script a mouse over them.
#include <string>

#include "platform/afx/afx.h"

class SECMDIFrameWnd;

// The client area; every dock bar with its bars (side, row, column, place in
// the frame's client coordinates, shown or hidden, relative width) and its
// splitters; then every floating docking window with its floating frame.
std::string sec_layout_text(SECMDIFrameWnd& frame);

// "(left,top)-(right,bottom) widthxheight".
std::string sec_rect_text(const RECT& r);
