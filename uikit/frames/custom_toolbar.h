#pragma once
// SECCustomToolBar: a toolbar made of SECStdBtn objects. It creates buttons
// from command ids, lays them out in rows that wrap to fit a width or a
// height, sizes itself for its docked, floating and resized states, updates
// its buttons through the frame's command routing, paints them through one
// off-screen drawing context, sends the command of a clicked button to its
// owner, tracks the button under the mouse in the cool look, and in customise
// mode (or with Alt held) lets buttons be selected and dragged between bars.
#include <algorithm>
#include <memory>
#include <vector>

#include "uikit/frames/control_bar.h"
#include "uikit/frames/std_btn.h"

class SECBmpMgr;
class SECToolBarManager;

// Extended style bits of the cool look: flat borders with a gripper, and
// transparent buttons drawn over the bar's background.
constexpr DWORD CBRS_EX_COOLBORDERS = CBRS_EX_FLATBORDERS | CBRS_EX_GRIPPER;
constexpr DWORD CBRS_EX_TRANSPARENT = 0x1000;

// Codes a toolbar tells its manager's listeners.
enum : UINT {
    SEC_BAR_SHOWN = 0,
    SEC_BAR_HIDDEN = 1,
    SEC_BAR_CREATED = 2,
    SEC_BAR_DESTROYED = 3,
    SEC_BAR_SELECTION = 4
};

// The first control id of user toolbars and the id of the menu bar.
constexpr UINT SEC_IDW_FIRST_USER_TOOLBAR = 0xE820;
constexpr UINT SEC_IDW_MENUBAR = 0xE8FF;
// Only user toolbars (not the menu bar, not the customize dialog's category bars) go when emptied.
inline bool sec_is_user_toolbar_id(UINT id) { return id >= SEC_IDW_FIRST_USER_TOOLBAR && id < 0xE8FF; }

// Notifications of menu buttons to the frame: drop the popup (words: menu and
// position), close the open popup.
constexpr int SEC_TBN_DROPMENU = -2120;
constexpr int SEC_TBN_CLOSEMENU = -2121;

// Messages of the common toolbar control that the bar answers too: append
// TBBUTTON records (wParam the count, lParam the records), delete the button at wParam.
constexpr UINT TB_ADDBUTTONS = 0x0414, TB_DELETEBUTTON = 0x0416;
struct TBBUTTON {
    int iBitmap;
    int idCommand;  // 0 for a separator
    BYTE fsState;   // or-ed into the style's high word
    BYTE fsStyle;   // or-ed into its low word
    BYTE bReserved[2];
    UINT_PTR dwData;
    std::intptr_t iString;
};

// What a frame's toolbars share while they send commands: the re-entry guards
// (a button's command being sent; a button dragged with Alt held, whose drop
// selects nothing and during which hot tracking rests; a drop-down button's
// notification being sent) and the screen rectangle of the button whose
// command is being sent, so that a handler can place a popup under it. The
// frame's toolbar manager keeps it (a bar without one keeps its own), and a bar
// sending a command holds a share, since the command may close the bar, its
// frame and the manager.
struct SECToolBarGuards {
    bool command_in_progress = false;
    bool alt_drag = false;
    bool drop_down_in_progress = false;
    CRect command_rect;
    // A press now would start a second command inside the first.
    bool busy() const { return command_in_progress || drop_down_in_progress; }
};

// Hot tracking timer.
constexpr UINT_PTR SEC_HOT_TIMER = 0xE002;

class SECCustomToolBar;

// What a toolbar asks of the manager of its frame's toolbars
// (SECToolBarManager answers): the bar sees its manager through this alone.
class SECToolBarServices {
public:
    // The manager itself, for code that knows its class.
    virtual SECToolBarManager* GetToolBarManager() = 0;
    // The drawing context all the manager's bars paint with.
    virtual SECBtnDrawData& GetDrawData() = 0;
    virtual void NotifyListeners(UINT bar_id, UINT code) = 0;
    // Sets and clears style bits of every button with the command id on every toolbar.
    virtual void SetButtonStyle(UINT id, UINT set, UINT clear) = 0;
    virtual const SECBtnDescriptors& GetMenuDescriptors() const = 0;
    // The customize dialog holds the frame: no idle layout runs.
    virtual BOOL IsFrameLocked() const = 0;
    // The one bar of the frame whose button is selected (customise mode).
    virtual SECCustomToolBar* GetSelectedBar() const = 0;
    virtual void SetSelectedBar(SECCustomToolBar* bar) = 0;
    virtual const std::shared_ptr<SECToolBarGuards>& SharedGuards() const = 0;

protected:
    ~SECToolBarServices() = default;
};

