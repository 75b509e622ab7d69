#pragma once
// The bars' one layout rule: their tab window fills what the gripper and the
// borders leave, without a change of z-order or activation.
#include "uikit/frames/control_bar.h"

inline void FitToInside(SECControlBar& bar, CWnd& child) {
    if (!child.m_hWnd) return;
    CRect inside;
    bar.GetInsideRect(inside);
    child.SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
}
