// The list on screen: row geometry, hit-testing, selection by mouse and
// keys with vetoes, scrolling by bar, thumb and wheel, column resizing in
// its loop, label editing, and a picture of a report list.
#include <functional>

#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

// A list whose owner vetoes selection changes while `veto` is set.
class VetoList : public SECListCtrl {
public:
    bool veto = false;
    using SECListBaseC::RowHeight;

protected:
    LRESULT OnSelectionChanging(int, int, BOOL) override { return veto ? 1 : 0; }
};

class ListInputTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS,
                                CRect(10, 10, 310, 210), &parent, 100));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Size", LVCFMT_RIGHT, 80);
        list.InsertColumn(2, "Kind", LVCFMT_LEFT, 60);
        for (int i = 0; i < 40; ++i) {
            list.InsertItemText(i, AfxFormat("file%02d.asm", i));
            list.SetItemText(i, 1, AfxFormat("%d", i * 100));
            list.SetItemText(i, 2, i % 2 ? "code" : "data");
        }
        list.SetFocus();
        pump();
        row = list.RowHeight(0);
    }
    // Client point in the middle of a row's label.
    CPoint label_point(int item) {
        CRect r;
        EXPECT_TRUE(list.GetItemRect(item, &r, LVIR_LABEL));
        return r.CenterPoint();
    }
    std::vector<int> selected() {
        std::vector<int> out;
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
            out.push_back(i);
        return out;
    }
    void key(int vk, int modifier = 0) {
        if (modifier)
            display.chord(modifier, vk);
        else
            display.press(vk);
        pump();
    }
    VetoList list;
    int row = 0;
};

TEST_F(ListInputTest, RowsStackBelowTheHeaderAndPagesCountWholeRows) {
    EXPECT_GT(row, 0);
    CRect inside;
    list.GetInsideRect(&inside);
    EXPECT_EQ(inside.top, 18);
    EXPECT_EQ(list.GetCountPerPage(), inside.Height() / row);
    CRect bounds, cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds, CRect(120, 18 + 2 * row, 200, 18 + 3 * row));
    ASSERT_TRUE(list.GetSubItemRect(2, 1, &cell, LVIR_LABEL));
    EXPECT_EQ(cell.right, 198);  // right-aligned by the column's format
    EXPECT_FALSE(list.GetSubItemRect(2, 7, &cell, LVIR_LABEL));
    // The vertical bar is shown with the page and the position.
    CScrollBar* bar = list.GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(bar, nullptr);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    bar->GetScrollInfo(&info);
    EXPECT_EQ(info.nMax, 39);
    EXPECT_EQ(int(info.nPage), list.GetCountPerPage());
}

TEST_F(ListInputTest, HitTestNamesEveryPart) {
    struct Case {
        CPoint point;
        int item;
        UINT flags;
    };
    const Case cases[] = {
        {CPoint(30, 18 + row / 2), 0, LVHT_ONITEM | LVHT_ONITEMLABEL},
        {CPoint(130, 18 + row + 1), 1, LVHT_ONITEM},
        {CPoint(50, 5), 0, LVHT_COLUMNHEADING},
        {CPoint(121, 5), 0, LVHT_COLUMNSEP},
        {CPoint(-3, 30), -1, LVHT_TOLEFT},
        {CPoint(50, 400), -1, LVHT_BELOW},
    };
    for (const Case& c : cases) {
        UINT flags = 0;
        EXPECT_EQ(list.HitTest(c.point, &flags), c.item) << c.point.x << "," << c.point.y;
        EXPECT_EQ(flags, c.flags) << c.point.x << "," << c.point.y;
    }
}

// Each row answers from its first pixel row to its last, and its label from
// its first pixel column to its last; the header ends where the rows begin.
TEST_F(ListInputTest, HitTestAtTheEdgesOfEachPart) {
    const int last = list.GetCountPerPage() - 1;
    for (int item : {0, 1, last}) {
        CRect label;
        ASSERT_TRUE(list.GetItemRect(item, &label, LVIR_LABEL));
        const int top = 18 + item * row, bottom = top + row - 1;
        EXPECT_EQ(label.top, top) << item;
        EXPECT_EQ(label.bottom, bottom + 1) << item;
        for (const CPoint point : {CPoint(label.left, top), CPoint(label.right - 1, top), CPoint(label.left, bottom),
                                   CPoint(label.right - 1, bottom)}) {
            UINT flags = 0;
            EXPECT_EQ(list.HitTest(point, &flags), item) << point.x << "," << point.y;
            EXPECT_EQ(flags, UINT(LVHT_ONITEM | LVHT_ONITEMLABEL)) << point.x << "," << point.y;
        }
        // Past the label in the main column, and the last pixel of the last column.
        const struct {
            CPoint point;
            UINT flags;
        } beside[] = {{CPoint(label.right, top), LVHT_ONITEM | LVHT_ONITEMRIGHT}, {CPoint(259, bottom), LVHT_ONITEM}};
        for (const auto& b : beside) {
            UINT flags = 0;
            EXPECT_EQ(list.HitTest(b.point, &flags), item) << b.point.x << "," << b.point.y;
            EXPECT_EQ(flags, b.flags) << b.point.x << "," << b.point.y;
        }
    }
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(CPoint(50, 0), &flags), 0);
    EXPECT_EQ(flags, UINT(LVHT_COLUMNHEADING));
    EXPECT_EQ(list.HitTest(CPoint(50, 17), &flags), 0);
    EXPECT_EQ(flags, UINT(LVHT_COLUMNHEADING));
}

