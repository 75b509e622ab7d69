// Saving a docking layout and restoring it into a new frame through
// the profile, the key/value tree and an archive; damaged layouts that leave
// the default in place with a reason; bars the saved layout lacks or that the
// frame lacks; a floating bar saved off the screen.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/png_writer.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/tests/docking_fixture.h"
#include "uikit/frames/dock_state.h"

namespace {

using namespace docking_test;

std::string text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

constexpr const char* kLayout = "FrameState\\ToolBar";

class DockStateTest : public DockingTest {
protected:
    // The six windows with one floating and one hidden.
    void build_saved_layout() {
        build();
        frame->FloatControlBarEx(&bar(2), 700, 120, CBRS_ALIGN_TOP);
        frame->ShowControlBar(&bar(5), FALSE, FALSE);
        idle();
        ASSERT_TRUE(bar(2).IsFloating());
    }
    // The frame goes and a new one is built with the default layout.
    void new_frame_with_bars() {
        new_frame();
        build();
    }
    CWinApp& profile() { return *AfxGetApp(); }
    // The three forms a layout is kept in, each saving the frame's layout and loading it into the frame.
    struct Form {
        const char* name;
        std::function<void()> save;
        std::function<os::Status()> load;
    };
    std::vector<Form> forms() {
        return {
            {"profile", [this] { frame->SaveBarState(kLayout); }, [this] { return frame->LoadBarState(kLayout); }},
            {"tree",
             [this] {
                 tree = std::make_unique<SECPersistentTreeNode>();
                 ASSERT_EQ(tree->Create("Root"), UINT(PTN_OK));
                 SECDockState state;
                 state.GetFrameState(frame);
                 ASSERT_TRUE(state.SaveState(tree.get()));
             },
             [this] {
                 SECDockState state;
                 if (os::Status loaded = state.LoadState(tree.get()); !loaded) return loaded;
                 EXPECT_GT(state.GetInfoCount(), 0);
                 return state.SetFrameState(frame);
             }},
            {"archive",
             [this] {
                 archive_file.SetLength(0);
                 SECDockState state;
                 state.GetFrameState(frame);
                 CArchive ar(&archive_file, CArchive::store);
                 state.Serialize(ar);
                 ar.Close();
             },
             [this] {
                 archive_file.Seek(0, CFile::begin);
                 CArchive ar(&archive_file, CArchive::load);
                 SECDockState state;
                 if (os::Status loaded = state.LoadState(ar); !loaded) return loaded;
                 return state.SetFrameState(frame);
             }},
        };
    }
    // The profile section of the saved record with that bar id.
    CString section_of(UINT id, const char* layout = kLayout) {
        const int bars = int(profile().GetProfileInt(AfxFormat("%s-Summary", layout), "Bars", 0));
        for (int i = 0; i < bars; ++i) {
            const CString section = AfxFormat("%s-Bar%d", layout, i);
            if (profile().GetProfileInt(section, "BarID", 0) == id) return section;
        }
        ADD_FAILURE() << "no section for " << id;
        return CString();
    }
    // The frame of the bar-hosting MDI child that holds a bar.
    CWnd* mdi_host(int index) { return bar(index).m_pDockBar->GetParent(); }

