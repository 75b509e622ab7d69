#pragma once
// The two bank pages: one for a new project or bank, one over every bank of
// the open project. Both show the layout the user types, its derived fields
// and its parameter string, and allow OK only for a layout that fits.
#include <cstdint>
#include <string>
#include <vector>

#include "ide/shell/dialogs/bank_fields.h"
#include "ide/workspace/workspace_manager.h"
#include "ide/shell/dialogs/project_sheet.h"
#include "platform/afx/afx.h"

namespace ide {

// What both pages share: reading the fields, recalculating and validating.
class BankPageBase : public CPropertyPage {
public:
    bool hex_display() const { return hex_; }
    // The layout last shown, its stack address and string (valid once the page has run).
    const BankLayout& layout() const { return layout_; }
    const std::string& param() const { return param_; }
    const std::string& bank_name() const { return name_; }
    bool valid() const { return valid_; }

protected:
    BankPageBase(UINT template_id, int param_id, const bool& auto_link);

    virtual std::string NameText() const = 0;
    // Further reasons to refuse OK (the settings page's key clash).
    virtual bool ExtraValid() const { return true; }

    // Reads the fields, shows the derived ones and the string, enables OK.
    void Refresh();
    void EnableOk(bool enable) { EnableSheetOk(this, enable); }
    void SetField(int id, const std::string& text);
    std::string FieldText(int id) const;
    // With auto link the addresses are fixed: their fields show "0" and are disabled.
    void ShowLinkMode(bool include_param);
    BankFieldCheck ReadFields() const;

    afx_msg void OnFieldChange();
    afx_msg void OnHexToggle();
    DECLARE_MESSAGE_MAP()

    const bool& auto_link_;  // the sheet's link mode, which another page may change
    bool hex_ = true;
    bool ready_ = false;  // change handlers act only once the page is set up
    bool valid_ = false;
    BankLayout layout_;
    std::string name_;
    std::string param_;
    int param_id_;
};

// The bank page of the "New" sheet.
class CVYRBankPage : public BankPageBase {
public:
    // `kind` is set to 2 when the page shows.
    CVYRBankPage(const bool& auto_link, int* kind = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    std::string NameText() const override;
    afx_msg void OnNameChange() {
        if (ready_) Refresh();
    }
    DECLARE_MESSAGE_MAP()

private:
    int* kind_;
};

// The bank page of the "Project Setting" sheet, over a working copy of the
// project's bank table.
class CVyrBankSettingPage : public BankPageBase {
public:
    CVyrBankSettingPage(std::vector<BankRecord>& table, const bool& auto_link);
    int current_bank() const { return current_; }
    // Stores the bank on show into the table; false on a clash.
    bool StoreCurrent();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    std::string NameText() const override;
    bool ExtraValid() const override;
    afx_msg void OnBankChosen();
    afx_msg void OnDataAddressDone();
    DECLARE_MESSAGE_MAP()

private:
    void Load(int index);
    // Another bank already has the key of the layout on show.
    bool Clashes() const;
    // The code base the composed string carries (the fixed one with auto link).
    std::uint32_t ComposedCodeBase() const;

    std::vector<BankRecord>& table_;
    int current_ = 0;
};

}  // namespace ide
