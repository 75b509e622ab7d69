#pragma once
// The customize dialog: a property sheet whose Toolbars page shows, hides,
// creates, renames, resets and deletes toolbars and switches tooltips, the
// cool look and large buttons, and whose command page shows the commands by
// category as buttons (and the menus as a list) to drag onto any toolbar.
// While a page is up every toolbar of the frame is in customise mode.
#include <memory>
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/frames/custom_toolbar.h"

class SECToolBarManager;

// Control ids of the pages and dialogs.
enum : UINT {
    SEC_IDC_BUTTONS_FRAME = 43093,
    SEC_IDC_LIST = 43094,  // toolbars, or categories
    SEC_IDC_DESCRIPTION = 43095,
    SEC_IDC_NEW_NAME = 43096,
    SEC_IDC_NAME_LABEL = 43097,
    SEC_IDC_NEW = 43098,
    SEC_IDC_CUSTOMIZE = 43099,
    SEC_IDC_RESET_DELETE = 43100,
    SEC_IDC_TOOLTIPS = 43101,
    SEC_IDC_NAME = 43102,
    SEC_IDC_LARGE_BUTTONS = 43103,
    SEC_IDC_COOL_LOOK = 43104,
};
enum : UINT {
    SEC_IDD_CMD_PAGE = 20509,
    SEC_IDD_NEW_TOOLBAR = 20511,
    SEC_IDD_TOOLBARS_PAGE = 20513,
    SEC_IDS_COMMAND_PAGE = 201,
    SEC_IDS_RESET = 20536,
    SEC_IDS_DELETE = 20537,
    SEC_IDS_CUSTOMIZE = 20538,
};
// Toolbar names are at most this many characters.
constexpr int kSecMaxToolBarName = 128;

// The registered message the Toolbars page sends the other pages: wParam 1
// large buttons changed, 2 the cool look changed.
UINT sec_toolbar_style_message();
// `text` cut to at most `count` characters, a double-byte character counting
// as one and never split.
CString sec_cut_characters(const char* text, int count);

// The toolbar of a button category: always in customise mode; a drag from it is a copy.
class SECCustomizeToolBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECCustomizeToolBar)
public:
    SECCustomizeToolBar() { SetCustomizeMode(TRUE); }
    BOOL IsCtrlDown() const override { return TRUE; }
    BOOL AcceptsDrop() const override { return FALSE; }
};

class SECToolBarSheet : public CPropertySheet {
    DECLARE_DYNAMIC(SECToolBarSheet)
public:
    // The caption is string 20538 "Customize" when none is given.
    explicit SECToolBarSheet(const char* caption = nullptr, CWnd* parent = nullptr);
    // Runs the sheet; whichever way it ends, the toolbars leave customise mode,
    // the frame is unlocked, and a cancelled Toolbars page restores its switches.
    LONG_PTR DoModal();
};

// A page of the customize sheet: while it is up every toolbar of the frame is
// in customise mode and the frame stays usable beside the sheet.
class SECCustomizePage : public CPropertyPage {
    DECLARE_DYNAMIC(SECCustomizePage)
public:
    using CPropertyPage::CPropertyPage;
    SECToolBarManager* GetManager() const { return manager_; }
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

protected:
    SECToolBarManager* manager_ = nullptr;
};

class SECToolBarsPage : public SECCustomizePage {
    DECLARE_DYNAMIC(SECToolBarsPage)
public:
    SECToolBarsPage();
    void SetManager(SECToolBarManager* manager);

    BOOL OnInitDialog() override;
    // OK keeps the switches as shown; Cancel puts back those the page opened with.
    BOOL OnApply() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The "New Toolbar" dialog: the name typed (cut to 128 characters), or nothing when cancelled.
    virtual BOOL AskNewName(CString& name);
    // What the Toolbars page does; the buttons and boxes call these.
    void NewToolBar(const char* name);
    void ResetOrDelete();
    void Rename(const char* name);
    void ShowToolBar(int item, BOOL show);
    int GetSelectedItem() const;
    UINT ItemBarID(int item) const;

protected:
    BOOL opened_[3] = {TRUE, TRUE, FALSE};  // tooltips, cool look, large buttons as the page opened
    bool name_changed_ = false;

    void fill();
    void select(int item);
    int item_of(UINT bar_id) const;
    void add_item(int at, SECCustomToolBar* bar, BOOL checked);
    void set_switch(UINT id, BOOL on);
    void bar_notify(UINT bar_id, UINT code);
};

// One category of the command page.
class SECBtnGroup : public CObject {
public:
    SECBtnGroup(const char* title, std::vector<UINT> ids) : m_strTitle(title), m_ids(std::move(ids)) {}
    ~SECBtnGroup() override;
    virtual BOOL Create(CWnd* parent, SECToolBarManager* manager, UINT id) = 0;
    virtual void Layout(const CRect& rect) = 0;
    virtual void Activate(BOOL on) = 0;
    CWnd* GetChild() const { return m_pChild.get(); }

    CString m_strTitle;
    std::vector<UINT> m_ids;

protected:
    std::unique_ptr<CWnd> m_pChild;
};

class SECTBBtnGroup : public SECBtnGroup {
public:
    using SECBtnGroup::SECBtnGroup;
    BOOL Create(CWnd* parent, SECToolBarManager* manager, UINT id) override;
    void Layout(const CRect& rect) override;
    void Activate(BOOL on) override;
    SECCustomizeToolBar* GetToolBar() const { return static_cast<SECCustomizeToolBar*>(m_pChild.get()); }
    // The image size and the cool look follow the manager's switches.
    void ApplyManagerStyle(SECToolBarManager* manager);
};

// The menu category: the menu bar's commands as a list whose items drag like buttons.
class SECMenuListBox : public CListBox {
public:
    SECToolBarManager* m_pManager = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class SECMenuBtnGroup : public SECBtnGroup {
public:
    using SECBtnGroup::SECBtnGroup;
    BOOL Create(CWnd* parent, SECToolBarManager* manager, UINT id) override;
    void Layout(const CRect& rect) override;
    void Activate(BOOL on) override {}
};

class SECToolBarCmdPage : public SECCustomizePage {
    DECLARE_DYNAMIC(SECToolBarCmdPage)
public:
    explicit SECToolBarCmdPage(UINT template_id = SEC_IDD_CMD_PAGE, UINT caption_id = SEC_IDS_COMMAND_PAGE);
    ~SECToolBarCmdPage() override;
    void DefineBtnGroup(const char* title, int count, const UINT* ids);
    void DefineMenuGroup(const char* title);
    void SetManager(SECToolBarManager* manager);
    int GetGroupCount() const { return int(groups_.size()); }
    SECBtnGroup* GetGroup(int index) const { return groups_[std::size_t(index)].get(); }
    // Shows one category and hides the others.
    void ShowGroup(int index);
    int GetShownGroup() const { return shown_; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    std::vector<std::unique_ptr<SECBtnGroup>> groups_;
    int shown_ = -1;
    void describe(UINT id);
};

// Shows a command's description (its string up to the first newline) in a control.
void sec_show_command_description(CWnd* parent, UINT control, UINT command);
