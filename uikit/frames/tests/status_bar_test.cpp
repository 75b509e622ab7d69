// The status bar: panes from string ids laid out across the bar (the message
// pane stretching), texts from update handlers, disabled and popped-out panes,
// the window-text messages of the message pane, and the bar's picture.
#include "uikit/frames/status_bar.h"

#include <gtest/gtest.h>

#include <map>
#include <cstring>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "platform/user/status_bar.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace {

// The IDE's indicators: the message pane, caret, overwrite, caps, num, scroll lock, clock.
constexpr UINT kIdeIndicators[] = {0, 32929, 32914, 59137, 59138, 59139, 32937};
constexpr UINT kMissingString = 32999;

const kit::res::Module& strings() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "status bar test";
        m.strings = {{32929, "Position of caret"},  {32914, "OVR"}, {59137, "CAP"}, {59138, "NUM"}, {59139, "SCRL"},
                     {32937, "Current system time"}};
        return m;
    }();
    return module;
}

// A frame whose update handlers fill panes as a test says.
class PaneFrame : public CFrameWnd {
public:
    std::map<UINT, CString> texts;
    std::map<UINT, BOOL> enabled;
    std::map<UINT, int> checked;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
        if (code != CN_UPDATE_COMMAND_UI || info) return CFrameWnd::OnCmdMsg(id, code, extra, info);
        auto* state = static_cast<CCmdUI*>(extra);
        bool handled = false;
        if (auto it = enabled.find(id); it != enabled.end()) state->Enable(it->second), handled = true;
        if (auto it = checked.find(id); it != checked.end()) state->SetCheck(it->second), handled = true;
        if (auto it = texts.find(id); it != texts.end()) state->SetText(it->second), handled = true;
        return handled || CFrameWnd::OnCmdMsg(id, code, extra, info);
    }
};

// Counts what the bar sends its control.
class CountingStatusBar : public SECStatusBar {
public:
    int set_texts = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SB_SETTEXT) ++set_texts;
        return SECStatusBar::WindowProc(message, wParam, lParam);
    }
};

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        gdi::set_test_font_everywhere(true);
        kit::res::register_module(&strings());
        frame = new PaneFrame;
        frame->Create(nullptr, "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 200));
        bar = new CountingStatusBar;
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(bar->Create(frame, 0x50008200, 0xE801));
    }
    void TearDown() override {
        if (frame->m_hWnd) frame->DestroyWindow();
        AfxDeleteTempMaps();
        kit::res::unregister_module(&strings());
        gdi::set_test_font_everywhere(false);
    }
    void set_width(int width) {
        frame->SetWindowPos(nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
        frame->RecalcLayout();
    }
    void update() { bar->OnUpdateCmdUI(frame, FALSE); }
    // The text the control shows in a pane.
    std::string shown(int index) {
        char text[256] = {};
        ::SendMessage(bar->m_hWnd, SB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    int text_width(const char* text) {
        HDC screen = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{};
        ::GetTextExtentPoint32(screen, text, int(std::strlen(text)), &size);
        ::SelectObject(screen, old);
        ::DeleteDC(screen);
        return size.cx;
    }
    int inside_width() {
        CRect rect;
        bar->GetWindowRect(&rect);
        // The size grip keeps its corner free.
        return rect.Width() - (2 * ::GetSystemMetrics(SM_CXBORDER) + ::GetSystemMetrics(SM_CXVSCROLL));
    }

    kit::display::Headless display;
    PaneFrame* frame = nullptr;
    CountingStatusBar* bar = nullptr;
};

TEST_F(StatusBarTest, TheMessagePaneTakesWhatTheFixedPanesLeaveAtEveryWidth) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    EXPECT_EQ(bar->GetPaneStyle(0), SBPS_NOBORDERS | SBPS_STRETCH);
    EXPECT_TRUE(bar->GetStyle() & SBARS_SIZEGRIP);
    for (int width : {1000, 900, 840}) {
        SCOPED_TRACE(width);
        set_width(width);
        const std::vector<int>& edges = bar->GetPaneEdges();
        ASSERT_EQ(edges.size(), 7u);
        // Each fixed pane is its text's width plus 6; the gaps are the control's spacing (2).
        for (int i = 1; i < 7; ++i)
            EXPECT_EQ(edges[std::size_t(i)] - edges[std::size_t(i) - 1], text_width(bar->GetPaneText(i)) + 6 + 2);
        EXPECT_EQ(edges.back(), inside_width());
    }
    // Too narrow for everything: the message pane keeps a quarter of the screen.
    set_width(600);
    EXPECT_EQ(bar->GetPaneEdges()[0], ::GetSystemMetrics(SM_CXSCREEN) / 4 + 6);
}

TEST_F(StatusBarTest, TwoStretchingPanesShareTheRoomAndTheLastTakesTheRemainder) {
    const UINT ids[] = {0, 59137, 59138};
    ASSERT_TRUE(bar->SetIndicators(ids, 3));
    bar->SetPaneStyle(2, SBPS_STRETCH);
    set_width(641);
    const std::vector<int>& edges = bar->GetPaneEdges();
    const int cap = text_width("CAP") + 6, num = text_width("NUM") + 6;
    const int leftover = inside_width() + 2 - (::GetSystemMetrics(SM_CXSCREEN) / 4 + 6 + 2 + cap + 2 + num + 2);
    ASSERT_GT(leftover, 0);
    EXPECT_EQ(edges[0], ::GetSystemMetrics(SM_CXSCREEN) / 4 + 6 + leftover / 2);
    EXPECT_EQ(edges[2] - edges[1] - 2, num + (leftover - leftover / 2));
    EXPECT_EQ(edges[2], inside_width());
}

TEST_F(StatusBarTest, AMissingStringShowsTwoSpacesWithTheirWidth) {
    const UINT ids[] = {0, kMissingString};
    ASSERT_TRUE(bar->SetIndicators(ids, 2));
    EXPECT_EQ(bar->GetPaneText(1), "  ");
    set_width(640);
    EXPECT_EQ(bar->GetPaneEdges()[1] - bar->GetPaneEdges()[0], text_width("  ") + 6 + 2);
    EXPECT_EQ(shown(1), "  ");
}

TEST_F(StatusBarTest, UpdateHandlersFillDisableAndPopOutPanes) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    frame->texts[32929] = "Ln 12, Col 4";
    frame->enabled[32914] = FALSE;
    frame->checked[59137] = 1;
    update();
    EXPECT_EQ(shown(1), "Ln 12, Col 4");
    // Disabled: nothing shown, the text kept; enabled again it shows.
    EXPECT_EQ(shown(2), "");
    EXPECT_EQ(bar->GetPaneText(2), "OVR");
    EXPECT_TRUE(bar->GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_TRUE(bar->GetPaneStyle(3) & SBPS_POPOUT);
    EXPECT_EQ(HIWORD(::SendMessage(bar->m_hWnd, SB_GETTEXTLENGTH, 3, 0)), SBT_POPOUT);
    frame->enabled[32914] = TRUE;
    frame->checked[59137] = 0;
    update();
    EXPECT_EQ(shown(2), "OVR");
    EXPECT_FALSE(bar->GetPaneStyle(3) & SBPS_POPOUT);
}

TEST_F(StatusBarTest, TheSameTextTwiceReachesTheControlOnce) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    set_width(700);
    bar->UpdateWindow();
    bar->set_texts = 0;
    frame->texts[32937] = "09:41";
    update();
    update();
    EXPECT_EQ(bar->set_texts, 1);
    EXPECT_TRUE(bar->SetPaneText(6, "09:41"));
    EXPECT_EQ(bar->set_texts, 1);
    // Without the update flag the text waits for the next paint.
    bar->SetPaneText(6, "09:42", FALSE);
    EXPECT_EQ(shown(6), "09:41");
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(shown(6), "09:42");
}