class SECCustomToolBar : public SECControlBar, public SECBtnHost {
    DECLARE_DYNCREATE(SECCustomToolBar)
public:
    SECCustomToolBar();
    ~SECCustomToolBar() override;

    using SECControlBar::Create;
    using SECControlBar::CreateEx;
    virtual BOOL Create(CWnd* parent, DWORD style, UINT id, const char* title = nullptr);
    virtual BOOL CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title = nullptr);

    // Buttons.
    virtual BOOL RemoveButton(int index, BOOL no_redraw = FALSE);
    virtual void InsertButton(int index, UINT id, BOOL separator = FALSE, BOOL no_redraw = FALSE);
    // Replaces every button: a separator for each 0, a button for each other id.
    virtual void SetButtons(const UINT* ids, int count);
    virtual void RemoveAllButtons();
    virtual SECStdBtn* CreateButton(UINT id, SECCustomToolBar* parent = nullptr);
    virtual SECStdBtn* CreateSeparator(SECCustomToolBar* parent = nullptr);
    int GetButtonCount() const { return int(buttons_.size()); }
    SECStdBtn* GetButton(int index) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    void HideButton(int index, BOOL hide);
    CRect GetButtonRect(int index) const;
    int CommandToIndex(UINT id) const;
    int IndexOf(const SECStdBtn* button) const override;
    UINT GetButtonID(int index) const;
    // The button under the point, or -1; separators are never hit.
    virtual int HitTest(int x, int y, CRect* rect = nullptr) const;
    // Updates one button from the owner's command handlers.
    virtual void UpdateButton(int index);
    // Sets and clears style bits of the buttons with the command id, here or on every bar of the manager.
    void SetStyleForID(UINT id, UINT set, UINT clear, BOOL all_bars);
    void SetFrameBtnStyle(UINT id, UINT set, UINT clear) override;
    CWnd* GetHostWnd() override { return this; }
    BOOL SendDropDown(SECStdBtn* button) override;

    // Sizes and looks.
    void SetBmpMgr(SECBmpMgr* manager);
    SECBmpMgr* GetBmpMgr() const override { return bmp_mgr_; }
    void SetManager(SECToolBarManager* manager);
    SECToolBarManager* GetManager() const { return manager_ ? manager_->GetToolBarManager() : nullptr; }
    // Image size; every button is measured again.
    void SetButtonSize(int width, int height);
    CSize GetImageSize() const override { return image_size_; }
    BOOL IsCoolLook() const override { return (m_dwExStyle & CBRS_EX_FLATBORDERS) != 0; }
    BOOL IsTransparent() const override {
        return (m_dwExStyle & (CBRS_EX_FLATBORDERS | CBRS_EX_TRANSPARENT)) ==
               (CBRS_EX_FLATBORDERS | CBRS_EX_TRANSPARENT);
    }
    virtual CFont* GetDefaultFont() const;
    CFont* GetTextFont() const override { return GetDefaultFont(); }
    void SetMode(UINT mode);
    UINT GetMode() const { return mode_; }
    int m_nMaxBtnWidth = 0;  // the widest button; raised as buttons are measured
    void FitBtnWidth(int width) override { m_nMaxBtnWidth = std::max(m_nMaxBtnWidth, width); }
    int m_nSepSpacing = 8;

    // Customise mode and the selected button.
    void SetCustomizeMode(BOOL on);
    BOOL InCustomizeMode() const override { return customize_; }
    int GetSelected() const { return selected_; }
    void Select(int index, BOOL redraw = TRUE);
    void Deselect(BOOL redraw = TRUE);
    void NotifyListeners(UINT code);
    virtual BOOL IsCtrlDown() const;
    virtual BOOL AcceptsDrop() const { return TRUE; }
    BOOL m_bNoDragOut = FALSE;
    // A toolbar the user made: it goes away when its last button does. The
    // menu bar and bars outside a frame (the customize dialog's) never do.
    BOOL IsUserToolBar() const;

    // Menu mode: the button whose popup is open (menu bars).
    int m_nOpenMenu = -1;
    void TrackButtonMenu(SECStdBtn* button, UINT_PTR menu, int position) override;
    virtual void DropMenuAt(int index);
    virtual int FirstMenuButton() const;
    virtual int LastMenuButton() const;
    virtual int NextMenuButton(int direction) const;
    virtual BOOL MenuModeHitTest(const MSG* msg);
    virtual void EndMenuMode();
    // The bar's own descriptors when it has no manager.
    SECBtnDescriptors m_ownDescriptors;

    // Drag and drop of buttons.
    virtual BOOL StartDrag(int index, CPoint point);
    // Drops a button dragged from `source` at `rect` (client coordinates); FALSE when the source bar went away.
    virtual BOOL DropButton(CRect rect, SECStdBtn* button, SECCustomToolBar* source, BOOL copy, BOOL no_redraw = FALSE);

    // The bar's saved title and buttons.
    void GetBarButtons(CString& title, std::vector<SECBtnInfo>& buttons) const;
    void SetBarButtons(const CString& title, const std::vector<SECBtnInfo>& buttons);

    // The title and buttons in the bar's saved record.
    void GetBarInfoEx(SECControlBarInfo* info) override;
    void SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) override;

    // Layout.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
    int OnToolHitTest(CPoint point, ToolHit* hit) const override;
    void SetBarStyle(DWORD style) override;
    void DrawBorders(CDC* dc, CRect& rect) override;
    void GetInsideRect(CRect& rect) const override;
    // A gripper with a hide button is 2 pixels larger, to make room for the button.
    int AdjustForGripper(CRect& rect, BOOL horz) const override;
    // While the customize dialog locks the frame (no idle layout runs), a
    // floating bar to be hidden hides itself at once from a posted message.
    void DelayShow(BOOL show) override;

    // Runs hot tracking at the cursor position now.
    void UpdateHotTracking() override;
    int GetHot() const { return hot_; }
    int GetPressed() const { return pressed_; }

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg void OnSysColorChange();
    afx_msg int OnMouseActivate(CWnd* top, UINT hit, UINT message);
    afx_msg LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);

