#pragma once
// A headless display with the fixed-cell test font, a parent window, and editor views
// over buffers with C colouring from the shipped keywords file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/profile_access.h"
#include "editor/window/sec_edit_view.h"
#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace editor::testing {

class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        profile.WriteProfileString("C", "Keywords", testing_kit::program_path("c.ini").string());
        profile.WriteProfileInt("C", "Chroma", 1);
        profile.WriteProfileInt("C", "Tab size", 4);
        profile.WriteProfileString("C", "Comment Start 1", "/*");
        profile.WriteProfileString("C", "Comment End 1", "*/");
        profile.WriteProfileString("C", "Comment Start 2", "//");
        edit = MakeBuffer();
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(parent.CreateEx(0, cls, "editor", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    }
    void TearDown() override {
        if (parent.m_hWnd) parent.DestroyWindow();
        pump();
        AfxDeleteTempMaps();
        gdi::set_test_font_everywhere(false);
    }

    std::unique_ptr<SECEdit> MakeBuffer() {
        auto buffer = std::make_unique<SECEdit>(profile);
        buffer->SetSettingsSection("C");
        buffer->LoadSettings();
        return buffer;
    }

    // A view over `buffer` filling `rect` of the parent, focused and painted. The view
    // deletes itself when its window goes.
    SECEditView* MakeView(SECEdit& buffer, CRect rect = CRect(0, 0, 400, 200)) {
        auto* view = new SECEditView;
        view->Attach(&buffer);
        EXPECT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rect, &parent, 1));
        view->OnInitialUpdate();
        view->SetFocus();
        pump();
        return view;
    }

    void pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    // A client point in the middle of a character cell.
    static CPoint Cell(const SECEditView& view, int column, int row) {
        const EditCells& cells = view.cells();
        return CPoint(cells.gutter_width + column * cells.char_width + 1, row * cells.line_height + 2);
    }

    void Shoot(const std::string& golden) {
        EXPECT_TRUE(
            testing_kit::matches_painted_golden(parent.m_hWnd, "editor/window/tests/golden/" + golden + ".png"));
    }

    kit::display::Headless display;
    MemoryProfile profile;
    std::unique_ptr<SECEdit> edit;
    CWnd parent;
};

}  // namespace editor::testing