TEST_F(StatusBarTest, WindowTextIsTheMessagePane) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    EXPECT_EQ(bar->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), 0);
    EXPECT_EQ(shown(0), "Ready");
    EXPECT_EQ(bar->SendMessage(WM_GETTEXTLENGTH), 5);
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(bar->SendMessage(WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(bar->SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_STREQ(buffer, "Rea");
    EXPECT_EQ(bar->SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);

    // Without a message pane: nothing to set, an empty text.
    const UINT ids[] = {59137};
    ASSERT_TRUE(bar->SetIndicators(ids, 1));
    EXPECT_EQ(bar->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), -1);
    EXPECT_EQ(bar->SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(bar->SendMessage(WM_GETTEXTLENGTH), 0);
}

TEST_F(StatusBarTest, TheBarIsAsHighAsItsFontAndItsMinimumAndLosesItsTopBorder) {
    // A bottom bar with a top border draws none on the flat shell.
    EXPECT_EQ(bar->GetBarStyle() & CBRS_BORDER_ANY, 0u);
    TEXTMETRIC tm{};
    HDC screen = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextMetrics(screen, &tm);
    ::SelectObject(screen, old);
    ::DeleteDC(screen);
    // Insets: the top border of 2.
    const int height = tm.tmHeight - tm.tmInternalLeading - 1 + 2 * (::GetSystemMetrics(SM_CYBORDER) + 2) + 2;
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, TRUE), CSize(32767, height));
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, FALSE), CSize(0, 0));
    bar->SendMessage(SB_SETMINHEIGHT, 40);
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, TRUE).cy, 40);
}

TEST_F(StatusBarTest, TheGripAnswersAsTheBottomRightCorner) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    set_width(640);
    CRect rect;
    bar->GetWindowRect(&rect);
    EXPECT_EQ(bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.right - 2, rect.bottom - 2)), HTBOTTOMRIGHT);
    EXPECT_EQ(bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left + 5, rect.top + 5)), HTCLIENT);
}

TEST_F(StatusBarTest, PictureOfTheIdePanesStretchedAtTwoWidths) {
    ASSERT_TRUE(bar->SetIndicators(kIdeIndicators, 7));
    frame->texts[32929] = "Ln 12, Col 4";
    frame->enabled[32914] = FALSE;
    frame->texts[32937] = "09:41";
    update();
    bar->SetWindowText("Ready");
    for (int width : {1000, 840}) {
        set_width(width);
        EXPECT_TRUE(testing_kit::matches_painted_golden(
            frame->m_hWnd, "uikit/frames/tests/golden/status_bar_" + std::to_string(width) + ".png"));
    }
}

}  // namespace
