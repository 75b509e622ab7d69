#include "uikit/frames/tests/toolbar_fixture.h"

#include "platform/gdi/surface_dc.h"
#include "testing/painted_picture.h"

namespace toolbar_test {

kit::res::Module& test_resources() {
    static kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "toolbar test";
        kit::res::Toolbar toolbar;
        toolbar.id = kToolBarResource;
        for (int i = 0; i < kCommands; ++i) toolbar.items.push_back(kFirstCommand + UINT(i));
        m.toolbars.push_back(toolbar);
        kit::res::Picture picture;
        picture.id = kToolBarResource;
        picture.width = 16 * kCommands;
        picture.height = 15;
        picture.pixels.assign(std::size_t(picture.width) * 15, 0xFFC0C0C0);
        for (int i = 0; i < kCommands; ++i) {
            const auto set = [&](int x, int y, std::uint32_t argb) {
                picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(16 * i + x)] = argb;
            };
            for (int y = 2; y < 13; ++y)
                for (int x = 2; x < 14; ++x) {
                    const bool edge = x == 2 || x == 13 || y == 2 || y == 12;
                    set(x, y, edge ? 0xFF000000 : 0xFFFFFFFF);
                }
            for (int bar = 0; bar <= i && bar < 8; ++bar)
                for (int y = 4; y < 11; ++y) set(4 + bar, y, bar % 2 ? 0xFF000000 : 0xFF808080);
        }
        m.pictures.push_back(picture);
        const auto menu = [](unsigned id, std::vector<const char*> titles) {
            kit::res::Menu made;
            made.id = id;
            for (const char* title : titles) {
                kit::res::MenuItem item;
                item.text = title;
                item.popup = true;
                made.items.push_back(item);
            }
            return made;
        };
        m.strings[kFirstCommand] = "Open a file\nOpen";
        m.menus.push_back(menu(kMenuNoDocument, {"&File", "&View", "&Help"}));
        m.menus.push_back(menu(kMenuDocument, {"&File", "&Edit", "&Build", "Fil&"}));
        return m;
    }();
    return module;
}

std::vector<UINT> ids_of(const SECCustomToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetButtonCount(); ++i) ids.push_back(bar.GetButtonID(i));
    return ids;
}

BOOL CountingFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    if (id >= kFirstCommand && id < kFirstCommand + kCommands) {
        if (code == CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(extra)->Enable(!disabled.count(id));
            return TRUE;
        }
        if (code == CN_COMMAND) {
            if (info) return TRUE;  // asked only whether there is a handler
            if (on_command) {
                // A copy runs, and the frame is counted on only while it lives: the command may close it
                // (Exit put on a toolbar), its own handler with it.
                const std::function<void(UINT)> handler = on_command;
                const std::weak_ptr<bool> alive = alive_;
                handler(id);
                if (alive.expired()) return TRUE;
            }
            commands.push_back(id);
            return TRUE;
        }
    }
    return SECMDIFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL CountingFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* notify = reinterpret_cast<const SECNMToolBar*>(lParam);
    if (notify && int(notify->hdr.code) == TBN_DROPDOWN && on_drop_down) {
        // A copy runs: a handler may destroy this frame, and its own closure with it.
        const std::function<void()> handler = on_drop_down;
        handler();
        return TRUE;
    }
    if (notify && int(notify->hdr.code) == SEC_TBN_DROPMENU) {
        drops.emplace_back(notify->word1, int(std::intptr_t(notify->word2)));
        return TRUE;
    }
    return SECMDIFrameWnd::OnNotify(wParam, lParam, result);
}

void ToolBarTest::SetUp() {
    gdi::set_test_font_everywhere(true);
    kit::res::register_module(&test_resources());
    frame = new CountingFrame;
    frame->Create(nullptr, "Toolbars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 480, 240));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    manager = new SECToolBarManager(frame);
    ASSERT_TRUE(manager->LoadToolBarResource(kToolBarResource));
}

void ToolBarTest::TearDown() {
    // The manager goes first, while its frame is there to let go of its bars.
    delete manager;
    if (frame && frame->m_hWnd) frame->DestroyWindow();
    pump();
    AfxDeleteTempMaps();
    kit::res::unregister_module(&test_resources());
    gdi::set_test_font_everywhere(false);
}

SECCustomToolBar* ToolBarTest::make_bar(UINT id, const std::vector<UINT>& buttons, const char* title) {
    return make_bar_in(frame, manager, id, buttons, title);
}

SECCustomToolBar* ToolBarTest::make_bar_in(CountingFrame* in, SECToolBarManager* by, UINT id,
                                           const std::vector<UINT>& buttons, const char* title) {
    by->DefineDefaultToolBar(id, title, UINT(buttons.size()), buttons.data());
    auto* bar = static_cast<SECCustomToolBar*>(by->m_pToolBarClass->CreateObject());
    bar->SetManager(by);
    bar->SetBmpMgr(by->GetBmpMgr());
    by->ApplyImageSize(bar);
    bar->CreateEx(by->CoolLookEnabled() ? CBRS_EX_COOLBORDERS : 0, in, SEC_TOOLBAR_STYLE | CBRS_TOOLTIPS | CBRS_FLYBY,
                  id, title);
    bar->m_bAutoDelete = TRUE;
    bar->SetButtons(buttons.data(), int(buttons.size()));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    in->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    in->RecalcLayout();
    return bar;
}

void ToolBarTest::pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

::testing::AssertionResult ToolBarTest::matches_snapshot(const std::string& name) {
    return testing_kit::matches_painted_golden(frame->m_hWnd, "uikit/frames/tests/golden/" + name + ".png");
}

}  // namespace toolbar_test