protected:
    void DoPaint(CDC* dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Row fitting; `rows` are the indexes of each row's last button.
    virtual void BalanceRows(std::vector<int>& rows) const;
    DECLARE_MESSAGE_MAP()

public:
    // A row of the layout.
    struct Row {
        int last = -1;  // index of the row's last button
        bool separator_break = false;
        int width = 0, height = 0;
    };
    std::vector<Row> BuildRows(int width) const;
    CSize RowsSize(const std::vector<Row>& rows) const;

private:
    std::vector<std::unique_ptr<SECStdBtn>> buttons_;
    int selected_ = -1, pressed_ = -1, hot_ = -1;
    BOOL customize_ = FALSE;
    SECBmpMgr* bmp_mgr_ = nullptr;
    SECToolBarServices* manager_ = nullptr;
    std::unique_ptr<SECBtnDrawData> own_draw_data_;
    CSize image_size_{16, 15};
    UINT mode_ = 0;
    bool hot_timer_ = false;
    bool hide_posted_ = false;  // DelayShow posted WM_NODELAYHIDE
    mutable CFont default_font_;
    std::shared_ptr<SECToolBarGuards> own_guards_ = std::make_shared<SECToolBarGuards>();  // without a manager

    // The guards of the bar's manager, or the bar's own.
    std::shared_ptr<SECToolBarGuards> shared_guards() const;
    SECToolBarGuards& guards() { return *shared_guards(); }
    bool belongs_to_active_window() const;
    SECBtnDrawData& draw_data();
    Row make_row(int first, int last, bool separator_break) const;
    std::vector<Row> fit_height(int length) const;
    void apply_rows(const std::vector<Row>& rows);
    void place_buttons(const std::vector<Row>& rows, CPoint origin);
    CSize layout(int length, DWORD mode);
    // The floating layout at the width the bar last floated with.
    CSize floating_layout();
    CPoint inside_offset(BOOL horz, CSize* extra) const;
    int first_of_row(const std::vector<Row>& rows, std::size_t r) const;
    void redraw_button(int index);
    void set_hot(int index);
    void send_command(int index, UINT id);
    void shift_indexes_after_insert(int index);
    void shift_indexes_after_remove(int index);
    void remove_redundant_separators(int& removed_at);
    BOOL drop_nudge(SECStdBtn* button, const CRect& rect, int first, int last, BOOL copy);
    CFrameWnd* owner_frame() const;
    void after_change(BOOL no_redraw);
};

// The command-update object of one toolbar button.
class SECCustomToolCmdUI : public CCmdUI {
public:
    SECCustomToolBar* m_pToolBar = nullptr;
    void Enable(BOOL on = TRUE) override;
    void SetCheck(int check = 1) override;
    void SetRadio(BOOL on = TRUE) override { SetCheck(on ? 1 : 0); }
    void SetText(const char*) override {}
};