TEST_F(ListInputTest, ClicksSelectSingleCtrlAndShiftAndAVetoKeepsTheSelection) {
    display.click(list.m_hWnd, label_point(2));
    pump();
    EXPECT_EQ(selected(), std::vector<int>{2});
    display.button(list.m_hWnd, label_point(4), true);
    pump();
    EXPECT_EQ(list.GetFocusItem(), 4);
    display.button(list.m_hWnd, label_point(4), false);
    // Ctrl toggles one row, Shift selects from the anchor.
    GetAsyncKeyState(VK_CONTROL);
    kit::user::inject_key(VK_CONTROL, true);
    display.click(list.m_hWnd, label_point(6));
    pump();
    kit::user::inject_key(VK_CONTROL, false);
    pump();
    EXPECT_EQ(selected(), (std::vector<int>{4, 6}));
    kit::user::inject_key(VK_SHIFT, true);
    display.click(list.m_hWnd, label_point(8));
    pump();
    kit::user::inject_key(VK_SHIFT, false);
    pump();
    EXPECT_EQ(selected(), (std::vector<int>{6, 7, 8}));
    list.veto = true;
    display.click(list.m_hWnd, label_point(1));
    pump();
    EXPECT_EQ(selected(), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(list.GetFocusItem(), 8);
    EXPECT_GE(parent.count(NM_CLICK), 4);
}

TEST_F(ListInputTest, ArrowsMoveShiftExtendsCtrlMovesOnlyTheFocusAndSpaceToggles) {
    key(VK_UP);  // on row 0: nothing
    EXPECT_EQ(selected(), std::vector<int>{0});
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(selected(), std::vector<int>{2});
    key(VK_DOWN, VK_SHIFT);
    key(VK_DOWN, VK_SHIFT);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
    key(VK_DOWN, VK_CONTROL);
    EXPECT_EQ(list.GetFocusItem(), 5);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
    key(VK_SPACE);
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4, 5}));
    key(VK_END);
    EXPECT_EQ(selected(), std::vector<int>{39});
    EXPECT_EQ(list.GetTopIndex(), list.GetMaxTopIndex());
    key(VK_DOWN);  // on the last row: nothing
    EXPECT_EQ(list.GetFocusItem(), 39);
    key(VK_HOME);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_EQ(list.GetFocusItem(), 0);
    key(VK_NEXT);
    EXPECT_EQ(list.GetFocusItem(), list.GetLastFullyVisible());
    key(VK_RETURN);
    EXPECT_EQ(parent.count(NM_RETURN), 1);
    EXPECT_GE(parent.count(LVN_KEYDOWN), 10);
}

TEST_F(ListInputTest, TheLabelTipShowsOnlyACutLabelAndGoesOnLeaveAndScroll) {
    list.EnableLabelTips(TRUE);
    list.SetItemText(3, 0, "a_symbol_name_far_too_long_for_its_column.asm");
    auto move_to = [&](CPoint point) { list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y)); };
    // The tip holds the mouse while it shows, so that leaving the label hides it.
    auto tip_shown = [&] { return ::GetCapture() == list.m_hWnd; };
    move_to(label_point(4));
    EXPECT_FALSE(tip_shown()) << "a label that fits has no tip";
    move_to(label_point(3));
    EXPECT_TRUE(tip_shown());
    move_to(label_point(4));
    EXPECT_FALSE(tip_shown());
    move_to(label_point(3));
    ASSERT_TRUE(tip_shown());
    move_to(CPoint(-20, -20));  // out of the list
    EXPECT_FALSE(tip_shown());
    move_to(label_point(3));
    ASSERT_TRUE(tip_shown());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_FALSE(tip_shown());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    move_to(label_point(3));
    ASSERT_TRUE(tip_shown());
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(tip_shown());
    // Without the style no tip shows at all.
    list.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    list.EnableLabelTips(FALSE);
    move_to(label_point(3));
    EXPECT_FALSE(tip_shown());
}

