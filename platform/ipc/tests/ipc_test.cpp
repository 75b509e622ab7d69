#include <algorithm>
#include <cstdlib>
#include <set>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/ipc/tests/peer_process.h"
#include "testing/temp_dir.h"

namespace {

// Each test meets its peers in a runtime folder of its own.
class IpcTest : public ::testing::Test {
protected:
    IpcTest() { setenv(ipc::kRuntimeDirVariable, scratch_.path().c_str(), 1); }
    ~IpcTest() override { unsetenv(ipc::kRuntimeDirVariable); }
    testing_kit::TempDir scratch_;
};

TEST_F(IpcTest, TenThousandMessagesCrossBothWaysInOrder) {
    ipc::WindowHandle own = ipc::allocate_window_handle();
    ipc::WindowHandle peer_window = ipc::allocate_window_handle();
    auto port = ipc::MessagePort::open(own);
    ASSERT_TRUE(port);
    constexpr int kCount = 10000;
    PeerProcess peer({"echo", std::to_string(peer_window), std::to_string(own), std::to_string(kCount)});
    ASSERT_EQ(peer.read_line(), "ready");

    std::thread sender([&] {
        for (int i = 0; i < kCount; ++i)
            ASSERT_TRUE(ipc::post_message(peer_window, 0x8100, 0x10120000u + i, ~uint64_t(i)));
    });
    int in_order = 0;
    for (int i = 0; i < kCount; ++i) {
        auto message = port->receive(10000);
        if (!message) break;
        if (message->message == 0x8100 && message->wparam == 0x10120000u + i && message->lparam == ~uint64_t(i))
            ++in_order;
    }
    sender.join();
    EXPECT_EQ(in_order, kCount);
    EXPECT_EQ(peer.wait(), 0);
}

TEST_F(IpcTest, WindowOfAKilledPeerIsDeadAndItsPortCanBeTakenOver) {
    ipc::WindowHandle window = ipc::allocate_window_handle();
    PeerProcess peer({"serve", std::to_string(window)});
    ASSERT_EQ(peer.read_line(), "ready");
    EXPECT_TRUE(ipc::is_window(window));
    EXPECT_TRUE(ipc::post_message(window, 0x8100, 1, 2));
    EXPECT_FALSE(ipc::MessagePort::open(window)) << "a live port must not be stolen";

    peer.kill_now();
    EXPECT_FALSE(ipc::is_window(window));
    EXPECT_FALSE(ipc::post_message(window, 0x8100, 1, 2));
    EXPECT_TRUE(ipc::MessagePort::open(window));
}

TEST_F(IpcTest, UnknownAndZeroWindowsAreNotWindows) {
    EXPECT_FALSE(ipc::is_window(0));
    EXPECT_FALSE(ipc::is_window(ipc::allocate_window_handle()));
    EXPECT_FALSE(ipc::post_message(0, 0x8100, 0, 0));
}

TEST_F(IpcTest, WindowHandlesAreUniqueAcrossProcessesAndBelowTwoToThe31) {
    PeerProcess peer({"handles", "2000"});
    std::vector<ipc::WindowHandle> ours;
    for (int i = 0; i < 2000; ++i) ours.push_back(ipc::allocate_window_handle());
    std::set<ipc::WindowHandle> seen(ours.begin(), ours.end());
    for (std::string line = peer.read_line(); !line.empty(); line = peer.read_line())
        seen.insert(static_cast<ipc::WindowHandle>(std::stoul(line)));
    EXPECT_EQ(seen.size(), 4000u);
    EXPECT_GE(*seen.begin(), ipc::kFirstSharedHandle);
    EXPECT_LT(*seen.rbegin(), ipc::kSharedHandleLimit);
}

TEST_F(IpcTest, FileMappingIsSharedLiveAndStaysInTheFileAfterTheWriterEnds) {
    auto file = scratch_ / "ram.mem";
    PeerProcess peer({"file", "7", "ERam", file.string(), "16384"});
    ASSERT_EQ(peer.read_line(), "ready");
    std::string why;
    auto view = ipc::SharedMapping::open("7", "eram", ipc::MappingAccess::ReadWrite, &why);
    ASSERT_TRUE(view) << why;
    ASSERT_EQ(view->size(), 16384u);

    view->data()[1001] = 0x5A;  // the peer reports what it sees beside its store
    peer.write_line("set 1000 165");
    EXPECT_EQ(peer.read_line(), "ok 90");
    EXPECT_EQ(view->data()[1000], 165);
    peer.write_line("quit");
    EXPECT_EQ(peer.wait(), 0);

    std::string bytes = testing_kit::read_file(file);
    ASSERT_EQ(bytes.size(), 16384u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[1000]), 165);
    EXPECT_EQ(static_cast<uint8_t>(bytes[1001]), 0x5A);
    EXPECT_FALSE(ipc::SharedMapping::open("7", "ERam", ipc::MappingAccess::ReadOnly, &why))
        << "the name goes with its owner";
}

