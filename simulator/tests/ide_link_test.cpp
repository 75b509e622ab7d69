#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_messages.h"
#include "simulator/link/ide_link.h"
#include "testing/temp_dir.h"

namespace {

TEST(IdeLink, IncomingCodesCountOnlyInDebugModeExceptTheCloseRequest) {
    struct Case {
        uint64_t wparam, lparam;
        bool debug;
        std::optional<sim::IdeCommand> command;
    };
    const Case cases[] = {
        {0x1011FFFF, 0, true, sim::IdeCommand::Run},
        {0x1012FFFF, 0, true, sim::IdeCommand::Resume},
        {0x1012FFFF, 0, false, std::nullopt},
        {0x1013FFFF, 0, true, sim::IdeCommand::Exit},
        {0x1014FFFF, 0, true, sim::IdeCommand::AckEnd},
        {0x00001002, 0xFFFF, false, sim::IdeCommand::Close},
        {0x00001002, 0xFFFF, true, sim::IdeCommand::Close},
        {0x00001002, 0, true, std::nullopt},
        {0x1002FFFF, 0, true, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sim::ide_command(c.wparam, c.lparam, c.debug), c.command) << std::hex << c.wparam;
}

TEST(IdeLink, NoticesReachALiveIdeAndAreNoOpsOtherwise) {
    testing_kit::TempDir runtime;
    setenv(ipc::kRuntimeDirVariable, runtime.path().c_str(), 1);
    ipc::WindowHandle ide = ipc::allocate_window_handle();
    auto port = ipc::MessagePort::open(ide);
    ASSERT_TRUE(port);
    sim::IdeLink link(ide);

    ASSERT_TRUE(link.notify_stopped(sim::breakpoint_stop_lparam(5, true, 0x4123)));
    ASSERT_TRUE(link.notify_downloaded(3, 1, 70001));
    ASSERT_TRUE(link.notify_exited());
    auto stopped = port->receive(1000), downloaded = port->receive(1000), exited = port->receive(1000);
    ASSERT_TRUE(stopped && downloaded && exited);
    EXPECT_EQ(stopped->message, 0x8100u);
    EXPECT_EQ(stopped->wparam, 0x1002FFFFu);
    EXPECT_EQ(stopped->lparam, 0x41238005u);
    EXPECT_EQ(downloaded->wparam, 0xFFFC0301u);
    EXPECT_EQ(downloaded->lparam, 70001u);
    EXPECT_EQ(exited->message, 0x0111u);
    EXPECT_EQ(exited->wparam, 0x1003FFFFu);

    port.reset();
    EXPECT_FALSE(link.notify_ended()) << "the IDE's window is gone";
    EXPECT_FALSE(sim::IdeLink(0).notify_ended());
    unsetenv(ipc::kRuntimeDirVariable);
}

}  // namespace
