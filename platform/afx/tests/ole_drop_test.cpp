// In-process drag and drop: the loop carries a source's data to the registered target
// under the mouse, the target's answer decides the effect, and the drag ends cleanly on
// a release, Escape, a lost capture or WM_QUIT.
#include <cstring>
#include <string>

#include "platform/afx/afx.h"
#include "platform/afx/ole_drop.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

// Writes down what it is told; answers copy with Ctrl, move otherwise, and scrolls
// while the mouse is within its top 5 pixels.
class RecordingTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
        log += "enter " + Where(point) + ";";
        return Effect(data, keys);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
        log += "over " + Where(point) + ";";
        return Effect(data, keys);
    }
    void OnDragLeave(CWnd*) override { log += "leave;"; }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
        HGLOBAL text = data->GetGlobalData(CF_TEXT);
        dropped = text ? static_cast<const char*>(::GlobalLock(text)) : "";
        if (text) {
            ::GlobalUnlock(text);
            ::GlobalFree(text);
        }
        log += "drop " + std::to_string(effect) + " " + Where(point) + ";";
        return TRUE;
    }
    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint point) override {
        if (point.y >= 5) return DROPEFFECT_NONE;
        ++scrolls;
        return DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
    }

    std::string log;
    std::string dropped;
    int scrolls = 0;

