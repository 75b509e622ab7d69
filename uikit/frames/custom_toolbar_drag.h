#pragma once
// Dragging a toolbar button with the outline tracker and dropping it where the
// mouse lets go (used by the toolbars and by the customize dialog's menu list).
#include "uikit/frames/custom_toolbar.h"

// Drags `button` (the index-th of `source`, or a stand-alone button when
// `source` is null) from `point`, client coordinates of `source_wnd`. A copy
// leaves the source as it is. FALSE when the source bar went away.
BOOL sec_button_drag(SECToolBarManager* manager, SECStdBtn* button, int index, CPoint point, SECCustomToolBar* source,
                     CWnd* source_wnd, BOOL copy);
