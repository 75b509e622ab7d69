#pragma once
// SECMenuBar: a frame's menu shown as a dockable toolbar, one text button per
// top-level item of each menu it knows; the buttons of the menu in use show,
// the others hide. SECMDIMenuBar adds, while an MDI child is maximised, the
// child's icon (dropping its system menu) at the left end and its minimise,
// restore and close boxes at the right end. The keyboard and the popups are
// run by the frame's SECMenuBarFeature (menu_bar_feature.h).
#include "uikit/frames/custom_toolbar.h"
#include "uikit/frames/menu_button.h"

class SECMenuBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECMenuBar)
public:
    SECMenuBar();
    ~SECMenuBar() override;

    // A row of its own, stretched across it, and hidden in place with its frame.
    BOOL CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title = nullptr) override;
    CFont* GetTextFont() const override;
    // Menu buttons are always flat.
    BOOL IsCoolLook() const override { return TRUE; }
    // Docked across, the bar spans its dock bar.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    // The saved buttons come back for every menu; only the current menu's show.
    void SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) override;

    // The first visible menu button whose mnemonic is `ch` (lower case), or -1.
    virtual int FindMnemonic(BYTE ch) const;
    // Shows exactly the menu buttons of the menus in `bit`.
    virtual void SwitchMenu(UINT bit, BOOL redraw);
    // Makes the buttons again from the manager's menus (or the bar's own).
    virtual void ResetButtons(BOOL no_redraw = FALSE);
    // The bar's own menus, when it has no manager.
    virtual void SetMenuInfo(int count, const UINT* menu_ids);
    // The bit of a menu resource id, 0 when the bar does not show that menu.
    UINT GetMenuBit(UINT menu_id) const;
    UINT GetCurrentMenuBit() const { return current_bit_; }
    UINT m_nCurrentMenuId = 0;

    afx_msg void OnSettingChange(UINT flags, const char* section);

protected:
    const SECBtnDescriptors& Descriptors() const;
    DECLARE_MESSAGE_MAP()

private:
    UINT current_bit_ = UINT(-1);
    mutable CFont menu_font_;
    CSize across_dock_bar(CSize size, BOOL horz) const;
};

// The minimise, restore and close boxes of the maximised MDI child.
class SECBtnCaption : public SECStdBtn {
public:
    SECBtnCaption();
    static const SECButtonClass kClass;
    const SECButtonClass* GetButtonClass() const override { return &kClass; }
    BOOL CanDrag() const override { return FALSE; }
    void AdjustSize() override;
    void Draw(CDC* dc, SECBtnDrawData& data) override;
    BOOL BtnPressDown(CPoint point) override;
    void BtnPressMouseMove(CPoint point) override;
    void BtnPressCancel() override;
    UINT BtnPressUp(CPoint point) override;
    // The box under a point of the toolbar: 0 minimise, 1 restore, 2 close, -1 none.
    int BoxAt(CPoint point) const;
    CRect BoxRect(int box) const;
    BOOL BoxActive(int box) const;

    DWORD m_dwChildStyle = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    int m_cxBox = 0, m_cyBox = 0;
    int m_nPressed = -1;
    BOOL m_bPressedIn = FALSE;  // the mouse is over the pressed box
};

// The maximised child's icon (a small document window): drops the child's system menu.
class SECCapMenuBtn : public SECTBMenuBtn {
public:
    SECCapMenuBtn();
    static const SECButtonClass kClass;
    const SECButtonClass* GetButtonClass() const override { return &kClass; }
    BOOL CanDrag() const override { return FALSE; }
    void AdjustSize() override;
    void Draw(CDC* dc, SECBtnDrawData& data) override;
    void ShowMenu() override;
};

class SECMDIMenuBar : public SECMenuBar {
    DECLARE_DYNCREATE(SECMDIMenuBar)
public:
    // The icon and caption buttons stay at the ends whatever buttons are set.
    void SetButtons(const UINT* ids, int count) override;
    SECStdBtn* CreateButton(UINT id, SECCustomToolBar* parent = nullptr) override;
    // Shows the icon and caption buttons while the active child is maximised
    // (never when forced hidden); TRUE when anything changed.
    virtual BOOL UpdateCaptionButtons(BOOL force_hidden);
    virtual void SwitchMenuEx(UINT bit);
    SECCapMenuBtn* GetIconButton() const;
    SECBtnCaption* GetCaptionButton() const;
    // Laid out as the menu bar, with the caption boxes moved to the right end.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    // A dropped button never lands before the icon or after the caption buttons.
    BOOL DropButton(CRect rect, SECStdBtn* button, SECCustomToolBar* source, BOOL copy,
                    BOOL no_redraw = FALSE) override;
    // The saved buttons leave out the icon and caption buttons, which belong to
    // the maximised child; reading puts them back at the ends.
    void GetBarInfoEx(SECControlBarInfo* info) override;
    void SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) override;

    // Ids of the two buttons; no command uses them.
    static constexpr UINT kIconButtonId = 0xE8FD, kCaptionButtonId = 0xE8FE;

private:
    CSize place_caption_at_end(CSize size);
    void caption_buttons_to_the_ends();
};
