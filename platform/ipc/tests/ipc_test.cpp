#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/ipc/leftovers.h"
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

    // The names in the runtime folder.
    std::set<std::string> runtime_files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
    // The shared memory a mapping's record names (its last line).
    std::string memory_of(const std::string& record) const {
        const std::string text = testing_kit::read_file(scratch_ / record);
        return text.substr(text.rfind('\n') + 1);
    }

    testing_kit::TempDir scratch_;
};

bool memory_exists(const std::string& name) {
    const int fd = shm_open(name.c_str(), O_RDONLY, 0);
    if (fd >= 0) close(fd);
    return fd >= 0 || errno != ENOENT;
}

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

// Each debug run makes and ends its mappings: nothing of them is left behind.
TEST_F(IpcTest, AMappingTakesItsRecordLockAndMemoryWithItWhenItEnds) {
    testing_kit::TempDir elsewhere;
    std::string why;
    std::string memory;
    {
        auto in_memory = ipc::SharedMapping::create_in_memory("5", "IRom", 4096, &why);
        ASSERT_TRUE(in_memory) << why;
        auto over_file =
            ipc::SharedMapping::create_over_file("5", "ERam", elsewhere / "ram.mem", 4096, ipc::FileStart::Fresh, &why);
        ASSERT_TRUE(over_file) << why;
        memory = memory_of("mapping-5-irom");
        EXPECT_TRUE(memory_exists(memory)) << memory;
    }
    EXPECT_EQ(runtime_files(), std::set<std::string>{});
    EXPECT_FALSE(memory_exists(memory)) << memory;
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "ram.mem")) << "the user's RAM file is kept";
}

// What killed processes left is cleared at a start; what live ones use stays
// and keeps working.
TEST_F(IpcTest, LeftoversOfKilledProcessesAreClearedAndWhatLiveOnesUseStays) {
    const ipc::WindowHandle dead_window = ipc::allocate_window_handle(), live_window = ipc::allocate_window_handle();
    PeerProcess dead_mapping({"hold", "7", "IRom"}), dead_port({"serve", std::to_string(dead_window)});
    PeerProcess live_mapping({"hold", "8", "IRom"}), live_port({"serve", std::to_string(live_window)});
    for (PeerProcess* peer : {&dead_mapping, &dead_port, &live_mapping, &live_port})
        ASSERT_EQ(peer->read_line(), "ready");
    const std::string dead_memory = memory_of("mapping-7-irom"), live_memory = memory_of("mapping-8-irom");
    dead_mapping.kill_now();
    dead_port.kill_now();
    // A record being written when its writer was killed.
    scratch_.write("mapping-9-eram.new", "shm\n");

    ipc::remove_leftovers();
    const std::set<std::string> live = {"window-handles", "mapping-8-irom", "mapping-8-irom.lock",
                                        "window-" + std::to_string(live_window)};
    EXPECT_EQ(runtime_files(), live);
    EXPECT_FALSE(memory_exists(dead_memory)) << dead_memory;
    EXPECT_TRUE(memory_exists(live_memory)) << live_memory;
    std::string why;
    EXPECT_TRUE(ipc::SharedMapping::open("8", "IRom", ipc::MappingAccess::ReadOnly, &why)) << why;
    EXPECT_FALSE(ipc::SharedMapping::create_in_memory("8", "IRom", 4096, &why)) << "the live name stays taken";
    EXPECT_TRUE(ipc::post_message(live_window, 0x8100, 1, 2));
    EXPECT_TRUE(ipc::SharedMapping::create_in_memory("7", "IRom", 4096, &why)) << why;
}

// A FIFO where a record should be is no record: the sweep at a start passes
// over it instead of waiting for a writer that never comes.
TEST_F(IpcTest, AFifoUnderARecordsNameDoesNotHoldUpTheSweep) {
    ASSERT_EQ(mkfifo((scratch_ / "mapping-5-irom").c_str(), 0600), 0);
    ipc::remove_leftovers();
    std::string why;
    EXPECT_TRUE(ipc::SharedMapping::create_in_memory("5", "IRom", 4096, &why)) << why;
}

// Letting a name go removes its lock file, so whoever waited on that file must
// not count as its owner: with names let go, taken and cleared at once from
// several threads, a name never has two owners.
TEST_F(IpcTest, ANameHasOneOwnerWhileOthersTakeLetGoAndClearItAtOnce) {
    std::atomic<int> owners{0}, most{0}, taken{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            while (!stop) {
                auto mapping = ipc::SharedMapping::create_in_memory("race", "ERam", 4096, nullptr);
                if (!mapping) continue;
                const int now = ++owners;
                for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
                }
                std::this_thread::yield();
                --owners;
                ++taken;
            }
        });
    threads.emplace_back([&] {
        while (!stop) ipc::remove_leftovers();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    stop = true;
    for (std::thread& thread : threads) thread.join();
    EXPECT_GT(taken.load(), 0);
    EXPECT_EQ(most.load(), 1);
    EXPECT_EQ(runtime_files(), std::set<std::string>{});
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
