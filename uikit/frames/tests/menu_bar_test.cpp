// The menu bar: one button per top-level item of each menu, the buttons of
// the menu in use shown; Alt+letter drops a menu with its first item
// selected, the arrows move between menus (or into and out of sub-menus),
// Escape closes, a drop asked for while a popup is open replaces it, and a
// maximised MDI child shows its icon and boxes in the bar.
#include "uikit/frames/menu_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "platform/user/window_table.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/mdi_frame.h"
#include "uikit/frames/menu_bar_feature.h"
#include "uikit/frames/toolbar_manager.h"
#include "uikit/frames/toolbar_state.h"

namespace {

constexpr UINT kMenuNoDocument = 128, kMenuDocument = 129, kMenuListing = 130;
enum : UINT { kNew = 100, kOpen, kStatusBar, kAbout, kClose, kUndo, kMoreItem, kCompile };
// Handled by the views, which count it.
constexpr UINT kViewCommand = 150;

kit::res::MenuItem item(const char* text, unsigned id) {
    kit::res::MenuItem made;
    made.text = text;
    made.id = id;
    return made;
}
kit::res::MenuItem popup(const char* text, std::vector<kit::res::MenuItem> children) {
    kit::res::MenuItem made;
    made.text = text;
    made.popup = true;
    made.children = std::move(children);
    return made;
}

const kit::res::Module& menus() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "menu bar test";
        m.menus.push_back(
            {kMenuNoDocument,
             {popup("&File", {item("&New", kNew), item("&Open...", kOpen)}),
              popup("&View", {item("&Status Bar", kStatusBar)}), popup("&Help", {item("&About", kAbout)})}});
        m.menus.push_back({kMenuDocument,
                           {popup("&File", {item("&New", kNew), item("&Close", kClose)}),
                            popup("&Edit", {popup("&More", {item("&Item", kMoreItem)}), item("&Undo", kUndo)}),
                            popup("&Build", {item("&Compile", kCompile)})}});
        m.menus.push_back({kMenuListing,
                           {popup("&File", {item("&New", kNew)}), popup("&Window", {item("&Cascade", 0xE130)}),
                            popup("&Help", {item("&About", kAbout)})}});
        m.strings[kMenuNoDocument] = "Menus";
        return m;
    }();
    return module;
}

