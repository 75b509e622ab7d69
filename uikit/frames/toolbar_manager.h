#pragma once
// SECToolBarManager: the toolbars of one frame. It keeps the default toolbars
// the program defines and creates and docks them, makes user toolbars, shares
// one bitmap manager and one drawing context among all bars, switches
// tooltips, status-bar prompts, the cool look and large buttons for all of them
// at once, tells listening windows (the customize pages) about bars coming and
// going, and saves and restores its switches.
#include <initializer_list>
#include <memory>
#include <set>
#include <vector>

#include "uikit/frames/custom_toolbar.h"
#include "uikit/frames/persistent_tree.h"

class SECBmpMgr;

// A toolbar the program defines: shown the first time and given back by Reset.
struct SECDefaultToolBar {
    UINT id = 0;
    CString title;
    std::vector<UINT> buttons;  // 0 is a separator
    DWORD sides = CBRS_ALIGN_ANY;
    UINT dock_bar = AFX_IDW_DOCKBAR_TOP;
    UINT beside = 0;  // the default toolbar this one docks right of (or below), 0 none
    BOOL docked = TRUE, visible = TRUE;
};

// Type ids of the manager's bars in a saved layout.
constexpr UINT SEC_TYPE_CUSTOM_TOOLBAR = 14946, SEC_TYPE_MENU_BAR = 14947;

// Window styles of the bars the manager makes.
constexpr DWORD SEC_TOOLBAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC;
// The registered message the manager sends its listeners: wParam the bar id, lParam the code.
UINT sec_bar_notify_message();

class SECToolBarManager : public SECControlBarManager, public SECToolBarServices {
    DECLARE_DYNAMIC(SECToolBarManager)
public:
    explicit SECToolBarManager(CFrameWnd* frame = nullptr, CWnd* owner = nullptr);
    ~SECToolBarManager() override;
    SECToolBarManager(const SECToolBarManager&) = delete;
    SECToolBarManager& operator=(const SECToolBarManager&) = delete;

    void DefineDefaultToolBar(UINT id, const char* title, UINT count, const UINT* ids, DWORD sides = CBRS_ALIGN_ANY,
                              UINT dock_bar = AFX_IDW_DOCKBAR_TOP, UINT beside = 0, BOOL docked = TRUE,
                              BOOL visible = TRUE);
    const std::vector<SECDefaultToolBar>& GetDefaultToolBars() const { return defaults_; }
    BOOL GetDefaultButtons(UINT id, int& count, const UINT*& ids) const;

    void EnableCoolLook(BOOL enable, DWORD ex_style_bits = CBRS_EX_COOLBORDERS);
    void EnableToolTips(BOOL enable);
    void EnableFlyBy(BOOL enable);
    void EnableLargeBtns(BOOL enable);
    BOOL CoolLookEnabled() const { return cool_; }
    BOOL ToolTipsEnabled() const { return tooltips_; }
    BOOL FlyByEnabled() const { return flyby_; }
    BOOL LargeBtnsEnabled() const { return large_; }
    DWORD GetCoolStyleBits() const { return cool_bits_; }

    // Images from toolbar resource `id`; TRUE when at least one was added.
    BOOL LoadToolBarResource(UINT id, UINT large_id = 0);
    SECBmpMgr* GetBmpMgr() const { return bmp_mgr_; }
    SECBtnDrawData& GetDrawData() override;

    // The menus the menu bar shows (each menu's top-level items become menu buttons).
    void SetMenuInfo(int count, const UINT* menu_ids);
    void SetMenuInfo(std::initializer_list<UINT> menu_ids) { SetMenuInfo(int(menu_ids.size()), menu_ids.begin()); }
    const SECBtnDescriptors& GetMenuDescriptors() const override { return menu_descriptors_; }
    const std::vector<UINT>& GetMenuBarButtons() const { return menu_buttons_; }
    // The menu bar the manager makes with the default toolbars: this one when
    // set, else the frame's own (null when there is none).
    SECCustomToolBar* m_pMenuBar = nullptr;
    SECCustomToolBar* GetMenuBar() const;