    std::unique_ptr<SECPersistentTreeNode> tree;
    CMemFile archive_file;
};

TEST_F(DockStateTest, TheLayoutComesBackIntoANewFrameThroughEachForm) {
    for (const Form& form : forms()) {
        build_saved_layout();
        const std::string saved = dump_layout();
        ASSERT_NE(saved.find("floating \"Memory Window\""), std::string::npos);
        form.save();
        new_frame_with_bars();
        ASSERT_NE(dump_layout(), saved) << form.name;
        const os::Status loaded = form.load();
        EXPECT_TRUE(loaded) << form.name << ": " << loaded.error().text;
        idle();
        EXPECT_EQ(dump_layout(), saved) << form.name;
        EXPECT_FALSE(bar(5).IsVisible()) << form.name;
        // The floating bar keeps the share it docks back with.
        EXPECT_NEAR(bar(2).m_fSavedPctWidth, 0.25f, 1e-5) << form.name;
        new_frame();
    }
}

TEST_F(DockStateTest, TheRestoredLayoutAndItsFloatingBarLookAsReviewed) {
    build_saved_layout();
    frame->SaveBarState(kLayout);
    new_frame_with_bars();
    ASSERT_TRUE(frame->LoadBarState(kLayout));
    idle();
    CWnd* floating = bar(2).GetParentFrame();
    ASSERT_NE(floating, frame);
    EXPECT_STREQ(floating->GetWindowText(), "Memory Window");
    const struct {
        CWnd* window;
        const char* golden;
    } kPictures[] = {{frame, "uikit/frames/tests/golden/restored.png"},
                     {floating, "uikit/frames/tests/golden/floating.png"}};
    for (const auto& picture : kPictures) {
        EXPECT_TRUE(testing_kit::matches_painted_golden(picture.window->m_hWnd, picture.golden));
    }
}

TEST_F(DockStateTest, ABarSavedInAnMdiChildComesBackInANewOneWithItsPlacementThroughEachForm) {
    for (const Form& form : forms()) {
        build();
        frame->FloatControlBarAsMDIChild(&bar(4), -1, -1, CBRS_ALIGN_TOP);
        idle();
        ASSERT_TRUE(bar(4).IsMDIChild());
        mdi_host(4)->SetWindowPos(nullptr, 40, 25, 120, 150, SWP_NOZORDER | SWP_NOACTIVATE);
        idle();
        WINDOWPLACEMENT saved{};
        saved.length = sizeof saved;
        ::GetWindowPlacement(mdi_host(4)->m_hWnd, &saved);
        form.save();
        new_frame_with_bars();
        const os::Status loaded = form.load();
        ASSERT_TRUE(loaded) << form.name << ": " << loaded.error().text;
        idle();
        ASSERT_TRUE(bar(4).IsMDIChild()) << form.name;
        CWnd* restored = mdi_host(4);
        ASSERT_NE(sec_bar_host(restored), nullptr) << form.name;
        EXPECT_TRUE(restored->IsWindowVisible()) << form.name;
        WINDOWPLACEMENT now{};
        now.length = sizeof now;
        ::GetWindowPlacement(restored->m_hWnd, &now);
        EXPECT_EQ(text(now.rcNormalPosition), text(saved.rcNormalPosition)) << form.name;
        // Restoring again into the same frame leaves no empty host behind.
        ASSERT_TRUE(form.load()) << form.name;
        idle();
        int hosts = 0;
        for (CWnd* child = CWnd::FromHandle(::GetTopWindow(frame->m_hWndMDIClient)); child;
             child = child->GetNextWindow())
            hosts += sec_bar_host(child) ? 1 : 0;
        EXPECT_EQ(hosts, 1) << form.name;
        new_frame();
    }
}

// A window placement as the profile keeps it: eleven little-endian words.
std::vector<BYTE> placement_bytes(const CRect& normal) {
    const LONG words[11] = {LONG(sizeof(WINDOWPLACEMENT)),
                            0,
                            SW_SHOWNORMAL,
                            -1,
                            -1,
                            -1,
                            -1,
                            normal.left,
                            normal.top,
                            normal.right,
                            normal.bottom};
    std::vector<BYTE> bytes;
    for (LONG word : words)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(BYTE(DWORD(word) >> shift));
    return bytes;
}

TEST_F(DockStateTest, ABarHostingMdiChildSavedOutOfReachComesBackWholeInsideTheMdiArea) {
    // Saved at the integer limits, far outside the MDI area, smaller than a window can be, or with no
    // size: it comes back no smaller than the smallest size a window is tracked to, no larger than the
    // MDI area, and inside it.
    const struct {
        const char* saved;
        CRect normal;
    } kPlacements[] = {
        {"the integer limits", CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)},
        {"far outside", CRect(30000, 30000, 30400, 30300)},
        {"far outside, small", CRect(30000, 30000, 30100, 30080)},
        {"one pixel", CRect(5, 5, 6, 6)},
        {"wider than the area", CRect(10, 10, 5000, 60)},
        {"all zero", CRect(0, 0, 0, 0)},
    };
    for (const auto& item : kPlacements) {
        build();
        frame->FloatControlBarAsMDIChild(&bar(4), -1, -1, CBRS_ALIGN_TOP);
        idle();
        frame->SaveBarState(kLayout);
        const std::vector<BYTE> bytes = placement_bytes(item.normal);
        profile().WriteProfileBinary(section_of(AFX_IDW_DOCKBAR_FLOAT), "MDIChildWindowPlacement", bytes.data(),
                                     UINT(bytes.size()));
        new_frame_with_bars();
        const os::Status restored = frame->LoadBarState(kLayout);
        ASSERT_TRUE(restored) << item.saved << ": " << restored.error().text;
        idle();
        ASSERT_TRUE(bar(4).IsMDIChild()) << item.saved;
        CRect area, child;
        ::GetClientRect(frame->m_hWndMDIClient, &area);
        mdi_host(4)->GetWindowRect(&child);
        ::MapWindowPoints(nullptr, frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&child), 2);
        EXPECT_TRUE(mdi_host(4)->IsWindowVisible()) << item.saved;
        EXPECT_GE(child.Width(), ::GetSystemMetrics(SM_CXMIN)) << item.saved << ": " << text(child);
        EXPECT_GE(child.Height(), ::GetSystemMetrics(SM_CYMIN)) << item.saved << ": " << text(child);
        CRect within;
        within.IntersectRect(&child, &area);
        EXPECT_EQ(text(within), text(child)) << item.saved << ": in " << text(area);
        new_frame();
    }
}

