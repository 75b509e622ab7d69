// Corvel's memory and register bars in the main frame: where they dock, hidden
// until a debug run, the changes a stop marks against the snapshot taken when
// the target ran, and no access to the target's memory once the run ended.
#include <memory>

#include <gtest/gtest.h>

#include "ide/debugger/debug_host.h"
#include "ide/debugger/target_memory.h"
#include "ide/debugger/testing/target_fixture.h"
#include "ide/shell/debug/frame_debug_windows.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/dock_bar.h"

namespace {

constexpr int kRegisterA = 4;

class CorvelDebugWindowsTest : public StartedCorvelTest {
protected:
    void SetUp() override {
        StartedCorvelTest::SetUp();
        Start();
    }
    // The frame's debug windows as the debug run drives them.
    shell::FrameDebugWindows windows() { return shell::FrameDebugWindows(frame()); }
    // The debug manager mapped the target, shows the bars and the target stops
    // for the first time (nothing to compare with yet).
    void StartRun(ide::testing::TargetFixture& target) {
        windows().AttachTarget({target.eram, target.rom});
        windows().Update();
        frame().ShowControlBar(&frame().memory_bar(), TRUE, FALSE);
        frame().ShowControlBar(&frame().register_bar(), TRUE, FALSE);
        const os::Status shown = frame().memory_bar().View(0).SetAddress(0x1000);
        EXPECT_TRUE(shown) << shown.error().text;
        HandleQueued(*app);
    }
    std::uint8_t* RegisterBlock(ide::testing::TargetFixture& target) {
        return ide::TargetMemory({target.eram, target.rom}).register_block();
    }
    // The register values a stop shows in red, as their texts.
    std::vector<std::string> ChangedRegisters() {
        std::vector<std::string> changed;
        for (const auto& value : frame().register_bar().Pane(0).Model().Values())
            if (value.changed) changed.push_back(value.text);
        return changed;
    }
    void Repaint() {
        RedrawWindow(frame().m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HandleQueued(*app);
    }
};

UINT DockSide(CControlBar& bar) { return bar.m_pDockBar ? UINT(bar.m_pDockBar->GetDlgCtrlID()) : 0; }

TEST_F(CorvelDebugWindowsTest, TheBarsDockAtTheBottomAndShowOnlyDuringADebugRun) {
    for (SECControlBar* bar :
         {static_cast<SECControlBar*>(&frame().memory_bar()), static_cast<SECControlBar*>(&frame().register_bar())}) {
        EXPECT_EQ(DockSide(*bar), UINT(AFX_IDW_DOCKBAR_BOTTOM));
        EXPECT_FALSE(bar->IsVisible());
    }
    EXPECT_EQ(frame().memory_bar().GetWindowText(), "Memory Window");
    EXPECT_EQ(frame().register_bar().GetWindowText(), "Register Window");

    ide::testing::TargetFixture target;
    StartRun(target);
    frame().RecalcLayout();
    EXPECT_TRUE(frame().memory_bar().IsVisible());
    EXPECT_TRUE(frame().register_bar().IsVisible());

    frame().SendMessage(ide::WM_DEBUGNOTIFY, MAKEWPARAM(0, ide::DbgNotifyDebugEnded), 0);
    frame().RecalcLayout();
    EXPECT_FALSE(frame().memory_bar().IsVisible());
    EXPECT_FALSE(frame().register_bar().IsVisible());
    EXPECT_TRUE(frame().output_bar().IsVisible());
}

// Each stop is compared with the values at the last resume, not the first one.
TEST_F(CorvelDebugWindowsTest, AStopMarksWhatChangedSinceTheTargetLastRan) {
    ide::testing::TargetFixture target;
    StartRun(target);
    std::uint8_t* block = RegisterBlock(target);
    ASSERT_NE(block, nullptr);
    const std::uint8_t stored[] = {0x5A};

    windows().Snapshot();
    target.poke(0x1010, stored);
    block[kRegisterA] = 0x42;
    windows().Update();
    Repaint();
    const ide::CMemImage* image = frame().memory_bar().View(0).Image();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->IsChanged(0x1010));
    EXPECT_FALSE(image->IsChanged(0x1011));
    EXPECT_EQ(ChangedRegisters(), std::vector<std::string>{"42"});
    EXPECT_TRUE(frame().memory_bar().View(1).Image()->IsChanged(0x1010));  // both views

    windows().Snapshot();  // runs again and stops with nothing changed
    windows().Update();
    EXPECT_FALSE(image->IsChanged(0x1010));
    EXPECT_TRUE(ChangedRegisters().empty());
}

// The memory goes away right after the drop: painting, a stop refresh or a
// snapshot must not touch it (AddressSanitizer reports any access).
TEST_F(CorvelDebugWindowsTest, AfterTheRunEndsNoWindowReachesTheTargetsMemory) {
    auto target = std::make_unique<ide::testing::TargetFixture>();
    StartRun(*target);
    windows().Snapshot();
    windows().Update();
    Repaint();

    windows().DropTargetMemory();
    target.reset();
    EXPECT_EQ(frame().memory_bar().View(0).Image(), nullptr);
    EXPECT_EQ(frame().memory_bar().View(1).Image(), nullptr);
    windows().Update();
    windows().Snapshot();
    frame().register_bar().Pane(0).SetFocus();
    Repaint();
    EXPECT_TRUE(frame().register_bar().Pane(0).Model().Values().empty());
}

}  // namespace
