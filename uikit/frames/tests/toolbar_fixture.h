#pragma once
// A frame with a toolbar manager over a test toolbar resource: eight commands
// (100-107) with pictures in the standard greys, a frame that counts the
// commands it receives and disables the ones a test names.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "platform/res/resources.h"
#include "uikit/frames/mdi_frame.h"
#include "uikit/frames/toolbar_manager.h"

namespace toolbar_test {

constexpr UINT kToolBarResource = 128;
constexpr UINT kFirstCommand = 100;
constexpr int kCommands = 8;
// Two menus for menu buttons: without and with a document open.
constexpr UINT kMenuNoDocument = 128, kMenuDocument = 129;

// Test pictures: image i is a black frame holding i + 1 dark grey bars on white.
kit::res::Module& test_resources();

// The bar's button ids in order, 0 for a separator.
std::vector<UINT> ids_of(const SECCustomToolBar& bar);

class CountingFrame : public SECMDIFrameWnd {
public:
    std::vector<UINT> commands;
    // Menu drops asked for by menu buttons: menu and position.
    std::vector<std::pair<UINT_PTR, int>> drops;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    std::set<UINT> disabled;
    // Runs as a command arrives, before it is counted.
    std::function<void(UINT)> on_command;
    // Runs as a button's drop-down notification arrives.
    std::function<void()> on_drop_down;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

private:
    // Expires as the frame is deleted, which a command it runs may do.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A toolbar docked at the top made by the manager, with the ids (0 a separator).
    SECCustomToolBar* make_bar(UINT id, const std::vector<UINT>& buttons, const char* title = "Bar");
    // The same in another frame with its own manager.
    SECCustomToolBar* make_bar_in(CountingFrame* in, SECToolBarManager* by, UINT id, const std::vector<UINT>& buttons,
                                  const char* title = "Bar");
    void pump();
    // The frame's picture against uikit/frames/tests/golden/<name>.png.
    ::testing::AssertionResult matches_snapshot(const std::string& name);

    kit::display::Headless display;
    CountingFrame* frame = nullptr;
    SECToolBarManager* manager = nullptr;
};

}  // namespace toolbar_test