// A bar manager whose bars of type 7 keep one number of their own, and which makes bar 300 when a layout names it.
struct NumberInfoEx : SECControlBarInfoEx {
    int number = 0;
    void Serialize(CArchive& ar, SECDockState*) override {
        if (ar.IsStoring()) {
            ar << LONG(number);
        } else {
            LONG value = 0;
            ar >> value;
            number = value;
        }
    }
    BOOL LoadState(SECPersistentTreeNode* node) override { return node->GetIntValue("Number", &number) == PTN_OK; }
    BOOL LoadState(const char* section) override {
        number = int(AfxGetApp()->GetProfileInt(section, "Number", -1));
        return number >= 0;
    }
    BOOL SaveState(SECPersistentTreeNode*, SECPersistentTreeNode* node) override {
        return node->SetIntValue("Number", number) == PTN_OK;
    }
    BOOL SaveState(const char* section) override { return AfxGetApp()->WriteProfileInt(section, "Number", number); }
};

struct NumberManager : SECControlBarManager {
    CFrameWnd* frame = nullptr;
    int made = 0;
    UINT GetBarTypeID(CControlBar* bar) override { return bar->GetDlgCtrlID() == 300 ? 7 : 0; }
    SECControlBarInfoEx* CreateBarInfo(SECControlBarInfo* info) override {
        return info->m_nTypeID == 7 ? new NumberInfoEx : nullptr;
    }
    CControlBar* CreateBar(SECControlBarInfo* info) override {
        if (info->m_nBarID != 300) return nullptr;
        auto* bar = new SECControlBar;
        bar->m_bAutoDelete = TRUE;
        if (!bar->Create(frame, "Numbered", kBarStyle, kBarExStyle, 300)) return nullptr;
        bar->EnableDocking(CBRS_ALIGN_ANY);
        ++made;
        return bar;
    }
};

