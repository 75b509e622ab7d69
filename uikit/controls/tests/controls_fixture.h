#pragma once
// A headless display, the fixed-cell test font, and a parent window that
// records the notifications its controls send and answers chosen codes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "testing/painted_picture.h"
#include "uikit/controls/list_types.h"

class NotifySink : public CWnd {
public:
    struct Record {
        UINT code = 0;
        int item = -1;                                     // list notifications
        HTREEITEM old_item = nullptr, new_item = nullptr;  // tree notifications
        UINT action = 0;
        UINT state = 0;
        std::string text;
        bool has_text = false;
        WORD key = 0;
    };
    std::vector<Record> records;
    std::map<UINT, LRESULT> answers;  // result to give per code
    std::function<void(NMHDR*)> on_notify;

    std::vector<UINT> codes() const {
        std::vector<UINT> out;
        for (const Record& r : records) out.push_back(r.code);
        return out;
    }
    int count(UINT code) const {
        int n = 0;
        for (const Record& r : records) n += r.code == code;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        Record r;
        r.code = header->code;
        switch (header->code) {
            case UINT(-401):
            case UINT(-402):
            case UINT(-405):
            case UINT(-406):
            case UINT(-407):
            case UINT(-409): {
                auto* nm = reinterpret_cast<NM_TREEVIEW*>(header);
                r.old_item = nm->itemOld.hItem;
                r.new_item = nm->itemNew.hItem;
                r.action = nm->action;
                r.state = nm->itemNew.state;
                break;
            }
            case UINT(-410):
            case UINT(-411): {
                auto* info = reinterpret_cast<TV_DISPINFO*>(header);
                r.new_item = info->item.hItem;
                r.has_text = info->item.pszText != nullptr;
                if (r.has_text) r.text = info->item.pszText;
                break;
            }
            case UINT(-105):
            case UINT(-106):
            case UINT(-102):
            case UINT(-103): {
                auto* info = reinterpret_cast<LV_DISPINFO*>(header);
                r.item = info->item.iItem;
                if (header->code == UINT(-102) || header->code == UINT(-103))
                    r.item = reinterpret_cast<NM_LISTVIEW*>(header)->iItem;
                r.has_text = header->code == UINT(-106) && info->item.pszText != nullptr;
                if (r.has_text) r.text = info->item.pszText;
                break;
            }
            case UINT(-155):
            case UINT(-412): r.key = reinterpret_cast<LV_KEYDOWN*>(header)->wVKey; break;
            default: break;
        }
        records.push_back(r);
        if (on_notify) on_notify(header);
        auto answer = answers.find(header->code);
        return answer == answers.end() ? 0 : answer->second;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(parent.CreateEx(0, cls, "controls", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr));
    }
    void TearDown() override {
        // Whatever the test did, what shows must be what a full repaint would show.
        if (parent.m_hWnd) {
            pump();
            expect_fresh_picture("at the end of the test");
            parent.DestroyWindow();
        }
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
        gdi::set_test_font_everywhere(false);
    }
    // Handles what is queued, painting included.
    void pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    // The picture painted from what was invalidated equals a full repaint of the same state.
    void expect_fresh_picture(const char* when) {
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(parent.m_hWnd, &picture)) << when;
    }
    void shoot(HWND hwnd, const std::string& golden) {
        EXPECT_TRUE(
            testing_kit::matches_painted_golden(parent.m_hWnd, "uikit/controls/tests/golden/" + golden + ".png"));
        (void)hwnd;
    }

    kit::display::Headless display;
    NotifySink parent;
};