// Records the commands it gets and the popups it opens.
class MenuFrame : public SECMDIFrameWnd {
public:
    std::vector<UINT> commands;
    std::vector<HMENU> popups;
    std::vector<WPARAM> system_commands;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
        if (id < kNew || id > kCompile) return SECMDIFrameWnd::OnCmdMsg(id, code, extra, info);
        if (code == CN_UPDATE_COMMAND_UI) static_cast<CCmdUI*>(extra)->Enable(TRUE);
        if (code == CN_COMMAND && !info) commands.push_back(id);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_INITMENUPOPUP) popups.push_back(reinterpret_cast<HMENU>(wParam));
        if (message == WM_SYSCOMMAND) system_commands.push_back(wParam & 0xFFF0);
        return SECMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        gdi::set_test_font_everywhere(true);
        kit::res::register_module(&menus());
        frame = new MenuFrame;
        bar = new SECMDIMenuBar;
        bar->m_bAutoDelete = TRUE;
        frame->SetMenuBar(bar);
        ASSERT_TRUE(frame->LoadFrame(kMenuNoDocument, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        frame->SetWindowPos(nullptr, 0, 0, 420, 260, SWP_NOZORDER);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        manager = new SECToolBarManager(frame);
        manager->SetMenuInfo({kMenuNoDocument, kMenuDocument, kMenuListing});
        manager->m_pMenuBar = bar;
        manager->CreateDefaultToolBars();
        frame->SetMenuBarMenu(kMenuNoDocument);
        frame->RecalcLayout();
        frame->SetFocus();
        frame_hwnd = frame->m_hWnd;
        pump();
    }
    void TearDown() override {
        if (frame && frame->m_hWnd) frame->DestroyWindow();
        frame = nullptr;  // it deleted itself with its window
        delete manager;
        pump();
        AfxDeleteTempMaps();
        kit::res::unregister_module(&menus());
        gdi::set_test_font_everywhere(false);
    }
    // The program's message loop: the frame translates first.
    void pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (frame && ::IsWindow(frame_hwnd) && frame->PreTranslateMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    std::vector<std::string> shown_titles() const {
        std::vector<std::string> titles;
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            const SECStdBtn* button = bar->GetButton(i);
            if (button->m_nType == SEC_BTN_MENU && !button->IsHidden())
                titles.emplace_back(static_cast<const SECTBMenuBtn*>(button)->m_strText);
        }
        return titles;
    }
    // The title of the button whose popup is open, "" when none.
    std::string open_title() const {
        const SECStdBtn* button = bar->GetButton(bar->m_nOpenMenu);
        return button && button->m_nType == SEC_BTN_MENU
                   ? std::string(static_cast<const SECTBMenuBtn*>(button)->m_strText)
                   : std::string();
    }
    HMENU popup_of(UINT menu_id, int position) { return ::GetSubMenu(frame->GetMenuForId(menu_id), position); }
    // The frame with the open popups drawn over it, as the screen shows them.
    std::string picture() {
        gdi::Surface shot;
        EXPECT_TRUE(testing_kit::painted_picture(frame->m_hWnd, &shot));
        CRect frame_rect;
        frame->GetWindowRect(&frame_rect);
        std::vector<HWND> windows = kit::user::top_level_windows();
        std::reverse(windows.begin(), windows.end());
        for (HWND popup : windows) {
            if (popup == frame->m_hWnd || !::IsWindowVisible(popup)) continue;
            RECT at;
            ::GetWindowRect(popup, &at);
            gdi::Surface part;
            EXPECT_TRUE(testing_kit::painted_picture(popup, &part));
            for (int y = 0; y < part.height(); ++y)
                for (int x = 0; x < part.width(); ++x)
                    if (shot.contains(at.left - frame_rect.left + x, at.top - frame_rect.top + y))
                        shot.row(at.top - frame_rect.top + y)[at.left - frame_rect.left + x] = part.row(y)[x];
        }
        auto png = gdi::encode_png(shot);
        return std::string(png.begin(), png.end());
    }

    kit::display::Headless display;
    MenuFrame* frame = nullptr;
    HWND frame_hwnd = nullptr;
    SECMDIMenuBar* bar = nullptr;
    SECToolBarManager* manager = nullptr;
};

TEST_F(MenuBarTest, EachMenuHasItsBitAndSwitchingShowsOnlyItsButtons) {
    EXPECT_EQ(bar->GetMenuBit(kMenuNoDocument), 1u);
    EXPECT_EQ(bar->GetMenuBit(kMenuDocument), 2u);
    EXPECT_EQ(bar->GetMenuBit(999), 0u);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&View", "&Help"}));
    frame->SetMenuBarMenu(kMenuDocument);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));
    // An unknown menu changes nothing.
    frame->SetMenuBarMenu(999);
    EXPECT_EQ(bar->m_nCurrentMenuId, kMenuDocument);
    // The bar has a row of its own and the window no menu.
    EXPECT_TRUE(bar->GetExBarStyle() & CBRS_EX_OWN_ROW);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(frame->GetMenu()->m_hMenu, frame->GetMenuForId(kMenuDocument));
}

// The saved layout holds the buttons of every menu; read back at the next
// start, before any document opens, the bar still shows one menu only.
TEST_F(MenuBarTest, AReadBackLayoutShowsOnlyTheMenuInUse) {
    const std::vector<std::string> no_document{"&File", "&View", "&Help"};
    const std::vector<std::string> document{"&File", "&Edit", "&Build"};
    for (const auto& [menu, titles] : {std::pair{kMenuNoDocument, no_document}, std::pair{kMenuDocument, document}}) {
        frame->SetMenuBarMenu(menu);
        SECControlBarInfo info(manager);
        bar->GetBarInfo(&info);
        ASSERT_NE(info.m_pInfoEx, nullptr);
        bar->SetBarInfoEx(&info, frame);
        pump();
        EXPECT_EQ(shown_titles(), titles) << "menu " << menu;
    }
}