TEST_F(DockStateTest, ABarManagersOwnStateTravelsWithTheLayoutInEachForm) {
    SECPersistentTreeNode root;
    ASSERT_EQ(root.Create("Root"), UINT(PTN_OK));
    CMemFile archive_file;
    const auto numbered_info = [](SECDockState& state) -> NumberInfoEx* {
        for (int i = 0; i < state.GetInfoCount(); ++i)
            if (state.GetInfo(i)->m_nBarID == 300)
                return dynamic_cast<NumberInfoEx*>(state.GetInfo(i)->m_pInfoEx.get());
        return nullptr;
    };
    const struct {
        const char* form;
        std::function<void(SECDockState&)> save;
        std::function<os::Status(SECDockState&)> load;
    } kForms[] = {
        {"profile", [](SECDockState& state) { state.SaveState("Numbered"); },
         [](SECDockState& state) { return state.LoadState("Numbered"); }},
        {"tree", [&](SECDockState& state) { ASSERT_TRUE(state.SaveState(&root)); },
         [&](SECDockState& state) { return state.LoadState(&root); }},
        {"archive",
         [&](SECDockState& state) {
             CArchive ar(&archive_file, CArchive::store);
             state.Serialize(ar);
             ar.Close();
         },
         [&](SECDockState& state) {
             archive_file.Seek(0, CFile::begin);
             CArchive ar(&archive_file, CArchive::load);
             return state.LoadState(ar);
         }},
    };
    for (const auto& form : kForms) {
        build();
        NumberManager manager;
        manager.frame = frame;
        frame->SetControlBarManager(&manager);
        auto* numbered = new SECControlBar;
        numbered->m_bAutoDelete = TRUE;
        ASSERT_TRUE(numbered->Create(frame, "Numbered", kBarStyle, kBarExStyle, 300));
        numbered->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBarEx(numbered, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 60);
        {
            SECDockState state;
            state.GetFrameState(frame);
            NumberInfoEx* extra = numbered_info(state);
            ASSERT_EQ(extra, nullptr) << "a plain bar makes no extra state itself";
            for (int i = 0; i < state.GetInfoCount(); ++i)
                if (state.GetInfo(i)->m_nBarID == 300) state.GetInfo(i)->MakeInfoEx();
            extra = numbered_info(state);
            ASSERT_NE(extra, nullptr) << form.form;
            extra->number = 4711;
            form.save(state);
        }
        frame->SetControlBarManager(nullptr);
        new_frame();
        build();
        manager.frame = frame;
        frame->SetControlBarManager(&manager);
        SECDockState state(&manager);  // as the frame's own loading binds it
        const os::Status loaded = form.load(state);
        ASSERT_TRUE(loaded) << form.form << ": " << loaded.error().text;
        NumberInfoEx* extra = numbered_info(state);
        ASSERT_NE(extra, nullptr) << form.form;
        EXPECT_EQ(extra->number, 4711) << form.form;
        const os::Status applied = state.SetFrameState(frame);
        ASSERT_TRUE(applied) << form.form << ": " << applied.error().text;
        EXPECT_EQ(manager.made, 1) << form.form << ": the manager made the bar the frame lacked";
        ASSERT_NE(frame->GetControlBar(300), nullptr);
        EXPECT_EQ(UINT(frame->GetControlBar(300)->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_TOP));
        frame->SetControlBarManager(nullptr);
        new_frame();
    }
}

TEST_F(DockStateTest, TheProfileHoldsTheIdesKeys) {
    build_saved_layout();
    frame->SaveBarState(kLayout);
    const int bars = int(profile().GetProfileInt("FrameState\\ToolBar-Summary", "Bars", 0));
    // Six windows, the dock bars that hold bars (the top one is empty) and the floating frame's.
    EXPECT_EQ(bars, 10);
    bool found_memory = false;
    for (int i = 0; i < bars; ++i) {
        const CString section = AfxFormat("FrameState\\ToolBar-Bar%d", i);
        if (profile().GetProfileInt(section, "BarID", 0) != 102) continue;
        found_memory = true;
        EXPECT_EQ(profile().GetProfileString(section, "PctWidth"), "250000");
        EXPECT_EQ(profile().GetProfileInt(section, "Floating", 0), 1u);
        EXPECT_EQ(profile().GetProfileString(section, "WindowName"), "Memory Window");
        EXPECT_EQ(profile().GetProfileString(section, "ClassName"), "SECControlBar");
        EXPECT_EQ(profile().GetProfileInt(section, "ExStyle", 0), kBarExStyle);
    }
    EXPECT_TRUE(found_memory);
}

