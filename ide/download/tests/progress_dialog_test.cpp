// The progress dialog: owner disabled while it shows, Cancel only noted,
// the percentage text, and a download cancelled from the dialog.
#include <gtest/gtest.h>

#include "ide/download/progress_dialog.h"
#include "ide/download/tests/simulated_device.h"
#include "ide/download/tests/virtual_timer.h"
#include "platform/afx/tests/afx_fixture.h"
#include "platform/os/file.h"
#include "testing/temp_dir.h"

namespace download {
namespace {

class ProgressDialogTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        kit::res::register_module(&download_resources());
        owner.CreateEx(0, "Static", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0);
    }
    void TearDown() override {
        owner.DestroyWindow();
        kit::res::unregister_module(&download_resources());
        AfxTest::TearDown();
    }
    std::string percent_text(CVyrDnLdProgDlg& dialog) {
        char text[16] = {};
        ::GetDlgItemText(dialog.m_hWnd, kPercentTextId, text, sizeof text);
        return text;
    }

    CWnd owner;
};

TEST(ProgressPercent, ComputedFromTheRangeAndGuardedWhenEmpty) {
    struct Case {
        int lower, upper, pos, percent;
    } cases[] = {
        {0, 256, 0, 0},     {0, 256, 128, 50},  {0, 256, 255, 99},
        {0, 256, 256, 100}, {10, 10, 10, 0},  // an empty range shows nothing done, never divides by zero
        {0, 100, 150, 50},  {-100, 100, 0, 50},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progress_percent(c.lower, c.upper, c.pos), c.percent) << c.lower << " " << c.upper << " " << c.pos;
}

TEST_F(ProgressDialogTest, TheOwnerIsDisabledWhileTheDialogShowsAndCancelIsOnlyNoted) {
    {
        CVyrDnLdProgDlg dialog;
        ASSERT_TRUE(dialog.Create(&owner));
        EXPECT_FALSE(owner.IsWindowEnabled());
        char caption[64] = {};
        ::GetWindowText(dialog.m_hWnd, caption, sizeof caption);
        EXPECT_STREQ(caption, "Down load binary file!");
        EXPECT_EQ(percent_text(dialog), "0%");

        dialog.SetPos(64);
        EXPECT_EQ(percent_text(dialog), "25%");
        dialog.StepIt();
        EXPECT_EQ(::SendDlgItemMessage(dialog.m_hWnd, kProgressBarId, PBM_GETPOS, 0, 0), 65);

        // Cancel is seen once, and the dialog stays.
        ::PostMessage(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(dialog.CheckCancelButton());
        EXPECT_FALSE(dialog.CheckCancelButton());
        EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    }
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(ProgressDialogTest, AFailedCreationLeavesTheOwnerEnabled) {
    kit::res::unregister_module(&download_resources());
    CVyrDnLdProgDlg dialog;
    EXPECT_FALSE(dialog.Create(&owner));
    EXPECT_TRUE(owner.IsWindowEnabled());
    kit::res::register_module(&download_resources());
}

TEST_F(ProgressDialogTest, ACancelPressedDuringTheDownloadEndsIt) {
    testing_kit::TempDir dir;
    std::vector<std::uint8_t> file(kPackedFileSize, 0);
    const std::uint8_t header[] = {0, 0, 0, 0xA5, 0xAA, 0x55, 2, 0};
    std::copy(std::begin(header), std::end(header), file.begin() + 40960);
    const std::string path = (dir.path() / "GAME.BIN").string();
    ASSERT_TRUE(os::write_file(path, std::span<const std::uint8_t>(file)).ok());

    testing::SimulatedDevice device;
    testing::VirtualDelayTimer timer;
    CDownloader downloader(testing::opener_of(device), timer);

    // The user presses Cancel after ten blocks: the message waits in the queue until the next check.
    struct CancellingDialog : CVyrDnLdProgDlg {
        void step_block() override {
            CVyrDnLdProgDlg::step_block();
            if (++blocks == 10) ::PostMessage(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        }
        int blocks = 0;
    } dialog;
    std::vector<std::string> boxes;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) boxes.push_back(q.text);
        return IDOK;
    });
    ASSERT_TRUE(dialog.Create(&owner));
    EXPECT_EQ(downloader.Download(path, dialog), kSendError);
    EXPECT_EQ(device.blocks_taken(), 10);
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(kSendErrorText)});
    char percent[16] = {};
    ::GetDlgItemText(dialog.m_hWnd, kPercentTextId, percent, sizeof percent);
    EXPECT_STREQ(percent, "3%");  // 10 of 256
}

}  // namespace
}  // namespace download