TEST_F(MenuBarTest, AltLetterDropsTheMenuWithItsFirstItemAndReturnChoosesIt) {
    frame->SetMenuBarMenu(kMenuDocument);
    std::string opened;
    display.then([&] {
        opened = open_title();
        display.press(VK_RETURN);
    });
    display.chord(VK_MENU, 'F');
    pump();
    EXPECT_EQ(opened, "&File");
    EXPECT_EQ(frame->commands, std::vector<UINT>{kNew});
    EXPECT_EQ(bar->m_nOpenMenu, -1);
}

TEST_F(MenuBarTest, ArrowsMoveBetweenMenusAndIntoSubMenusAndEscapeCloses) {
    frame->SetMenuBarMenu(kMenuDocument);
    std::vector<std::string> seen;
    bool compared = false;
    const auto note_then = [&](int vk) {
        display.then([&, vk] {
            seen.push_back(open_title());
            display.press(vk);
        });
    };
    note_then(VK_RIGHT);  // File -> Edit
    display.then([&] {
        seen.push_back(open_title());
        EXPECT_TRUE(testing_kit::matches_golden("uikit/frames/tests/golden/menu_bar_arrow.png", picture()));
        compared = true;
        display.press(VK_RIGHT);  // "More" is selected: its sub-menu opens
    });
    note_then(VK_LEFT);  // the sub-menu closes
    note_then(VK_LEFT);  // Edit -> File
    note_then(VK_LEFT);  // past the first menu: the system menu
    display.then([&] {
        seen.push_back(open_title());
        display.press(VK_ESCAPE);
    });
    display.chord(VK_MENU, 'F');
    pump();
    EXPECT_TRUE(compared);
    EXPECT_EQ(seen, (std::vector<std::string>{"&File", "&Edit", "&Edit", "&Edit", "&File", ""}));
    const std::vector<HMENU> expected{popup_of(kMenuDocument, 0), popup_of(kMenuDocument, 1),
                                      ::GetSubMenu(popup_of(kMenuDocument, 1), 0), popup_of(kMenuDocument, 0),
                                      ::GetSystemMenu(frame->m_hWnd, FALSE)};
    EXPECT_EQ(frame->popups, expected);
    EXPECT_EQ(bar->m_nOpenMenu, -1);
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(MenuBarTest, AltWithALetterNoMenuHasIsSwallowed) {
    display.chord(VK_MENU, 'Z');
    pump();
    EXPECT_TRUE(frame->popups.empty());
    // It never reaches the window as a menu key.
    EXPECT_TRUE(std::find(frame->system_commands.begin(), frame->system_commands.end(), SC_KEYMENU) ==
                frame->system_commands.end());
}

TEST_F(MenuBarTest, TheMouseOverAnotherMenuButtonReplacesTheOpenPopup) {
    std::string first, second;
    display.then([&] {
        first = open_title();
        const CRect view = bar->GetButtonRect(bar->FindMnemonic('v'));
        display.move(bar->m_hWnd, POINT{view.CenterPoint().x, view.CenterPoint().y});
    });
    display.then([&] {
        second = open_title();
        display.press(VK_ESCAPE);
    });
    const CRect file = bar->GetButtonRect(bar->FindMnemonic('f'));
    display.click(bar->m_hWnd, POINT{file.CenterPoint().x, file.CenterPoint().y});
    pump();
    EXPECT_EQ(first, "&File");
    EXPECT_EQ(second, "&View");
    EXPECT_EQ(frame->popups, (std::vector<HMENU>{popup_of(kMenuNoDocument, 0), popup_of(kMenuNoDocument, 1)}));
    EXPECT_EQ(bar->m_nOpenMenu, -1);
}

TEST_F(MenuBarTest, ClosingTheFrameWhileAMenuIsOpenEndsTheMenuFirst) {
    bool was_open = false;
    display.then([&] {
        was_open = bar->m_nOpenMenu != -1;
        ::PostMessage(frame_hwnd, WM_CLOSE, 0, 0);
    });
    display.chord(VK_MENU, 'F');
    pump();
    EXPECT_TRUE(was_open);
    EXPECT_FALSE(::IsWindow(frame_hwnd));
    frame = nullptr;  // it deleted itself with its window
}

TEST_F(MenuBarTest, AMaximisedChildShowsItsIconAndBoxesWhichSendItsSystemCommands) {
    auto* child = new SECMDIChildWnd;
    ASSERT_TRUE(child->LoadFrame(kMenuDocument, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, frame));
    frame->MDIActivate(child);
    pump();
    EXPECT_TRUE(bar->GetIconButton()->IsHidden());
    EXPECT_TRUE(bar->GetCaptionButton()->IsHidden());
    // The child's menu shows in the bar.
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));
    frame->MDIMaximize(child);
    pump();
    ASSERT_FALSE(bar->GetIconButton()->IsHidden());
    ASSERT_FALSE(bar->GetCaptionButton()->IsHidden());
    EXPECT_EQ(bar->GetIconButton(), bar->GetButton(0));
    EXPECT_EQ(bar->GetCaptionButton(), bar->GetButton(bar->GetButtonCount() - 1));
    EXPECT_TRUE(testing_kit::matches_golden("uikit/frames/tests/golden/menu_bar_maximised_child.png", picture()));
    // The restore box gives the child its size back.
    const CRect restore = bar->GetCaptionButton()->BoxRect(1);
    display.click(bar->m_hWnd, POINT{restore.CenterPoint().x, restore.CenterPoint().y});
    pump();
    BOOL maximised = TRUE;
    EXPECT_EQ(frame->MDIGetActive(&maximised), child);
    EXPECT_FALSE(maximised);
    // The close box closes the child.
    frame->MDIMaximize(child);
    pump();
    const CRect close = bar->GetCaptionButton()->BoxRect(2);
    display.click(bar->m_hWnd, POINT{close.CenterPoint().x, close.CenterPoint().y});
    pump();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_TRUE(bar->GetCaptionButton()->IsHidden());
}

