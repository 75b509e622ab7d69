#include "ide/shell/frame_toolbars.h"

namespace shell {

bool CreateFrameToolBars(SECToolBarManager& manager, std::initializer_list<UINT> menus) {
    RegisterToolbarPictures();
    if (!manager.LoadToolBarResource(kToolbarResource, kToolbarResource)) return false;
    DefineFrameToolBars(manager);
    manager.EnableCoolLook(TRUE, CBRS_EX_COOLBORDERS);
    manager.SetMenuInfo(menus);
    manager.CreateDefaultToolBars();
    return true;
}

}  // namespace shell