TEST_F(DockStateTest, ABarTheFrameCannotHaveIsLeftOutAndTheRestOfTheLayoutApplies) {
    // A document window's bar comes only with its document; the MDI area's id names no bar (document
    // bars once took it). Saved docked in a row of its own at the left, before the workspace.
    const struct {
        const char* saved;
        UINT id;
        const char* class_name;
    } kAbsent[] = {
        {"a document window's bar", 0xE901, "SECFrameBar"},
        {"a document window's bar with the MDI area's id", AFX_IDW_PANE_FIRST, "SECFrameBar"},
        {"a bar with the MDI area's id", AFX_IDW_PANE_FIRST, "SECControlBar"},
    };
    for (const auto& item : kAbsent) {
        build_saved_layout();
        const std::string saved = dump_layout();
        frame->SaveBarState(kLayout);
        const CString summary = AfxFormat("%s-Summary", kLayout);
        const int bars = int(profile().GetProfileInt(summary, "Bars", 0));
        const CString extra = AfxFormat("%s-Bar%d", kLayout, bars);
        profile().WriteProfileInt(extra, "BarID", item.id);
        profile().WriteProfileInt(extra, "Visible", 1);
        profile().WriteProfileInt(extra, "Horz", 0);
        profile().WriteProfileString(extra, "ClassName", item.class_name);
        profile().WriteProfileString(extra, "WindowName", "main.asm");
        profile().WriteProfileInt(summary, "Bars", bars + 1);
        const CString left = section_of(AFX_IDW_DOCKBAR_LEFT);
        const int slots = int(profile().GetProfileInt(left, "Bars", 0));
        for (int k = slots - 1; k >= 0; --k)
            profile().WriteProfileInt(left, AfxFormat("Bar#%d", k + 2),
                                      profile().GetProfileInt(left, AfxFormat("Bar#%d", k), 0));
        profile().WriteProfileInt(left, "Bar#0", item.id);
        profile().WriteProfileInt(left, "Bar#1", 0);
        profile().WriteProfileInt(left, "Bars", slots + 2);

        new_frame_with_bars();
        const os::Status loaded = frame->LoadBarState(kLayout);
        ASSERT_TRUE(loaded) << item.saved << ": " << loaded.error().text;
        idle();
        EXPECT_EQ(frame->GetControlBar(item.id), nullptr) << item.saved << ": nothing was made for it";
        EXPECT_EQ(dump_layout(), saved) << item.saved;
        new_frame();
    }
}

TEST_F(DockStateTest, ADamagedLayoutLeavesTheDefaultAndSaysWhy) {
    build();
    const std::string defaults = dump_layout();
    const BYTE short_placement[10] = {};
    const struct {
        const char* damage;
        std::function<void()> apply;
        const char* says;
    } kDamage[] = {
        {"wrong class", [&] { profile().WriteProfileString(section_of(104, "Damaged"), "ClassName", "CFrameWnd"); },
         "not a docking window"},
        {"unknown class", [&] { profile().WriteProfileString(section_of(104, "Damaged"), "ClassName", "NoSuchBar"); },
         "no such class"},
        {"duplicate id", [&] { profile().WriteProfileInt(section_of(104, "Damaged"), "BarID", 103); }, "used twice"},
        {"id out of range", [&] { profile().WriteProfileInt(section_of(104, "Damaged"), "BarID", 0x12345); },
         "out of range"},
        {"docked twice",
         [&] {
             const CString bottom = section_of(AFX_IDW_DOCKBAR_BOTTOM, "Damaged");
             profile().WriteProfileInt(bottom, "Bar#1", 100);
         },
         "docked twice"},
        {"short record",
         [&] {
             const CString section = section_of(104, "Damaged");
             profile().WriteProfileInt(section, "MDIChild", 1);
             profile().WriteProfileBinary(section, "MDIChildWindowPlacement", short_placement, sizeof short_placement);
         },
         "not 44 bytes"},
        {"huge count", [&] { profile().WriteProfileInt("Damaged-Summary", "Bars", 100000); }, "claims 100000 bars"},
        {"huge bar list",
         [&] { profile().WriteProfileInt(section_of(AFX_IDW_DOCKBAR_BOTTOM, "Damaged"), "Bars", 70000); },
         "out of range"},
        {"missing section", [&] { profile().WriteProfileString(section_of(104, "Damaged"), nullptr, nullptr); },
         "no bar id"},
    };
    for (const auto& item : kDamage) {
        profile().WriteProfileString("Damaged-Summary", nullptr, nullptr);
        frame->SaveBarState("Damaged");
        item.apply();
        frame->ShowControlBar(&bar(3), FALSE, FALSE);  // a change the damaged layout must not undo
        const std::string before = dump_layout();
        const os::Status loaded = frame->LoadBarState("Damaged");
        idle();
        ASSERT_FALSE(loaded) << item.damage;
        EXPECT_NE(loaded.error().text.find(item.says), std::string::npos) << item.damage << ": " << loaded.error().text;
        EXPECT_NE(loaded.error().text.find("the default layout is used"), std::string::npos);
        EXPECT_EQ(dump_layout(), before) << item.damage;
        frame->ShowControlBar(&bar(3), TRUE, FALSE);
        idle();
        EXPECT_EQ(dump_layout(), defaults) << item.damage;
    }
    // Nothing saved under a name is no damage: the default stays.
    EXPECT_TRUE(frame->LoadBarState("Never saved"));
    EXPECT_EQ(dump_layout(), defaults);
}