TEST_F(MenuBarTest, TheIconAndCaptionButtonsAreNotSavedAndStayAtTheEnds) {
    auto* child = new SECMDIChildWnd;
    ASSERT_TRUE(child->LoadFrame(kMenuDocument, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, frame));
    frame->MDIActivate(child);
    frame->MDIMaximize(child);
    pump();
    const auto ids = [&] {
        std::vector<UINT> all;
        for (int i = 0; i < bar->GetButtonCount(); ++i) all.push_back(bar->GetButtonID(i));
        return all;
    };
    // The buttons between the icon and the caption buttons.
    const auto inner = [&] {
        std::vector<UINT> all = ids();
        return all.size() < 2 ? all : std::vector<UINT>(all.begin() + 1, all.end() - 1);
    };
    const auto at_the_ends = [&](const char* when) {
        const std::vector<UINT> all = ids();
        ASSERT_GE(all.size(), 2u) << when;
        EXPECT_EQ(all.front(), SECMDIMenuBar::kIconButtonId) << when;
        EXPECT_EQ(all.back(), SECMDIMenuBar::kCaptionButtonId) << when;
        EXPECT_EQ(std::count(all.begin(), all.end(), SECMDIMenuBar::kIconButtonId), 1) << when;
        EXPECT_EQ(std::count(all.begin(), all.end(), SECMDIMenuBar::kCaptionButtonId), 1) << when;
        EXPECT_FALSE(bar->GetIconButton()->IsHidden()) << when;
        EXPECT_FALSE(bar->GetCaptionButton()->IsHidden()) << when;
    };
    at_the_ends("at first");
    const std::vector<UINT> menu_buttons = inner();

    SECControlBarInfo info(manager);
    bar->GetBarInfo(&info);
    auto* saved = dynamic_cast<SECCustomToolBarInfoEx*>(info.m_pInfoEx.get());
    ASSERT_NE(saved, nullptr);
    std::vector<UINT> saved_ids;
    for (const SECBtnInfo& button : saved->m_buttons) saved_ids.push_back(button.id);
    EXPECT_EQ(saved_ids, menu_buttons) << "the maximised child's buttons are not the bar's own";

    // Read back as saved now, and as saved before with the two buttons out of place.
    std::vector<SECBtnInfo> misplaced = saved->m_buttons;
    misplaced.insert(misplaced.begin(), SECBtnInfo{SECMDIMenuBar::kCaptionButtonId, {}});
    misplaced.push_back(SECBtnInfo{SECMDIMenuBar::kIconButtonId, {}});
    for (const auto& records : {saved->m_buttons, misplaced}) {
        saved->m_buttons = records;
        bar->SetBarInfoEx(&info, frame);
        pump();
        at_the_ends("read back");
        EXPECT_EQ(inner(), menu_buttons);
    }

    // A menu button dropped past the caption buttons, or before the icon.
    bar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CRect past_the_end = bar->GetButtonRect(1);
    past_the_end.OffsetRect(bar->GetButtonRect(bar->GetButtonCount() - 1).right + 4 - past_the_end.left, 0);
    bar->DropButton(past_the_end, bar->GetButton(1), bar, FALSE, TRUE);
    at_the_ends("dropped past the end");
    EXPECT_EQ(bar->GetButtonID(bar->GetButtonCount() - 2), menu_buttons.front());
    bar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CRect before_the_start = bar->GetButtonRect(2);
    before_the_start.OffsetRect(bar->GetButtonRect(0).left - 8 - before_the_start.left, 0);
    bar->DropButton(before_the_start, bar->GetButton(2), bar, FALSE, TRUE);
    at_the_ends("dropped before the start");
}

