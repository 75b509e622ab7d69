#pragma once
// The main frame's four toolbars ("File", "Compile", "Edit", "Debug"): their ids,
// titles and buttons, defined on a toolbar manager. Header-only, so that the frame
// lab shows the same bars without linking the IDE.
#include <array>
#include <vector>

#include "uikit/frames/toolbar_manager.h"

namespace shell {

struct FrameToolBar {
    UINT id;
    const char* title;
    std::vector<UINT> buttons;  // command ids; 0 is a separator
};

inline const std::array<FrameToolBar, 4>& FrameToolBars() {
    static const std::array<FrameToolBar, 4> toolbars{{
        {0xE800, "File", {57600, 32776, 57601, 57603, 32783, 0, 57607, 57664}},
        {0xE805, "Compile", {32930, 32931, 32932, 32933, 0, 32934, 32925}},
        {0xE806,
         "Edit",
         {57635, 57634, 57637, 57632, 0, 57643, 57644, 0, 57636, 32912, 0, 45027, 45028, 45029, 45030, 0, 32919}},
        {0xE807,
         "Debug",
         {32924, 32926, 32927, 0, 32923, 32851, 32852, 32853, 0, 32921, 32920, 32922, 32928, 0, 45040, 45041}},
    }};
    return toolbars;
}

// Defines the four as the manager's default toolbars: the first docks first at the
// top, the others follow it in its row.
inline void DefineFrameToolBars(SECToolBarManager& manager) {
    const UINT first = FrameToolBars().front().id;
    for (const FrameToolBar& toolbar : FrameToolBars())
        manager.DefineDefaultToolBar(toolbar.id, toolbar.title, UINT(toolbar.buttons.size()), toolbar.buttons.data(),
                                     CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, toolbar.id == first ? 0 : first, TRUE, TRUE);
}

}  // namespace shell