TEST_F(DockStateTest, ACutShortArchiveLeavesTheDefault) {
    build_saved_layout();
    CMemFile file;
    {
        SECDockState state;
        state.GetFrameState(frame);
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const DWORD length = file.GetLength();
    std::vector<BYTE> bytes(length);
    file.Seek(0, CFile::begin);
    ASSERT_EQ(file.Read(bytes.data(), length), length);
    new_frame_with_bars();
    const std::string defaults = dump_layout();
    for (DWORD cut : {DWORD(0), DWORD(3), DWORD(14), length / 2, length - 1}) {
        CMemFile cut_file(bytes.data(), cut);
        CArchive ar(&cut_file, CArchive::load);
        SECDockState state;
        const os::Status loaded = state.LoadState(ar);
        ASSERT_FALSE(loaded) << cut;
        EXPECT_NE(loaded.error().text.find("cut short"), std::string::npos)
            << cut << " of " << length << ": " << loaded.error().text;
        EXPECT_EQ(state.GetInfoCount(), 0);
        EXPECT_EQ(dump_layout(), defaults);
    }
}

TEST_F(DockStateTest, NoDamageToAnArchiveCrashesOrHalfAppliesALayout) {
    build_saved_layout();
    CMemFile file;
    {
        SECDockState state;
        state.GetFrameState(frame);
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetLength());
    file.Seek(0, CFile::begin);
    ASSERT_EQ(file.Read(bytes.data(), UINT(bytes.size())), UINT(bytes.size()));
    new_frame_with_bars();
    // Single bytes, and 32-bit words at the integer limits wherever they start.
    std::vector<std::vector<BYTE>> inputs;
    for (std::size_t at = 0; at < bytes.size(); at += 5) {
        for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(0x7F)}) {
            inputs.push_back(bytes);
            inputs.back()[at] = value;
        }
    }
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 3) {
        for (DWORD word : {DWORD(INT_MAX), DWORD(INT_MIN)}) {
            inputs.push_back(bytes);
            for (int i = 0; i < 4; ++i) inputs.back()[at + std::size_t(i)] = BYTE(word >> (8 * i));
        }
    }
    int refused = 0, applied = 0;
    for (std::vector<BYTE>& damaged : inputs) {
        CMemFile damaged_file(damaged.data(), UINT(damaged.size()));
        CArchive ar(&damaged_file, CArchive::load);
        SECDockState state;
        os::Status result = state.LoadState(ar);
        if (result) result = state.SetFrameState(frame);
        if (!result) {
            ++refused;
            EXPECT_FALSE(result.error().text.empty());
            continue;
        }
        ++applied;
        frame->RecalcLayout();
    }
    idle();
    // Some damage only changes values a layout may hold; much is refused; the frame still lays out.
    EXPECT_GT(refused, 0);
    EXPECT_GT(applied, 0);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(::IsWindow(bar(i).m_hWnd)) << i;
}

