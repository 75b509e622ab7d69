// The framework's error boundary: a handler's exception is reported, deleted,
// and the message gets its default result, on the window's own thread and for
// a sender on another thread; the stack of messages being handled stays balanced.
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

constexpr UINT kFileFailure = WM_USER + 1;
constexpr UINT kStdFailure = WM_USER + 2;
constexpr UINT kQuietFailure = WM_USER + 3;
constexpr UINT kCurrent = WM_USER + 4;

class Failing : public CWnd {
public:
    bool fail_create = false;

    afx_msg int OnCreate(CREATESTRUCT*) {
        if (fail_create) AfxThrowResourceException();
        return int(Default());
    }
    afx_msg LRESULT OnFileFailure(WPARAM, LPARAM) {
        AfxThrowFileException(CFileException::fileNotFound, -1, "BOOT.ASM");
    }
    afx_msg LRESULT OnStdFailure(WPARAM, LPARAM) { throw std::runtime_error("bad table"); }
    afx_msg LRESULT OnQuietFailure(WPARAM, LPARAM) { AfxThrowUserException(); }
    // The message being handled, seen from inside the handler.
    afx_msg LRESULT OnCurrent(WPARAM, LPARAM) { return LRESULT(GetCurrentMessage()->message); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Failing, CWnd)
ON_WM_CREATE()
ON_MESSAGE(kFileFailure, OnFileFailure)
ON_MESSAGE(kStdFailure, OnStdFailure)
ON_MESSAGE(kQuietFailure, OnQuietFailure)
ON_MESSAGE(kCurrent, OnCurrent)
END_MESSAGE_MAP()

class DispatchErrorTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            reported.push_back(q.text);
            return IDOK;
        });
    }
    bool create(Failing& wnd) {
        return wnd.CreateEx(0, nullptr, "failing", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr) != FALSE;
    }

    std::vector<std::string> reported;  // message boxes shown, in order
};

TEST_F(DispatchErrorTest, AHandlersExceptionIsReportedAndTheMessageGetsItsDefaultResult) {
    Failing wnd;
    ASSERT_TRUE(create(wnd));
    EXPECT_EQ(wnd.SendMessage(kFileFailure), 0);
    EXPECT_EQ(wnd.SendMessage(kStdFailure), 0);
    EXPECT_EQ(wnd.SendMessage(kQuietFailure), 0);  // already reported by whoever threw it
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_NE(reported[0].find("BOOT.ASM"), std::string::npos);
    EXPECT_EQ(reported[1], "bad table");
    // The stack of messages being handled is back where it was.
    EXPECT_EQ(CWnd::GetCurrentMessage()->message, 0u);
    EXPECT_EQ(wnd.SendMessage(kCurrent), LRESULT(kCurrent));
}

TEST_F(DispatchErrorTest, AThrowingOnCreateFailsTheCreation) {
    Failing wnd;
    wnd.fail_create = true;
    EXPECT_FALSE(create(wnd));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(DispatchErrorTest, ASenderOnAnotherThreadGetsTheDefaultResultAndBothThreadsGoOn) {
    Failing wnd;
    ASSERT_TRUE(create(wnd));
    const HWND target = wnd.m_hWnd;
    std::atomic<LRESULT> failed{-1}, after{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        failed = ::SendMessage(target, kFileFailure, 0, 0);
        after = ::SendMessage(target, kCurrent, 0, 0);
        done = true;
        ::PostMessage(target, WM_NULL, 0, 0);
    });
    MSG msg;
    while (!done) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            kit::user::wait_on_queue(kit::user::kNoDeadline);
            continue;
        }
        ::DispatchMessage(&msg);
    }
    worker.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(after, LRESULT(kCurrent));
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(CWnd::GetCurrentMessage()->message, 0u);
    EXPECT_EQ(wnd.SendMessage(kCurrent), LRESULT(kCurrent));
}

}  // namespace