TEST_F(IpcTest, LiveNameIsRefusedAndDeadOwnersNameIsReused) {
    PeerProcess peer({"hold", "42", "IRom"});
    ASSERT_EQ(peer.read_line(), "ready");
    std::string why;
    EXPECT_FALSE(ipc::SharedMapping::create_in_memory("42", "IRom", 4096, &why));
    EXPECT_NE(why.find("in use"), std::string::npos) << why;
    EXPECT_TRUE(ipc::SharedMapping::open("42", "IRom", ipc::MappingAccess::ReadOnly, &why)) << why;

    peer.kill_now();
    EXPECT_FALSE(ipc::SharedMapping::open("42", "IRom", ipc::MappingAccess::ReadOnly, &why))
        << "a dead owner's mapping is not offered";
    auto taken = ipc::SharedMapping::create_in_memory("42", "IRom", 8192, &why);
    ASSERT_TRUE(taken) << why;
    auto view = ipc::SharedMapping::open("42", "IRom", ipc::MappingAccess::ReadOnly, &why);
    ASSERT_TRUE(view) << why;
    EXPECT_EQ(view->size(), 8192u);
}

TEST_F(IpcTest, MemoryLeftByAKilledProcessWithThisPidIsPassedOver) {
    // What a process killed before it could clean up leaves behind, found again
    // when its pid comes round to this process.
    std::vector<std::string> left;
    for (int i = 0; i < 16; ++i) {
        left.push_back("/qvkit-" + std::to_string(getuid()) + "-" + std::to_string(getpid()) + "-" + std::to_string(i));
        const int fd = shm_open(left.back().c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        close(fd);
    }
    std::string why;
    auto mapping = ipc::SharedMapping::create_in_memory("left", "IRom", 4096, &why);
    EXPECT_TRUE(mapping) << why;
    for (const std::string& name : left) shm_unlink(name.c_str());
}

TEST_F(IpcTest, TwoPairsKeepTheirNamesApart) {
    std::string why;
    auto first = ipc::SharedMapping::create_in_memory(ipc::link_namespace(65537), "ERam", 4096, &why);
    auto second = ipc::SharedMapping::create_in_memory(ipc::link_namespace(65538), "ERam", 4096, &why);
    ASSERT_TRUE(first && second) << why;
    first->data()[0] = 1;
    second->data()[0] = 2;
    auto seen = ipc::SharedMapping::open("65537", "ERam", ipc::MappingAccess::ReadOnly, &why);
    ASSERT_TRUE(seen) << why;
    EXPECT_EQ(seen->data()[0], 1);

    setenv(ipc::kLinkNamespaceVariable, "pair-b", 1);
    EXPECT_EQ(ipc::link_namespace(65537), "pair-b");
    unsetenv(ipc::kLinkNamespaceVariable);
}

TEST_F(IpcTest, NamesThatCouldLeaveTheRuntimeFolderAreRefused) {
    std::string why;
    for (const char* space : {"../x", "", "a/b", "a b"})
        EXPECT_FALSE(ipc::SharedMapping::create_in_memory(space, "ERam", 4096, &why)) << space;
    EXPECT_FALSE(ipc::SharedMapping::create_in_memory("1", "ERam", 0, &why));
}

// A folder others could write to, or something that is not a folder, is
// refused, and the reason names the path and what to do about it.
TEST(IpcRuntimeDir, AFolderOthersCouldUseIsRefusedWithWhatToDo) {
    testing_kit::TempDir scratch;
    const std::filesystem::path open_folder = scratch / "open", plain_file = scratch.write("file", "x");
    std::filesystem::create_directory(open_folder);
    std::filesystem::permissions(open_folder, std::filesystem::perms::all);
    struct Case {
        std::filesystem::path dir;
        const char* told;
    };
    for (const Case& c : {Case{open_folder, " is open to other users; make it private (chmod 700)"},
                          Case{plain_file, " is not a folder; remove it"}}) {
        setenv(ipc::kRuntimeDirVariable, c.dir.c_str(), 1);
        std::string why;
        EXPECT_FALSE(ipc::runtime_directory(&why));
        EXPECT_EQ(why, c.dir.string() + c.told);
        EXPECT_EQ(ipc::allocate_window_handle(), 0u);
    }
    unsetenv(ipc::kRuntimeDirVariable);
}

}  // namespace
