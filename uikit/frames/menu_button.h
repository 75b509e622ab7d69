#pragma once
// SECTBMenuBtn: a toolbar button that shows a text instead of an image and
// drops a popup menu when pressed. Menu bars are made of them, one per
// top-level item of a menu; the descriptors below say which buttons a menu
// bar makes from which menus.
#include <vector>

#include "uikit/frames/std_btn.h"

class SECTBMenuBtn : public SECStdBtn {
public:
    SECTBMenuBtn() { m_nType = SEC_BTN_MENU; }
    static const SECButtonClass kClass;

    CString m_strText;     // the title with its "&" marker
    UINT_PTR m_menu = 0;   // the menu resource id (or a menu handle for the icon button)
    int m_nPosition = 0;   // the popup's place in that menu
    BYTE m_cMnemonic = 0;  // the lower-cased character after the first "&", 0 when none
    UINT m_nMenuBits = 0;  // the menus the button shows in

    void Init(SECBtnHost* toolbar, const SECBtnDescriptor* record) override;
    BOOL BtnPressDown(CPoint point) override;
    void AdjustSize() override;
    const SECButtonClass* GetButtonClass() const override { return &kClass; }
    // Asks the toolbar to drop this button's menu.
    virtual void ShowMenu();
    virtual void ParseMnemonic();

protected:
    void DrawFace(SECBtnDrawData& data, BOOL flat, int& x, int& y, int& cx, int& cy, int image_width = -1) override;
};

// The first button id of menu descriptors, and their style (text menu buttons).
constexpr UINT SEC_FIRST_MENU_BUTTON_ID = 0x80000001;
constexpr UINT SEC_MENU_BUTTON_STYLE = 0x30000000;

// One descriptor per top-level item of each menu resource, in order; each menu
// that exists gets the next bit (1, 2, 4...), a missing one none. `bits` gives
// back each menu's bit (0 for a missing menu) when asked.
SECBtnDescriptors sec_build_menu_descriptors(const std::vector<UINT>& menu_ids, std::vector<UINT>* bits = nullptr);