TEST_F(DockStateTest, AFloatingBarSavedOffTheScreenComesBackOntoIt) {
    const struct {
        const char* saved;
        CPoint at;
        bool limits;  // the bar's places to dock and float back to are at the integer limits too
    } kPlaces[] = {
        {"right and above", CPoint(30000, -400), false},
        {"at the integer limits", CPoint(INT_MAX, INT_MIN), true},
    };
    for (const auto& item : kPlaces) {
        build_saved_layout();
        frame->SaveBarState(kLayout);
        const CString floating = section_of(AFX_IDW_DOCKBAR_FLOAT);
        profile().WriteProfileInt(floating, "XPos", item.at.x);
        profile().WriteProfileInt(floating, "YPos", item.at.y);
        if (item.limits) {
            const CString memory = section_of(102);
            for (const char* key : {"MRUDockLeftPos", "MRUDockTopPos", "MRUFloatXPos", "MRUWidth"})
                profile().WriteProfileInt(memory, key, INT_MAX);
            for (const char* key : {"MRUDockRightPos", "MRUDockBottomPos", "MRUFloatYPos"})
                profile().WriteProfileInt(memory, key, INT_MIN);
        }
        new_frame_with_bars();
        const os::Status loaded = frame->LoadBarState(kLayout);
        ASSERT_TRUE(loaded) << item.saved << ": " << loaded.error().text;
        idle();
        ASSERT_TRUE(bar(2).IsFloating()) << item.saved;
        CRect place;
        bar(2).GetParentFrame()->GetWindowRect(&place);
        const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(&place, &screen)) << item.saved;
        EXPECT_EQ(text(inside), text(place)) << item.saved << ": the whole frame is on the screen";
        EXPECT_EQ(place.top, 0) << item.saved;
        EXPECT_EQ(place.right, screen.right) << item.saved;
        // Docked again by a double click and floated again, the bar goes by its saved places without harm.
        bar(2).m_pDockContext->ToggleDocking();
        idle();
        EXPECT_FALSE(bar(2).IsFloating()) << item.saved;
        bar(2).m_pDockContext->ToggleDocking();
        idle();
        ASSERT_TRUE(bar(2).IsFloating()) << item.saved;
        bar(2).GetParentFrame()->GetWindowRect(&place);
        EXPECT_FALSE(place.IsRectEmpty()) << item.saved;
        new_frame();
    }
}