// A view that counts the command only views handle.
class CountingView : public CView {
    DECLARE_DYNCREATE(CountingView)
public:
    int hits = 0;
    std::vector<UINT> frame_states;  // the frame activations it heard of
    void OnDraw(CDC*) override {}
    void OnActivateFrame(UINT state, CFrameWnd*) override { frame_states.push_back(state); }
    afx_msg void OnViewCommand() { ++hits; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CountingView, CView)
BEGIN_MESSAGE_MAP(CountingView, CView)
ON_COMMAND(kViewCommand, OnViewCommand)
END_MESSAGE_MAP()

class PlainDoc : public CDocument {
    DECLARE_DYNCREATE(PlainDoc)
};
IMPLEMENT_DYNCREATE(PlainDoc, CDocument)

class DocumentsApp : public CWinApp {
public:
    DocumentsApp() : CWinApp("menu bar documents") {}
};

CountingView* view_of(CFrameWnd* frame) { return dynamic_cast<CountingView*>(frame->GetActiveView()); }

// The titles of a Window popup's list of children, the checked one marked with '*'.
std::vector<std::string> listed_windows(HMENU popup) {
    std::vector<std::string> listed;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
        const UINT id = ::GetMenuItemID(popup, i);
        if (id < AFX_IDM_FIRST_MDICHILD || id == UINT(-1)) continue;
        char text[64] = {};
        ::GetMenuString(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
        const bool checked = (::GetMenuState(popup, UINT(i), MF_BYPOSITION) & MF_CHECKED) != 0;
        listed.push_back(std::string(checked ? "*" : "") + text);
    }
    return listed;
}

class MenuBarDocumentsTest : public MenuBarTest {
protected:
    void SetUp() override {
        MenuBarTest::SetUp();
        app.m_pMainWnd = frame;
        sources = new CMultiDocTemplate(kMenuDocument, RUNTIME_CLASS(PlainDoc), RUNTIME_CLASS(SECMDIChildWnd),
                                        RUNTIME_CLASS(CountingView));
        listings = new CMultiDocTemplate(kMenuListing, RUNTIME_CLASS(PlainDoc), RUNTIME_CLASS(SECMDIChildWnd),
                                         RUNTIME_CLASS(CountingView));
        app.AddDocTemplate(sources);
        app.AddDocTemplate(listings);
    }
    void TearDown() override {
        app.CloseAllDocuments(TRUE);
        pump();
        MenuBarTest::TearDown();
        app.m_pMainWnd = nullptr;
    }
    CFrameWnd* frame_of(CDocument* doc) {
        POSITION at = doc->GetFirstViewPosition();
        CView* view = doc->GetNextView(at);
        return view ? view->GetParentFrame() : nullptr;
    }
    DocumentsApp app;
    CMultiDocTemplate* sources = nullptr;
    CMultiDocTemplate* listings = nullptr;
};

TEST_F(MenuBarDocumentsTest, EachTemplatesDocumentsShowItsMenuAndTheWindowPopupListsThem) {
    EXPECT_EQ(frame->GetDefaultMenu(), frame->GetMenuForId(kMenuNoDocument));
    CDocument* source = sources->OpenDocumentFile(nullptr);
    ASSERT_NE(source, nullptr);
    pump();
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));
    // The template's menu shows in the bar, never in the window.
    EXPECT_EQ(frame->GetMenu()->m_hMenu, sources->m_hMenuShared);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(::GetMenu(frame_of(source)->m_hWnd), nullptr);

    CDocument* listing = listings->OpenDocumentFile(nullptr);
    ASSERT_NE(listing, nullptr);
    pump();
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Window", "&Help"}));
    const std::string source_title(source->GetTitle()), listing_title(listing->GetTitle());
    HMENU window_popup = ::GetSubMenu(listings->m_hMenuShared, 1);
    EXPECT_EQ(listed_windows(window_popup), (std::vector<std::string>{"&1 " + source_title, "*&2 " + listing_title}));

    // Bringing the first document forward brings its menu back.
    frame->MDIActivate(frame_of(source));
    pump();
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));

    // With the last document gone the frame's own menu shows again.
    source->OnCloseDocument();
    listing->OnCloseDocument();
    pump();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_TRUE(listed_windows(window_popup).empty());
}

