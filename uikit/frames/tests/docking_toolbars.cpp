#include "uikit/frames/tests/docking_toolbars.h"

#include "uikit/frames/testing/toolbar_pictures.h"

namespace docking_test {

namespace {

constexpr UINT kToolBarResource = 128;  // every toolbar command once, with its picture

const kit::res::Module& toolbar_module() {
    static const kit::res::Module module = [] {
        std::vector<std::vector<unsigned>> buttons;
        for (const TestToolBar& toolbar : test_toolbars()) buttons.push_back(toolbar.buttons);
        return frames_testing::toolbar_pictures("docking test toolbars", kToolBarResource, buttons);
    }();
    return module;
}

}  // namespace

const std::array<TestToolBar, 4>& test_toolbars() {
    static const std::array<TestToolBar, 4> toolbars{{
        {0xE800, "File", {57600, 32776, 57601, 57603, 32783, 0, 57607, 57664}},
        {0xE805, "Compile", {32930, 32931, 32932, kStopBuild, 0, 32934, 32925}},
        {0xE806,
         "Edit",
         {57635, 57634, 57637, 57632, 0, 57643, 57644, 0, 57636, 32912, 0, 45027, 45028, 45029, 45030, 0, 32919}},
        {0xE807,
         "Debug",
         {32924, 32926, 32927, 0, kStopDebug, 32851, 32852, 32853, 0, 32921, 32920, 32922, 32928, 0, 45040, 45041}},
    }};
    return toolbars;
}

BOOL create_test_toolbars(SECToolBarManager& manager) {
    static const bool registered = (kit::res::register_module(&toolbar_module()), true);
    (void)registered;
    if (!manager.LoadToolBarResource(kToolBarResource, kToolBarResource)) return FALSE;
    const UINT first = test_toolbars().front().id;
    for (const TestToolBar& toolbar : test_toolbars())
        manager.DefineDefaultToolBar(toolbar.id, toolbar.title, UINT(toolbar.buttons.size()), toolbar.buttons.data(),
                                     CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, toolbar.id == first ? 0 : first, TRUE, TRUE);
    manager.EnableCoolLook(TRUE, CBRS_EX_COOLBORDERS);
    manager.CreateDefaultToolBars();
    return TRUE;
}

}  // namespace docking_test