TEST_F(ListInputTest, WheelKeepsThePartOfANotchAndDropsNotchesAtTheTop) {
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);  // up at the top: dropped
    EXPECT_EQ(list.GetTopIndex(), 0);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
    EXPECT_EQ(list.GetTopIndex(), 0);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);  // two halves make a notch
    EXPECT_EQ(list.GetTopIndex(), 1);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -300), 0);
    EXPECT_EQ(list.GetTopIndex(), 3);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);  // 60 left over + 60
    EXPECT_EQ(list.GetTopIndex(), 4);
}

TEST_F(ListInputTest, ThumbTrackingReachesRowsBeyondSixteenBits) {
    list.DeleteAllItems();
    for (int i = 0; i < 70000; ++i) list.InsertItemText(i, "row");
    list.UpdateLayout();
    CScrollBar* bar = list.GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(bar, nullptr);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    bar->GetScrollInfo(&info);
    EXPECT_EQ(info.nMax, 69999);
    // The thumb dragged near the end: the message's word holds only the low 16 bits.
    // The thumb dragged to the end of the bar: message words hold only 16 bits of the position.
    CRect track;
    bar->GetClientRect(&track);
    const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
    display.then([&] {
        display.move(bar->m_hWnd, POINT{track.Width() / 2, track.bottom - 1});
        display.button(bar->m_hWnd, POINT{track.Width() / 2, track.bottom - 1}, false);
    });
    display.button(bar->m_hWnd, POINT{track.Width() / 2, arrow + 2}, true);
    pump();
    EXPECT_GT(list.GetTopIndex(), 65535);
    EXPECT_EQ(list.GetTopIndex(), list.GetMaxTopIndex());
}

TEST_F(ListInputTest, DividerDragResizesEscapeAndLostCaptureCancelAndQuitIsPostedAgain) {
    const int y = 5;
    // A drag of 30 pixels to the right widens the first column.
    display.then([&] {
        display.move(list.m_hWnd, POINT{150, y});
        display.button(list.m_hWnd, POINT{150, y}, false);
    });
    display.button(list.m_hWnd, POINT{120, y}, true);
    pump();
    EXPECT_EQ(list.GetColumnWidth(0), 150);
    EXPECT_EQ(GetCapture(), nullptr);
    // Left of the column's start stops at 10 pixels wide.
    display.then([&] {
        display.move(list.m_hWnd, POINT{0, y});
        display.button(list.m_hWnd, POINT{0, y}, false);
    });
    display.button(list.m_hWnd, POINT{150, y}, true);
    pump();
    EXPECT_EQ(list.GetColumnWidth(0), 10);
    // Escape cancels.
    display.then([&] {
        display.move(list.m_hWnd, POINT{100, y});
        display.press(VK_ESCAPE);
        display.button(list.m_hWnd, POINT{100, y}, false);
    });
    display.button(list.m_hWnd, POINT{10, y}, true);
    pump();
    EXPECT_EQ(list.GetColumnWidth(0), 10);
    // WM_QUIT ends the loop with no change and stays for the outer loop.
    display.advance(600);  // not a double click
    display.then([&] { PostQuitMessage(7); });
    display.button(list.m_hWnd, POINT{10, y}, true);
    MSG msg;
    bool quit = false;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(msg.wParam, 7u);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(list.GetColumnWidth(0), 10);
    EXPECT_EQ(GetCapture(), nullptr);
    display.button(list.m_hWnd, POINT{10, y}, false);
    pump();
}

TEST_F(ListInputTest, FittedColumnsNeverGoBelowTheLeastWidth) {
    list.ModifyListCtrlStyle(0, LVXS_FITCOLUMNS);
    list.SetColumnWidth(0, 6);
    list.SetColumnWidth(1, 100);
    list.SetColumnWidth(2, 400);
    display.then([&] {
        display.move(list.m_hWnd, POINT{106 + 300, 5});
        display.button(list.m_hWnd, POINT{106 + 300, 5}, false);
    });
    display.button(list.m_hWnd, POINT{106, 5}, true);  // the second column's right edge
    pump();
    for (int c = 0; c < list.GetColumnCount(); ++c) EXPECT_GE(list.GetColumnWidth(c), 5) << c;
}

