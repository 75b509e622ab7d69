#include "tools/framelab/lab_toolbars.h"

#include "uikit/frames/testing/toolbar_pictures.h"

namespace framelab {

namespace {

const kit::res::Module& toolbar_module() {
    static const kit::res::Module module = [] {
        std::vector<std::vector<unsigned>> buttons;
        for (const LabToolBar& toolbar : ide_toolbars()) buttons.push_back(toolbar.buttons);
        return frames_testing::toolbar_pictures("frame lab toolbars", IDR_LAB_TOOLBAR, buttons);
    }();
    return module;
}

}  // namespace

void register_toolbar_resources() {
    static const bool registered = (kit::res::register_module(&toolbar_module()), true);
    (void)registered;
}

BOOL create_ide_toolbars(SECToolBarManager& manager) {
    register_toolbar_resources();
    if (!manager.LoadToolBarResource(IDR_LAB_TOOLBAR, IDR_LAB_TOOLBAR)) return FALSE;
    shell::DefineFrameToolBars(manager);
    manager.EnableCoolLook(TRUE, CBRS_EX_COOLBORDERS);
    manager.CreateDefaultToolBars();
    return TRUE;
}

}  // namespace framelab
