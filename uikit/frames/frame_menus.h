#pragma once
// The menu side both toolkit frames share. A frame hosts one plug-in that
// sees its messages first: the menu-bar feature when the frame's menu shows
// in a menu bar, else, with bitmap menus on, the plug-in that draws popups
// with the commands' pictures. In menu-bar mode the window has no menu of its
// own; the menus the bar shows are kept here, one per resource id.
#include <functional>
#include <map>
#include <memory>

#include "platform/afx/afx.h"

class SECBmpMenuPlugIn;
class SECControlBarManager;
class SECMenuBar;
class SECMenuBarFeature;

class SECFrameMenus {
public:
    // `menu_for_id` is the frame's own lookup, which a menu bar asks for its popups.
    SECFrameMenus(CFrameWnd* frame, std::function<HMENU(UINT)> menu_for_id);
    ~SECFrameMenus();
    SECFrameMenus(const SECFrameMenus&) = delete;
    SECFrameMenus& operator=(const SECFrameMenus&) = delete;

    // Bitmap menus, set before the window is made; `second` puts a dot in place of a radio item's check.
    void EnableBmpMenus(BOOL on, BOOL second) { bmp_menus_ = on, radio_dot_ = second; }
    BOOL BmpMenusOn() const { return bmp_menus_; }

    // The bar the menu shows in. With a window already made, the plug-in is
    // remade for it and the window's menu moves into the bar.
    void SetMenuBar(SECMenuBar* bar);
    SECMenuBar* GetMenuBar() const { return menu_bar_; }
    SECMenuBarFeature* GetFeature() const { return feature_; }
    SECBmpMenuPlugIn* GetPlugIn() const { return plug_in_.get(); }

    // Makes the plug-in; Offer makes it when the window is created and drops it as the window goes.
    void MakePlugIn();
    // Takes the window's menu off it; it becomes the menu of the frame's resource id. FALSE when
    // the frame was in menu-bar mode already.
    BOOL EnterMenuBarMode();
    UINT GetDefaultMenuId() const { return default_id_; }
    // The frame's own menu in menu-bar mode, else null.
    HMENU GetDefaultMenu() const { return default_menu_; }
    // The frame's own menu when `id` is its id, else null.
    HMENU OwnMenu(UINT id) const { return default_menu_ && id == default_id_ ? default_menu_ : nullptr; }
    // A menu loaded for an id nobody else owns; loaded on first use, destroyed with the frame.
    HMENU LoadedMenu(UINT id);
    // The menu shown: the menu bar's in menu-bar mode, else the window's.
    CMenu* GetMenu() const;

    // Offers a message to the plug-in (and answers the bar's request for a popup): TRUE when it
    // was consumed, with the result the window returns.
    BOOL Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, SECControlBarManager* manager);
    BOOL PreTranslateMessage(MSG* msg);
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info);

private:
    CFrameWnd* frame_;
    std::function<HMENU(UINT)> menu_for_id_;
    BOOL bmp_menus_ = FALSE, radio_dot_ = FALSE;
    SECMenuBar* menu_bar_ = nullptr;
    std::unique_ptr<SECBmpMenuPlugIn> plug_in_;
    SECMenuBarFeature* feature_ = nullptr;  // the plug-in in menu-bar mode
    HMENU default_menu_ = nullptr;
    UINT default_id_ = 0;
    std::map<UINT, HMENU> loaded_;
    void drop_plug_in();
};

// The toolbar manager is customising the toolbars (the frame holds still meanwhile).
BOOL sec_customising(const SECControlBarManager* manager);