TEST_F(DockStateTest, BarsTheLayoutDoesNotNameKeepTheirDefaultAndBarsTheFrameLacksAreMade) {
    const auto dock_new_bar = [this](const char* title, UINT id, UINT side, int row, int height) {
        auto* made = new SECControlBar;
        made->m_bAutoDelete = TRUE;
        EXPECT_TRUE(made->Create(frame, title, kBarStyle, kBarExStyle, id));
        made->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBarEx(made, side, 0, row, 1.0f, height);
        idle();
        return made;
    };
    build();
    // A bar the layout knows and a new frame does not have: made from its class.
    dock_new_bar("Extra Window", 200, AFX_IDW_DOCKBAR_TOP, 0, 80);
    frame->SaveBarState(kLayout);
    new_frame_with_bars();
    // And a bar the layout never saw: it stays where the frame docked it.
    SECControlBar* late = dock_new_bar("Late Window", 300, AFX_IDW_DOCKBAR_RIGHT, 1, 120);

    SECDockState state;
    CPtrList created;
    state.m_pCreatedBars = &created;
    ASSERT_TRUE(state.LoadState(kLayout));
    const os::Status applied = state.SetFrameState(frame);
    ASSERT_TRUE(applied) << applied.error().text;
    idle();
    auto* made = frame->GetControlBar(200);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(created.GetCount(), 1);
    EXPECT_EQ(created.GetHead(), made);
    EXPECT_STREQ(made->GetWindowText(), "Extra Window");
    EXPECT_EQ(UINT(made->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(made->IsVisible());
    EXPECT_EQ(static_cast<SECControlBar*>(made)->GetExBarStyle(), kBarExStyle);
    EXPECT_EQ(UINT(late->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_TRUE(late->IsVisible());
}

TEST_F(DockStateTest, AFloatingFrameLeftWithoutABarIsNotKept) {
    build_saved_layout();
    frame->SaveBarState(kLayout);
    // The floating frame's row names the memory window only as a place it may go back to.
    const int bars = int(profile().GetProfileInt("FrameState\\ToolBar-Summary", "Bars", 0));
    for (int i = 0; i < bars; ++i) {
        const CString section = AfxFormat("FrameState\\ToolBar-Bar%d", i);
        if (profile().GetProfileInt(section, "BarID", 0) != AFX_IDW_DOCKBAR_FLOAT) continue;
        profile().WriteProfileInt(section, "Bar#1", int(102 | CDockBar::kPlaceholderFlag));
    }
    new_frame_with_bars();
    SECDockState state;
    ASSERT_TRUE(state.LoadState(kLayout));
    const os::Status applied = state.SetFrameState(frame);
    ASSERT_TRUE(applied) << applied.error().text;
    idle();
    for (int i = 0; i < state.GetInfoCount(); ++i) {
        if (state.GetInfo(i)->m_nBarID == AFX_IDW_DOCKBAR_FLOAT) {
            EXPECT_EQ(state.GetInfo(i)->m_pBar, nullptr);
        }
    }
    // The memory window keeps its default place.
    EXPECT_FALSE(bar(2).IsFloating());
    EXPECT_EQ(UINT(bar(2).m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(DockStateTest, SavedValuesReadBackWithTheirLimits) {
    build();
    profile().WriteProfileInt("Values-Summary", "Bars", 1);
    profile().WriteProfileInt("Values-Bar0", "BarID", 104);
    profile().WriteProfileString("Values-Bar0", "PctWidth", "500000");
    profile().WriteProfileInt("Values-Bar0", "MRUHorzDockCY", -5);
    profile().WriteProfileInt("Values-Bar0", "MRUFloatCX", -7);
    profile().WriteProfileString("Values-Bar0", "ClassName", "SECControlBar");
    SECDockState state;
    ASSERT_TRUE(state.LoadState("Values"));
    ASSERT_EQ(state.GetInfoCount(), 1);
    EXPECT_FLOAT_EQ(state.GetInfo(0)->m_fPctWidth, 0.5f);
    EXPECT_EQ(state.GetInfo(0)->m_szHorzDock.cy, 0);
    EXPECT_EQ(state.GetInfo(0)->m_szFloat.cx, 0);

    // A tree that names three bars and holds two gives two records.
    SECPersistentTreeNode root;
    ASSERT_EQ(root.Create("Root"), UINT(PTN_OK));
    SECPersistentTreeNode* dock_state = root.AddChild("DockState");
    dock_state->SetIntValue("Bars", 3);
    dock_state->AddChild("Bar-0")->SetIntValue("BarID", 101);
    dock_state->AddChild("Bar-2")->SetIntValue("BarID", 103);
    ASSERT_TRUE(state.LoadState(&root));
    EXPECT_EQ(state.GetInfoCount(), 2);
    // A tree without a layout is a failure that leaves nothing loaded.
    SECPersistentTreeNode empty;
    ASSERT_EQ(empty.Create("Empty"), UINT(PTN_OK));
    EXPECT_FALSE(state.LoadState(&empty));
    EXPECT_EQ(state.GetInfoCount(), 0);
    EXPECT_FALSE(state.SaveState(static_cast<SECPersistentTreeNode*>(nullptr)));
}

TEST_F(DockStateTest, StaleIdsAreClearedBeforeSaving) {
    SECDockState state;
    auto* bar_info = state.CreateBarInfo(nullptr);
    bar_info->m_nBarID = 102;
    bar_info->m_uMRUDockID = AFX_IDW_DOCKBAR_BOTTOM;
    auto* bottom = state.CreateBarInfo(nullptr);
    bottom->m_nBarID = AFX_IDW_DOCKBAR_BOTTOM;
    bottom->m_bDockBar = TRUE;
    for (UINT id : {0u, 104u, 102u | CDockBar::kPlaceholderFlag, 104u, 101u, 0u, 0u}) bottom->m_arrBarID.Add(id);
    auto* top = state.CreateBarInfo(nullptr);
    top->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    top->m_bDockBar = TRUE;
    for (UINT id : {0u, 102u | CDockBar::kPlaceholderFlag, 0u}) top->m_arrBarID.Add(id);
    state.m_arrBarInfo.Add(bar_info);
    state.m_arrBarInfo.Add(bottom);
    state.m_arrBarInfo.Add(top);
    state.RemoveStaleIDs();
    // The placeholder stays only where the bar goes back to; a repeat goes; one row end closes the list.
    const std::vector<UINT> kBottom{0, 104, 102 | CDockBar::kPlaceholderFlag, 101, 0};
    ASSERT_EQ(bottom->m_arrBarID.GetSize(), int(kBottom.size()));
    for (std::size_t i = 0; i < kBottom.size(); ++i) EXPECT_EQ(bottom->m_arrBarID[int(i)], kBottom[i]) << i;
    EXPECT_EQ(top->m_arrBarID.GetSize(), 0);
}

}  // namespace
