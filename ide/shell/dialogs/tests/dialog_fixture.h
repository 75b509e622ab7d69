#pragma once
// A headless display, an owner window and a workspace for the project
// dialogs; helpers read and drive the controls of the dialog on show.
#include <gtest/gtest.h>

#include <string>

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/tests/sheet_driver.h"
#include "ide/workspace/tests/workspace_fixture.h"
#include "platform/display/headless.h"
#include "platform/afx/afx.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/dialog_api.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace ide::testing {

class DialogFixture : public WorkspaceFixture, protected SheetDriver {
protected:
    DialogFixture() : SheetDriver(screen) {}

    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        kit::res::register_module(&ide_dialog_resources());
        owner.CreateEx(0, "Static", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0);
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        owner.DestroyWindow();
        AfxDeleteTempMaps();  // the wrappers an application's idle time would free
        kit::res::unregister_module(&ide_dialog_resources());
        gdi::set_test_font_everywhere(false);
    }

    void shoot(HWND top_level, const std::string& name) {
        EXPECT_TRUE(testing_kit::matches_painted_golden(top_level, "ide/shell/dialogs/tests/golden/" + name + ".png"));
    }

    kit::display::Headless screen;  // the driver's display
    CWnd owner;
};

}  // namespace ide::testing