TEST_F(MenuBarDocumentsTest, ADockableFrameTakesTheCommandsTitleAndMenuUntilAChildIsClicked) {
    CDocument* source = sources->OpenDocumentFile(nullptr);
    ASSERT_NE(source, nullptr);
    CMDIChildWnd* child = static_cast<CMDIChildWnd*>(frame_of(source));
    // A listing in a frame docked at the left.
    CDocument* notes = listings->CreateNewDocument();
    CCreateContext context;
    context.m_pCurrentDoc = notes;
    context.m_pNewViewClass = RUNTIME_CLASS(CountingView);
    context.m_pNewDocTemplate = listings;
    auto* dockable = new SECDockableFrame;
    ASSERT_TRUE(dockable->CreateHosted(frame, "Notes", 0xE900 + 40, &context));
    dockable->InitialUpdateFrame(notes, TRUE);
    frame->DockControlBarEx(dockable->GetFrameBar(), AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 120);
    frame->RecalcLayout();
    // The user works in the document.
    child->GetActiveView()->SetFocus();
    pump();
    ASSERT_EQ(frame->GetActiveDockableFrame(), nullptr);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));

    // A click in the dockable frame's view: the frame's commands, title and menu follow it.
    CView* notes_view = dockable->GetActiveView();
    ASSERT_NE(notes_view, nullptr);
    display.click(notes_view->m_hWnd, POINT{10, 10});
    pump();
    EXPECT_EQ(frame->GetActiveDockableFrame(), dockable);
    EXPECT_EQ(frame->GetActiveFrame(), dockable);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Window", "&Help"}));
    frame->SendMessage(WM_COMMAND, kViewCommand);
    EXPECT_EQ(view_of(dockable)->hits, 1);
    EXPECT_EQ(view_of(child)->hits, 0);

    // A click in the document that stayed in front takes it all back.
    display.click(child->GetActiveView()->m_hWnd, POINT{10, 10});
    pump();
    EXPECT_EQ(frame->GetActiveDockableFrame(), nullptr);
    EXPECT_EQ(frame->GetActiveFrame(), child);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));
    frame->SendMessage(WM_COMMAND, kViewCommand);
    EXPECT_EQ(view_of(child)->hits, 1);

    // Activated again, the dockable frame gives the activation back when it goes.
    display.click(notes_view->m_hWnd, POINT{10, 10});
    pump();
    ASSERT_EQ(frame->GetActiveDockableFrame(), dockable);
    dockable->DestroyWindow();
    pump();
    EXPECT_EQ(frame->GetActiveDockableFrame(), nullptr);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));
    // The listing went with its last view.
    EXPECT_EQ(listings->GetFirstDocPosition(), nullptr);
}

