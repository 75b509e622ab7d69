#include "ide/shell/frame_toolbars.h"

namespace shell {

const std::array<FrameToolBar, 4>& FrameToolBars() {
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

bool CreateFrameToolBars(SECToolBarManager& manager, std::initializer_list<UINT> menus) {
    RegisterToolbarPictures();
    if (!manager.LoadToolBarResource(kToolbarResource, kToolbarResource)) return false;
    // The first docks first at the top; the others follow it in its row.
    const UINT first = FrameToolBars().front().id;
    for (const FrameToolBar& toolbar : FrameToolBars())
        manager.DefineDefaultToolBar(toolbar.id, toolbar.title, UINT(toolbar.buttons.size()), toolbar.buttons.data(),
                                     CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, toolbar.id == first ? 0 : first, TRUE, TRUE);
    manager.EnableCoolLook(TRUE, CBRS_EX_COOLBORDERS);
    manager.SetMenuInfo(menus);
    manager.CreateDefaultToolBars();
    return true;
}

}  // namespace shell