private:
    static std::string Where(CPoint point) { return std::to_string(point.x) + "," + std::to_string(point.y); }
    static DROPEFFECT Effect(COleDataObject* data, DWORD keys) {
        if (!data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
        return keys & MK_CONTROL ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

class OleDropTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        ASSERT_TRUE(source.CreateEx(0, nullptr, "source", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(target.CreateEx(0, nullptr, "target", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(child.CreateEx(0, nullptr, "child", WS_CHILD | WS_VISIBLE, 50, 50, 40, 40, target.m_hWnd, nullptr));
        ASSERT_TRUE(drop.Register(&target));
        HGLOBAL text = ::GlobalAlloc(GHND, 6);
        std::memcpy(::GlobalLock(text), "hello", 6);
        ::GlobalUnlock(text);
        data.CacheGlobalData(CF_TEXT, text);
    }
    void TearDown() override {
        drop.Revoke();
        child.DestroyWindow();
        target.DestroyWindow();
        source.DestroyWindow();
        AfxTest::TearDown();
    }
    // The button goes down on the source, as the press that starts a drag.
    void PressOnSource() {
        display.button(source.m_hWnd, POINT{10, 10}, true);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
        source.SetCapture();
    }

    CWnd source, target, child;
    RecordingTarget drop;
    COleDataSource data;
};

TEST_F(OleDropTest, ADropOnATargetGivesItTheDataAndTheEffectItChose) {
    struct Case {
        const char* name;
        bool ctrl;
        DROPEFFECT allowed;
        DROPEFFECT expected;
    };
    const Case cases[] = {
        {"move", false, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {"copy with Ctrl", true, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"a move the source does not allow", false, DROPEFFECT_COPY, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        drop.log.clear();
        PressOnSource();
        display.then([&] {
            display.move(source.m_hWnd, POINT{30, 10});  // out of the start rectangle, over no target
            display.move(target.m_hWnd, POINT{20, 30});
            display.move(child.m_hWnd, POINT{5, 5});  // a child without a target of its own
            if (c.ctrl) kit::user::inject_key(VK_CONTROL, true);
            display.button(child.m_hWnd, POINT{5, 5}, false);
        });
        EXPECT_EQ(data.DoDragDrop(c.allowed), c.expected) << c.name;
        if (c.ctrl) kit::user::inject_key(VK_CONTROL, false);
        const std::string end =
            c.expected == DROPEFFECT_NONE ? "leave;" : "drop " + std::to_string(c.expected) + " 55,55;";
        // Ctrl going down is a move of its own.
        const std::string hover = c.ctrl ? "over 55,55;over 55,55;over 55,55;" : "over 55,55;over 55,55;";
        EXPECT_EQ(drop.log, "enter 20,30;" + hover + end) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
    EXPECT_EQ(drop.dropped, "hello");
}

TEST_F(OleDropTest, AReleaseBeforeTheMouseLeftTheStartIsNoDrag) {
    PressOnSource();
    display.then([&] {
        display.move(source.m_hWnd, POINT{11, 11});
        display.button(source.m_hWnd, POINT{11, 11}, false);
    });
    EXPECT_EQ(data.DoDragDrop(), DROPEFFECT_NONE);
    EXPECT_EQ(drop.log, "");
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(OleDropTest, EscapeALostCaptureOrQuitEndTheDragAndTheTargetIsLeft) {
    struct Case {
        const char* name;
        std::function<void()> end;
    };
    const Case cases[] = {
        {"Escape", [&] { display.press(VK_ESCAPE); }},
        {"right button",
         [&] {
             display.button(target.m_hWnd, POINT{20, 30}, true, kit::user::MouseButton::right);
         }},
        {"lost capture", [&] { target.SetCapture(); }},
        {"quit", [&] { ::PostQuitMessage(7); }},
    };
    for (const Case& c : cases) {
        drop.log.clear();
        PressOnSource();
        display.then([&] { display.move(target.m_hWnd, POINT{20, 30}); });
        display.then(c.end);
        EXPECT_EQ(data.DoDragDrop(), DROPEFFECT_NONE) << c.name;
        EXPECT_EQ(drop.log, "enter 20,30;leave;") << c.name;
        ::ReleaseCapture();
        MSG msg;
        bool quit = false;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) quit |= msg.message == WM_QUIT;
        EXPECT_EQ(quit, std::string(c.name) == "quit") << c.name;  // posted again for the outer loop
    }
}

TEST_F(OleDropTest, LeavingATargetTellsItAndADropOutsideAnyTargetDoesNothing) {
    PressOnSource();
    display.then([&] {
        display.move(target.m_hWnd, POINT{20, 30});
        display.move(source.m_hWnd, POINT{40, 40});
        display.button(source.m_hWnd, POINT{40, 40}, false);
    });
    EXPECT_EQ(data.DoDragDrop(), DROPEFFECT_NONE);
    EXPECT_EQ(drop.log, "enter 20,30;leave;");
}

TEST_F(OleDropTest, ATargetScrollsOnTheClockWhileTheMouseStandsAtItsEdge) {
    PressOnSource();
    display.then([&] { display.move(target.m_hWnd, POINT{20, 2}); });
    display.then([&] {
        EXPECT_EQ(drop.scrolls, 1);
        display.advance(COleDropTarget::kScrollInterval * 3);
    });
    display.then([&] {
        EXPECT_EQ(drop.scrolls, 2);  // one due tick, however late
        display.advance(COleDropTarget::kScrollInterval);
    });
    display.then([&] {
        EXPECT_EQ(drop.scrolls, 3);
        // Released while scrolling: nothing is dropped.
        display.button(target.m_hWnd, POINT{20, 2}, false);
    });
    EXPECT_EQ(data.DoDragDrop(), DROPEFFECT_NONE);
    EXPECT_EQ(drop.scrolls, 4);
    EXPECT_EQ(drop.log, "leave;");
}

TEST_F(OleDropTest, AWindowTakesOneTargetAndLosesItWithTheTarget) {
    RecordingTarget second;
    EXPECT_FALSE(second.Register(&target));
    EXPECT_EQ(COleDropTarget::FromWindow(child.m_hWnd), &drop);
    EXPECT_EQ(COleDropTarget::FromWindow(source.m_hWnd), nullptr);
    {
        RecordingTarget on_child;
        EXPECT_TRUE(on_child.Register(&child));
        EXPECT_EQ(COleDropTarget::FromWindow(child.m_hWnd), &on_child);
    }
    EXPECT_EQ(COleDropTarget::FromWindow(child.m_hWnd), &drop);
    drop.Revoke();
    EXPECT_EQ(COleDropTarget::FromWindow(target.m_hWnd), nullptr);
    EXPECT_TRUE(second.Register(&target));
    second.Revoke();
}

}  // namespace
