// A frame and its floating windows share one activation.
#include <gtest/gtest.h>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

// Remembers how the system was last told to draw its caption.
template <class Base>
class CaptionRecorder : public Base {
public:
    int drawn_active = -1;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCACTIVATE) drawn_active = wParam != 0;
        return Base::DefWindowProc(message, wParam, lParam);
    }
};

using FrameActivationTest = AfxTest;

TEST_F(FrameActivationTest, AFloatingBarFrameSharesItsFramesActivation) {
    auto* frame = new CaptionRecorder<CFrameWnd>;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    auto* floating = new CaptionRecorder<CMiniDockFrameWnd>;
    ASSERT_TRUE(floating->Create(frame, CBRS_ALIGN_TOP));
    floating->ShowWindow(SW_SHOWNA);
    auto* other = new CaptionRecorder<CFrameWnd>;
    ASSERT_TRUE(other->Create(nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(320, 0, 500, 200)));

    struct Step {
        const char* what;
        CWnd* activate;
        int frame_active, floating_active;
    };
    const Step steps[] = {
        {"the frame", frame, 1, 1},
        {"its floating window", floating, 1, 1},  // the frame's caption stays active
        {"the frame again", frame, 1, 1},
        {"another program's window", other, 0, 0},
        {"the floating window from outside", floating, 1, 1},
    };
    for (const Step& step : steps) {
        ::SetActiveWindow(step.activate->m_hWnd);
        EXPECT_EQ(frame->drawn_active, step.frame_active) << step.what;
        EXPECT_EQ(floating->drawn_active, step.floating_active) << step.what;
    }
    other->DestroyWindow();
    floating->DestroyWindow();
    frame->DestroyWindow();
}

}  // namespace
