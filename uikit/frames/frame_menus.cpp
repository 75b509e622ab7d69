#include "uikit/frames/frame_menus.h"

#include "uikit/frames/menu_bar_feature.h"
#include "uikit/frames/toolbar_manager.h"

SECFrameMenus::SECFrameMenus(CFrameWnd* frame, std::function<HMENU(UINT)> menu_for_id)
    : frame_(frame), menu_for_id_(std::move(menu_for_id)) {}

SECFrameMenus::~SECFrameMenus() {
    plug_in_.reset();
    if (default_menu_ && ::IsMenu(default_menu_)) ::DestroyMenu(default_menu_);
    for (auto& [id, menu] : loaded_)
        if (::IsMenu(menu)) ::DestroyMenu(menu);
}

BOOL sec_customising(const SECControlBarManager* manager) {
    auto* toolbars = dynamic_cast<const SECToolBarManager*>(manager);
    return toolbars && toolbars->InCustomizeMode();
}

void SECFrameMenus::SetMenuBar(SECMenuBar* bar) {
    menu_bar_ = bar;
    if (!bar || !frame_->m_hWnd) return;
    // The plug-in of bitmap menus gives way to the menu-bar feature.
    if (plug_in_ && !feature_) plug_in_.reset();
    MakePlugIn();
}

void SECFrameMenus::MakePlugIn() {
    if (plug_in_) return;
    if (menu_bar_) {
        auto feature = std::make_unique<SECMenuBarFeature>(bmp_menus_, radio_dot_);
        feature->SetMenuBar(menu_bar_);
        feature_ = feature.get();
        plug_in_ = std::move(feature);
    } else if (bmp_menus_) {
        plug_in_ = std::make_unique<SECBmpMenuPlugIn>(radio_dot_);
    }
    if (plug_in_) plug_in_->PlugInTo(frame_);
}

void SECFrameMenus::drop_plug_in() {
    feature_ = nullptr;
    plug_in_.reset();
}

BOOL SECFrameMenus::EnterMenuBarMode() {
    if (!menu_bar_ || default_menu_) return FALSE;
    default_id_ = frame_->m_nIDHelp;
    default_menu_ = ::GetMenu(frame_->m_hWnd);
    if (default_menu_) ::SetMenu(frame_->m_hWnd, nullptr);
    frame_->m_hMenuDefault = nullptr;
    return TRUE;
}

HMENU SECFrameMenus::LoadedMenu(UINT id) {
    auto found = loaded_.find(id);
    if (found != loaded_.end()) return found->second;
    HMENU loaded = ::LoadMenu(nullptr, MAKEINTRESOURCE(id));
    if (loaded) loaded_[id] = loaded;
    return loaded;
}

CMenu* SECFrameMenus::GetMenu() const {
    if (!menu_bar_) return static_cast<const CWnd*>(frame_)->GetMenu();
    HMENU menu = menu_for_id_(menu_bar_->m_nCurrentMenuId);
    return menu ? CMenu::FromHandle(menu) : nullptr;
}

BOOL SECFrameMenus::Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, SECControlBarManager* manager) {
    // While toolbars are being customised the keyboard does not open the frame's menus.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && sec_customising(manager)) {
        result = 0;
        return TRUE;
    }
    if (message == sec_getmenu_message()) {
        HMENU menu = menu_for_id_(UINT(wParam));
        result = menu ? reinterpret_cast<LRESULT>(::GetSubMenu(menu, int(lParam))) : 0;
        return TRUE;
    }
    if (message == WM_CREATE) MakePlugIn();
    if (!plug_in_ || message == WM_CREATE) return FALSE;
    // The menus draw from the toolbars' pictures when the frame has a toolbar manager.
    if (message == WM_INITMENUPOPUP)
        if (auto* toolbars = dynamic_cast<SECToolBarManager*>(manager)) plug_in_->SetBmpMgr(toolbars->GetBmpMgr());
    const BOOL handled = plug_in_->OfferMessage(message, wParam, lParam, result);
    // The plug-in goes before the window does.
    if (message == WM_DESTROY) drop_plug_in();
    return handled;
}

BOOL SECFrameMenus::PreTranslateMessage(MSG* msg) { return feature_ && feature_->OnSysChar(msg); }

BOOL SECFrameMenus::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    return plug_in_ && plug_in_->OnCmdMsg(id, code, extra, info);
}