// A minimized child, from its own caption or from the bar's boxes for a maximized one, is a
// captioned strip along the bottom of the MDI area and the next child takes over; the window
// list or the strip's restore box brings it back where it was.
TEST_F(MenuBarDocumentsTest, AMinimizedChildIsAStripAlongTheBottomUntilRestored) {
    CDocument* source = sources->OpenDocumentFile(nullptr);
    CDocument* listing = listings->OpenDocumentFile(nullptr);
    ASSERT_TRUE(source && listing);
    pump();
    CFrameWnd* source_frame = frame_of(source);
    CFrameWnd* listing_frame = frame_of(listing);
    const HWND mdi_area = frame->m_hWndMDIClient;
    const auto place = [&](CWnd* child) {
        CRect at;
        child->GetWindowRect(&at);
        ::MapWindowPoints(nullptr, mdi_area, reinterpret_cast<POINT*>(&at), 2);
        return at;
    };
    // A point inside the caption box of `child` that answers `hit`, in the MDI area.
    const auto caption_box = [&](CWnd* child, LRESULT hit) {
        CRect at;
        child->GetWindowRect(&at);
        const int y = at.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
        POINT point{-1, -1};
        for (int x = at.left; x < at.right && point.x < 0; ++x)
            if (child->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) point = POINT{x + 4, y};
        EXPECT_GE(point.x, 0) << "no caption box answers " << hit;
        ::ScreenToClient(mdi_area, &point);
        return point;
    };
    CRect area;
    ::GetClientRect(mdi_area, &area);
    const CRect source_normal = place(source_frame), listing_normal = place(listing_frame);

    // The maximized listing minimized from the bar.
    frame->MDIMaximize(listing_frame);
    pump();
    const CPoint minimize_box = bar->GetCaptionButton()->BoxRect(0).CenterPoint();
    display.click(bar->m_hWnd, POINT{minimize_box.x, minimize_box.y});
    pump();
    EXPECT_TRUE(listing_frame->IsIconic());
    const CRect strip = place(listing_frame);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.bottom, area.bottom);
    EXPECT_GT(strip.Height(), ::GetSystemMetrics(SM_CYCAPTION));
    EXPECT_LT(strip.Height(), 2 * ::GetSystemMetrics(SM_CYCAPTION));
    BOOL maximized = TRUE;
    EXPECT_EQ(frame->MDIGetActive(&maximized), source_frame);
    EXPECT_FALSE(maximized);
    EXPECT_TRUE(bar->GetCaptionButton()->IsHidden());
    EXPECT_EQ(CWnd::GetFocus(), source_frame->GetActiveView());
    EXPECT_EQ(place(source_frame), source_normal);
    EXPECT_EQ(shown_titles(), (std::vector<std::string>{"&File", "&Edit", "&Build"}));

    // The source minimized from its caption: with no other child shown it stays active, and the
    // keyboard leaves its view, which is out of sight.
    display.click(mdi_area, caption_box(source_frame, HTMINBUTTON));
    pump();
    EXPECT_TRUE(source_frame->IsIconic());
    EXPECT_EQ(place(source_frame), CRect(strip.right, strip.top, strip.right + strip.Width(), strip.bottom));
    EXPECT_EQ(frame->MDIGetActive(), source_frame);
    EXPECT_NE(CWnd::GetFocus(), source_frame->GetActiveView());
    EXPECT_TRUE(testing_kit::matches_golden("uikit/frames/tests/golden/menu_bar_minimized_children.png", picture()));

    // Chosen from the window list, the listing comes back where it was before it was maximized.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1);
    pump();
    EXPECT_FALSE(listing_frame->IsIconic());
    EXPECT_EQ(place(listing_frame), listing_normal);
    EXPECT_EQ(frame->MDIGetActive(), listing_frame);
    EXPECT_EQ(place(source_frame), strip) << "the strips close up";

    // The restore box in the source's strip.
    display.click(mdi_area, caption_box(source_frame, HTMINBUTTON));
    pump();
    EXPECT_FALSE(source_frame->IsIconic());
    EXPECT_EQ(place(source_frame), source_normal);
    EXPECT_EQ(frame->MDIGetActive(), source_frame);
    EXPECT_EQ(CWnd::GetFocus(), source_frame->GetActiveView());
}