TEST_F(ListInputTest, LabelEditStartsHalfASecondAfterAClickOnASelectedLabelAndEscapeRestores) {
    display.click(list.m_hWnd, label_point(3));
    pump();
    display.advance(600);  // apart, so not a double click
    display.click(list.m_hWnd, label_point(3));
    pump();
    display.advance(499);
    pump();
    EXPECT_EQ(list.GetEditControl(), nullptr);
    display.advance(1);
    pump();
    CEdit* edit = list.GetEditControl();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(parent.count(LVN_BEGINLABELEDIT), 1);
    EXPECT_EQ(edit->GetWindowText(), CString("file03.asm"));
    display.type("x");
    pump();
    EXPECT_EQ(list.GetItemText(3, 0), CString("x"));  // the row shows what is typed
    key(VK_ESCAPE);
    EXPECT_EQ(list.GetEditControl(), nullptr);
    EXPECT_EQ(list.GetItemText(3, 0), CString("file03.asm"));
    ASSERT_EQ(parent.count(LVN_ENDLABELEDIT), 1);
    EXPECT_FALSE(parent.records.back().has_text);

    // Accepted by Return, and stored because the owner answers non-zero.
    parent.answers[LVN_ENDLABELEDIT] = 1;
    ASSERT_NE(list.EditLabel(3, 0), nullptr);
    EXPECT_EQ(list.EditLabel(3, 0), nullptr);  // already editing
    display.type("main.c");
    key(VK_RETURN);
    EXPECT_EQ(list.GetItemText(3, 0), CString("main.c"));
    EXPECT_EQ(parent.records.back().text, "main.c");

    // A double click never starts an edit.
    display.advance(600);
    display.click(list.m_hWnd, label_point(3));
    display.click(list.m_hWnd, label_point(3));
    pump();
    display.advance(600);
    pump();
    EXPECT_EQ(list.GetEditControl(), nullptr);

    // A vetoing owner cancels without a trace.
    parent.answers[LVN_BEGINLABELEDIT] = 1;
    EXPECT_EQ(list.EditLabel(5, 0), nullptr);
    EXPECT_EQ(list.GetEditedItem(), -1);
}

// The owner may change the list from its end-label-edit notice: the text (typed or, on a
// cancel, the old one) goes to the edited row wherever it went, and to no row when it went.
TEST_F(ListInputTest, AnEndLabelEditNoticeThatChangesTheRowsNeverRenamesAnother) {
    struct Case {
        const char* what;
        int key;
        std::function<void()> owner;
        std::vector<const char*> want;  // rows 2 to 5 afterwards
    };
    const Case cases[] = {
        {"accepted, the row deleted",
         VK_RETURN,
         [&] { list.DeleteItem(3); },
         {"file02.asm", "file04.asm", "file05.asm", "file06.asm"}},
        {"cancelled, the row deleted",
         VK_ESCAPE,
         [&] { list.DeleteItem(3); },
         {"file02.asm", "file04.asm", "file05.asm", "file06.asm"}},
        {"accepted, a row inserted before it",
         VK_RETURN,
         [&] { list.InsertItemText(0, "new"); },
         {"file01.asm", "file02.asm", "typed", "file04.asm"}},
        {"cancelled, a row deleted before it",
         VK_ESCAPE,
         [&] { list.DeleteItem(0); },
         {"file03.asm", "file04.asm", "file05.asm", "file06.asm"}},
    };
    parent.answers[LVN_ENDLABELEDIT] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list.DeleteAllItems();
        for (int i = 0; i < 10; ++i) list.InsertItemText(i, AfxFormat("file%02d.asm", i));
        ASSERT_NE(list.EditLabel(3, 0), nullptr);
        display.type("typed");
        pump();
        parent.on_notify = [&](NMHDR* header) {
            if (header->code == LVN_ENDLABELEDIT) c.owner();
        };
        key(c.key);
        parent.on_notify = nullptr;
        EXPECT_EQ(list.GetEditControl(), nullptr);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetItemText(2 + i, 0), CString(c.want[size_t(i)])) << i;
    }
    // Destroyed from the notice: nothing of it is touched afterwards.
    ASSERT_NE(list.EditLabel(1, 0), nullptr);
    parent.on_notify = [&](NMHDR* header) {
        if (header->code == LVN_ENDLABELEDIT) list.DestroyWindow();
    };
    key(VK_RETURN);
    parent.on_notify = nullptr;
    EXPECT_EQ(list.m_hWnd, nullptr);
}

TEST_F(ListInputTest, ReportListPicture) {
    list.ModifyListCtrlStyle(0, LVXS_HGRIDLINES | LVXS_VGRIDLINES);
    list.SetItemText(1, 0, "a label far too long for its column");
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(4, LVIS_DROPHILITED, LVIS_DROPHILITED);
    pump();
    shoot(list.m_hWnd, "report_list");
    // Without the focus the selection shows only with LVS_SHOWSELALWAYS, in the menu colours.
    parent.SetFocus();
    list.ModifyListBaseStyle(0, LVS_SHOWSELALWAYS);
    list.EnableWindow(TRUE);
    pump();
    shoot(list.m_hWnd, "report_list_unfocused");
    list.EnableWindow(FALSE);
    pump();
    shoot(list.m_hWnd, "report_list_disabled");
}

}  // namespace