    // Customise mode for every toolbar and the frame lock of the customize dialog.
    void SetCustomizeMode(BOOL on);
    BOOL InCustomizeMode() const { return customize_; }
    void LockFrame();
    void UnlockFrame();
    BOOL IsFrameLocked() const override { return locked_; }
    void SetCustomizeWnd(CWnd* wnd) { customize_wnd_ = wnd ? wnd->m_hWnd : nullptr; }
    HWND GetCustomizeWnd() const { return customize_wnd_; }

    void AddListener(CWnd* wnd);
    void RemoveListener(CWnd* wnd);
    void NotifyListeners(UINT bar_id, UINT code) override;

    // The one bar of the frame whose button is selected (customise mode).
    SECCustomToolBar* GetSelectedBar() const override { return selected_bar_; }
    void SetSelectedBar(SECCustomToolBar* bar) override { selected_bar_ = bar; }
    // The screen rectangle of the button whose command is being sent, so that a
    // handler can place a popup under it; empty otherwise.
    const CRect& GetCommandRect() const { return guards_->command_rect; }
    void SetCommandRect(const CRect& rect) { guards_->command_rect = rect; }
    // The re-entry guards the frame's toolbars share.
    SECToolBarGuards& Guards() { return *guards_; }
    const std::shared_ptr<SECToolBarGuards>& SharedGuards() const override { return guards_; }
    SECToolBarManager* GetToolBarManager() override { return this; }

    // A user toolbar with the first free id from 0xE820; titled "ToolBar%d" without a name.
    SECCustomToolBar* CreateUserToolBar(const char* name = nullptr);
    void ApplyImageSize(SECCustomToolBar* bar) const;
    // Sets and clears style bits of every button with the command id on every toolbar.
    void SetButtonStyle(UINT id, UINT set, UINT clear) override;
    // Every customisable toolbar of the frame (the menu bar too).
    std::vector<SECCustomToolBar*> GetToolBars() const;

    virtual SECCustomToolBar* FindToolBar(UINT id) const;
    // The first visible toolbar whose window (or floating frame) meets the screen rectangle.
    virtual SECCustomToolBar* ToolBarUnderRect(const CRect& rect) const;
    virtual void CreateDefaultToolBars();
    virtual void ApplyLargeButtons();
    virtual void AttachToolBars();

    // Switches in the profile section "<name>-ToolBarManager".
    void LoadState(const char* profile_name) override;
    void SaveState(const char* profile_name) override;
    BOOL LoadState(SECPersistentTreeNode* node) override;
    BOOL SaveState(SECPersistentTreeNode* node, BOOL flag) override;

    // The bars' records in a saved layout: their type, their title and buttons, and remaking them.
    UINT GetBarTypeID(CControlBar* bar) override;
    SECControlBarInfoEx* CreateBarInfo(SECControlBarInfo* info) override;
    CControlBar* CreateBar(SECControlBarInfo* info) override;

    CRuntimeClass* m_pToolBarClass;
    CWnd* m_pOwner;

private:
    friend class SECCustomToolBar;
    // The bars that hold this manager; they let go of it when it goes, frame or no frame.
    std::set<SECCustomToolBar*> attached_;
    std::vector<SECDefaultToolBar> defaults_;
    BOOL tooltips_ = TRUE, flyby_ = TRUE, cool_ = FALSE, large_ = FALSE;
    DWORD cool_bits_ = CBRS_EX_COOLBORDERS;
    BOOL customize_ = FALSE;
    BOOL locked_ = FALSE;
    std::vector<HWND> disabled_by_lock_;
    HWND customize_wnd_ = nullptr;
    std::vector<HWND> listeners_;
    SECBmpMgr* bmp_mgr_;
    std::unique_ptr<SECBtnDrawData> draw_data_;
    SECBtnDescriptors menu_descriptors_;
    std::vector<UINT> menu_buttons_;
    SECCustomToolBar* selected_bar_ = nullptr;
    std::shared_ptr<SECToolBarGuards> guards_ = std::make_shared<SECToolBarGuards>();

    DWORD bar_style() const;
    // Gives a new bar the manager, the bitmaps, the owner and the image size.
    void attach(SECCustomToolBar* bar) const;
    SECCustomToolBar* make_bar(UINT id, const char* title);
    // Docks a default bar on its side, right of (or below) `beside` when given.
    void dock_default(const SECDefaultToolBar& record, SECCustomToolBar* bar, SECCustomToolBar* beside);
    void apply_switches(BOOL tooltips, BOOL cool, BOOL large);
};