TEST_F(MenuBarDocumentsTest, WhenAskedTheActiveViewHearsOfTheFramesActivationAndTakesTheKeyboardBack) {
    CDocument* source = sources->OpenDocumentFile(nullptr);
    ASSERT_NE(source, nullptr);
    CountingView* view = view_of(frame_of(source));
    CWnd other;
    ASSERT_TRUE(
        other.CreateEx(0, AfxRegisterWndClass(0), "Other", WS_POPUP | WS_VISIBLE, CRect(500, 0, 600, 100), nullptr, 0));
    const auto switch_away_and_back = [&] {
        ::SetActiveWindow(other.m_hWnd);
        other.SetFocus();
        ::SetActiveWindow(frame->m_hWnd);
        pump();
    };
    switch_away_and_back();
    EXPECT_TRUE(view->frame_states.empty());  // not asked for
    frame->m_bActivateViewOnActivate = TRUE;
    switch_away_and_back();
    EXPECT_EQ(view->frame_states, (std::vector<UINT>{WA_INACTIVE, WA_ACTIVE}));
    EXPECT_EQ(CWnd::GetFocus(), view);
    other.DestroyWindow();
}

// The single-document frame: its menu in a menu bar, with command pictures in the popups.
TEST(SdiMenuBarTest, TheFramesMenuShowsInTheBarAndItsPopupsDrawPictures) {
    gdi::set_test_font_everywhere(true);
    kit::res::register_module(&menus());
    kit::display::Headless display;
    auto* frame = new SECFrameWnd;
    auto* bar = new SECMenuBar;
    bar->m_bAutoDelete = TRUE;
    frame->EnableBmpMenus(TRUE, FALSE);
    frame->SetMenuBar(bar);
    ASSERT_TRUE(frame->LoadFrame(kMenuNoDocument, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    frame->SetWindowPos(nullptr, 0, 0, 420, 260, SWP_NOZORDER);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    auto* manager = new SECToolBarManager(frame);
    manager->SetMenuInfo({kMenuNoDocument});
    manager->CreateDefaultToolBars();
    frame->SetControlBarManager(manager);
    frame->SetMenuBarMenu(kMenuNoDocument);
    frame->RecalcLayout();
    frame->SetFocus();
    const auto pump = [&] {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (frame->m_hWnd && frame->PreTranslateMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    };
    pump();
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    ASSERT_NE(frame->GetMenu(), nullptr);
    EXPECT_EQ(frame->GetMenu()->m_hMenu, frame->GetMenuForId(kMenuNoDocument));
    EXPECT_NE(dynamic_cast<SECMenuBarFeature*>(frame->GetBmpMenuPlugIn()), nullptr);

    // Alt+F drops File; its items are drawn by the plug-in while it is open.
    HMENU file = ::GetSubMenu(frame->GetMenuForId(kMenuNoDocument), 0);
    UINT type_while_open = 0;
    display.then([&] {
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE;
        ::GetMenuItemInfo(file, 0, TRUE, &info);
        type_while_open = info.fType;
        display.press(VK_ESCAPE);
    });
    display.chord(VK_MENU, 'F');
    pump();
    EXPECT_TRUE(type_while_open & MFT_OWNERDRAW);
    EXPECT_EQ(bar->m_nOpenMenu, -1);

    frame->DestroyWindow();
    delete manager;
    pump();
    AfxDeleteTempMaps();
    kit::res::unregister_module(&menus());
    gdi::set_test_font_everywhere(false);
}

}  // namespace
