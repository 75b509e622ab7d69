#pragma once
// The file, project and general pages of the "New" and "Project Setting"
// sheets. Each keeps what the user chose until the sheet ends; the entries in
// project_dialogs.h hand it to the workspace only after OK.
#include <string>
#include <vector>

#include "ide/shell/dialogs/project_sheet.h"
#include "platform/afx/afx.h"
#include "uikit/controls/browse_edit.h"

namespace ide {

// Reads a control's text.
std::string ControlText(HWND dialog, int id);

// Page kinds the "New" sheet reports: what the user is creating.
enum NewItemKind : int { kNewNothing = 0, kNewFile = 1, kNewBank = 2, kNewProject = 3 };

// What a page needs of its sheet: the OK button.
class ProjectPageBase : public CPropertyPage {
protected:
    using CPropertyPage::CPropertyPage;
    void EnableOk(bool enable) { EnableSheetOk(this, enable); }
    // A display name shorter than 16 characters enables OK; a longer one is refused with a message.
    bool CheckDisplayName();
};

class CVYRFilePage : public ProjectPageBase {
public:
    CVYRFilePage(std::vector<std::string> banks, std::string location, int* kind);
    // The choice, once the page has run.
    std::string type, name, location, bank;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    afx_msg void OnTextChange();
    afx_msg void OnAddToBank();
    DECLARE_MESSAGE_MAP()

private:
    void Validate();
    std::vector<std::string> banks_;
    std::string preset_location_;
    int* kind_;
    SECBrowseDirEdit location_edit_;
};

class CVYRProjectPage : public ProjectPageBase {
public:
    // `auto_link` is the sheet's link mode, which the bank page shows.
    CVYRProjectPage(bool& auto_link, std::string location, int* kind);
    std::string name, display_name, location, base_folder;
    bool library = false;
    // Name, display name and location given, while the page exists.
    bool IsComplete() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    afx_msg void OnNameChange();
    afx_msg void OnLocationChange();
    afx_msg void OnDisplayNameChange();
    afx_msg void OnLinkAuto() { auto_link_ = true; }
    afx_msg void OnLinkCustom() { auto_link_ = false; }
    DECLARE_MESSAGE_MAP()

private:
    bool Complete() const;
    bool& auto_link_;
    int* kind_;
    bool ready_ = false;
    SECBrowseDirEdit location_edit_;
};

class CVyrGeneralSettingPage : public ProjectPageBase {
public:
    // code_mode: 0 Bin, 1 Lib, -1 neither checked.
    CVyrGeneralSettingPage(bool& auto_link, std::string output, int code_mode, std::string display_name);
    std::string output, display_name;

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    afx_msg void OnBin() { SetMode(false); }
    afx_msg void OnLib() { SetMode(true); }
    afx_msg void OnLinkAuto() { auto_link_ = true; }
    afx_msg void OnLinkCustom() { auto_link_ = false; }
    afx_msg void OnDisplayNameChange();
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(bool library);
    bool& auto_link_;
    int code_mode_;
    bool ready_ = false;
};

}  // namespace ide
